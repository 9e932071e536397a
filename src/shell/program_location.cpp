#include "shell/program_location.h"

#include <QDir>
#include <QFileInfo>

// The install rules set this from the prefix's layout.
#ifndef NIBBET_INSTALLED_PROGRAM_FOLDER
#define NIBBET_INSTALLED_PROGRAM_FOLDER "../share/nibbet-simulator"
#endif

namespace nib {

const char kInstalledProgramFolder[] = NIBBET_INSTALLED_PROGRAM_FOLDER;

QString ProgramLocation(const QString& binary_dir,
                        const std::function<bool(const QString&)>& is_folder) {
  // The Default colour is what every look falls back to.
  const auto holds_data = [&](const QString& folder) {
    return is_folder(folder + QStringLiteral("/colors/Default"));
  };
  if (holds_data(binary_dir)) return binary_dir;
  // An absolute data folder (an install that split bin and share) stays as it is.
  const QString installed =
      QDir::cleanPath(QDir(binary_dir).filePath(QLatin1String(kInstalledProgramFolder)));
  if (holds_data(installed)) return installed;
  return binary_dir;
}

QString ProgramLocation(const QString& binary_dir) {
  return ProgramLocation(binary_dir, [](const QString& path) { return QFileInfo(path).isDir(); });
}

}  // namespace nib
