// The per-user settings store: an INI file of application "Nibbet Simulator"
// with one group per pet name and every value as text.
#pragma once

#include <QMap>
#include <QString>
#include <QVariant>
#include <functional>
#include <string>

namespace nib {

class SettingsStore {
 public:
  // The user-scope store of the program.
  SettingsStore();
  // A store in the given INI file (tests).
  explicit SettingsStore(const QString& ini_path);
  // Saves writes not yet flushed.
  ~SettingsStore();

  // Any section name works, even empty, with slashes, backslashes,
  // brackets, "=", non-ASCII or very long: each name is its own section.
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback);
  void Write(const std::string& section, const std::string& key, const std::string& value);
  // Commits the written keys in one atomic file replacement, on top of
  // whatever other processes saved meanwhile. False when they could not be
  // saved: they stay pending for the next Flush, Read still returns them,
  // and LastError() says why.
  bool Flush();
  QString FilePath() const;
  // Why the last failed save failed, as a short phrase for the user
  // ("it is a folder", "No space left on device").
  QString LastError() const { return last_error_; }

  // The longest a save waits for another program's lock on the file
  // before it gives up until the next Flush.
  static constexpr int kLockWaitMs = 250;

  // Tests only: Flush calls it once the new file is fully written and
  // before it replaces the old one, so a test can kill a save right there.
  void SetBeforeReplaceHook(std::function<void()> hook) { before_replace_ = std::move(hook); }

 private:
  void Load();
  bool Save(QString* why);

  QString path_;
  // The file as last loaded or saved, and the writes not saved yet.
  QVariantMap saved_;
  QMap<QString, QString> pending_;
  QString last_error_;
  std::function<void()> before_replace_;
};

}  // namespace nib
