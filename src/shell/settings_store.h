// The per-user settings store: an INI file of application "Nibbet Simulator"
// with one group per pet name and every value as text.
#pragma once

#include <QString>
#include <memory>
#include <string>

class QSettings;

namespace nib {

class SettingsStore {
 public:
  // The user-scope store of the program.
  SettingsStore();
  // A store in the given INI file (tests).
  explicit SettingsStore(const QString& ini_path);
  ~SettingsStore();

  // Any section name works, even empty, with slashes, backslashes,
  // brackets, "=", non-ASCII or very long: each name is its own section.
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback);
  void Write(const std::string& section, const std::string& key, const std::string& value);
  // Commits the written keys in one atomic file replacement.
  void Flush();
  QString FilePath() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace nib
