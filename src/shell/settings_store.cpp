#include "shell/settings_store.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <QtDebug>

namespace nib {
namespace {

// QSettings reads '/' and '\' in a group or key as hierarchy and collapses
// them; escaping them (and '%' so the mapping stays one-to-one) keeps every
// name its own section. QSettings escapes everything else in the file.
QString EscapeName(const std::string& utf8) {
  const QString name = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QString out;
  out.reserve(name.size());
  for (QChar c : name) {
    if (c == u'%') {
      out += QLatin1String("%25");
    } else if (c == u'/') {
      out += QLatin1String("%2F");
    } else if (c == u'\\') {
      out += QLatin1String("%5C");
    } else {
      out += c;
    }
  }
  return out;
}

// The empty name is a real section (QSettings keeps it as top-level keys,
// in [General]); "General" itself is stored by QSettings as [%General].
QString FullKey(const std::string& section, const std::string& key) {
  const QString group = EscapeName(section);
  const QString name = EscapeName(key);
  return group.isEmpty() ? name : group + u'/' + name;
}

// QSettings guards each save with "<file>.lock". A save killed between
// creating that file and writing its owner into it leaves an empty lock that
// QSettings only breaks after 30 seconds, freezing every later save. A live
// owner fills its lock at once, so an empty one older than a second is
// abandoned; QLockFile's own stale-lock removal breaks it without races.
void BreakAbandonedLock(const QString& ini_path) {
  const QString lock_path = ini_path + QLatin1String(".lock");
  const QFileInfo info(lock_path);
  if (!info.isFile() || info.size() != 0) return;
  QLockFile lock(lock_path);
  lock.setStaleLockTime(1000);
  if (lock.tryLock(0)) lock.unlock();
}

}  // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Nibbet Simulator"),
                                            QStringLiteral("Nibbet Simulator"))) {}

SettingsStore::SettingsStore(const QString& ini_path)
    : settings_(std::make_unique<QSettings>(ini_path, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

std::string SettingsStore::Read(const std::string& section, const std::string& key,
                                const std::string& fallback) {
  // An empty key would name the section's parent and could read another
  // pet's value.
  if (key.empty()) return fallback;
  const QVariant value = settings_->value(FullKey(section, key));
  if (!value.isValid()) return fallback;
  // A hand-edited, unquoted "a,b" comes back as a list.
  if (value.metaType().id() == QMetaType::QStringList) {
    return value.toStringList().join(u',').toStdString();
  }
  // "@Rect(...)" and the like have no text form: keep the fallback.
  if (!value.canConvert<QString>()) return fallback;
  return value.toString().toStdString();
}

void SettingsStore::Write(const std::string& section, const std::string& key,
                          const std::string& value) {
  if (key.empty()) return;
  settings_->setValue(FullKey(section, key),
                      QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void SettingsStore::Flush() {
  BreakAbandonedLock(settings_->fileName());
  // QSettings writes the file through a temporary file and a rename, so a
  // crash leaves either the old or the new file.
  settings_->sync();
  if (settings_->status() == QSettings::AccessError) {
    qWarning("Nibbet Simulator: cannot save the settings to %s",
             qUtf8Printable(settings_->fileName()));
  }
}

QString SettingsStore::FilePath() const { return settings_->fileName(); }

}  // namespace nib
