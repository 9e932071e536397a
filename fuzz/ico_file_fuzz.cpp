// Feeds arbitrary bytes to the picture and cursor loaders as a file. The
// directory check must only keep entries whose data starts inside the file,
// and Qt's readers behind it must never crash on what it lets through.
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "shell/ico_directory.h"
#include "shell/picture_files.h"

namespace {

int g_argc = 1;
char g_arg0[] = "ico_file_fuzz";
char* g_argv[] = {g_arg0, nullptr};

void CheckDirectory(std::string_view bytes) {
  const auto dir = nib::ParseIconDirectory(bytes);
  if (!dir) return;
  FUZZ_CHECK(dir->type == 1 || dir->type == 2);
  const std::size_t listed = (bytes.size() - 6) / 16;
  int previous = -1;
  for (const nib::IconEntry& entry : dir->entries) {
    FUZZ_CHECK(entry.index > previous);
    FUZZ_CHECK(static_cast<std::size_t>(entry.index) < listed);
    FUZZ_CHECK(entry.offset >= 6 && std::size_t{entry.offset} + 8 <= bytes.size());
    if (dir->type == 1) FUZZ_CHECK(entry.hot_x == 0 && entry.hot_y == 0);
    previous = entry.index;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // QPixmap and QCursor need a GUI application; no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(g_argc, g_argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir dir;
  static const std::string path = dir.filePath("picture.ico").toStdString();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckDirectory(bytes);

  QFile file(QString::fromStdString(path));
  FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
             static_cast<qint64>(size));
  file.close();
  if (const nib::Picture picture = nib::LoadPictureFile(path)) {
    FUZZ_CHECK(picture->width_px > 0 && picture->height_px > 0);
  }
  nib::LoadCursorFile(path);
  return 0;
}
