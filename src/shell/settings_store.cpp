#include "shell/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <utility>

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
  QString group = EscapeName(section);
  // QSettings writes every case of "general" as [%General] and reads it
  // back as "General"; escaping the other cases' first letter keeps them
  // apart.
  if (group != u"General" && group.compare(u"general", Qt::CaseInsensitive) == 0) {
    group.replace(0, 1, group[0] == u'g' ? QLatin1String("%67") : QLatin1String("%47"));
  }
  const QString name = EscapeName(key);
  return group.isEmpty() ? name : group + u'/' + name;
}

// QSettings guards each save with "<file>.lock", and so does the store. A
// save killed at the wrong moment leaves that file behind, empty or naming a
// dead process, and QLockFile only breaks such a lock once it is 30 seconds
// old. A live owner holds a native lock on the file from before it writes
// it until it lets go, which removeStaleLockFile() respects: so a lock that
// cannot be had at once is broken unless someone holds it, and a held one
// is waited for only briefly. The save then fails and comes again.
bool TakeLock(QLockFile& lock, QString* why) {
  if (lock.tryLock(0)) return true;
  if (lock.error() == QLockFile::LockFailedError) {
    lock.removeStaleLockFile();
    if (lock.tryLock(SettingsStore::kLockWaitMs)) return true;
  }
  const QString name = QDir::toNativeSeparators(lock.fileName());
  switch (lock.error()) {
    case QLockFile::LockFailedError:
      *why = QStringLiteral("another program is saving it (%1 is in use)").arg(name);
      break;
    case QLockFile::PermissionError:
      *why = QStringLiteral("its folder is read-only (%1 cannot be made)").arg(name);
      break;
    default:
      *why = QStringLiteral("%1 cannot be made").arg(name);
      break;
  }
  return false;
}

// Why the folder of `path` could not be made: a file stands where one of its
// folders should be, or it may not be made.
QString FolderProblem(const QString& path) {
  for (QFileInfo folder(QFileInfo(path).absolutePath()); !folder.isRoot();
       folder.setFile(folder.absolutePath())) {
    if (folder.exists() && !folder.isDir()) {
      return QStringLiteral("%1 is a file, not a folder")
          .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    }
  }
  return QStringLiteral("its folder %1 cannot be made")
      .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

// Writes all of `text`: a disk that fills up takes part of it first, and
// only the write after that says why.
bool WriteAll(QSaveFile& file, const QByteArray& text) {
  qint64 done = 0;
  while (done < text.size()) {
    const qint64 wrote = file.write(text.constData() + done, text.size() - done);
    if (wrote <= 0) return false;
    done += wrote;
  }
  return file.flush();
}

QVariantMap AllValues(const QSettings& ini) {
  QVariantMap values;
  const QStringList keys = ini.allKeys();
  for (const QString& key : keys) values.insert(key, ini.value(key));
  return values;
}

// QSettings is the INI reader and writer, but it only works on files and
// writes them with its own rename, leaving the store no moment between the
// new file and the replacement. So the text goes through a private scratch
// file: parsed there into *values and, with changes, rewritten into
// *new_text. A fresh scratch path also keeps QSettings from using a cached
// parse of an older file of the same size and time.
bool Recode(const QByteArray& text, const QMap<QString, QString>& changes, QByteArray* new_text,
            QVariantMap* values) {
  const QTemporaryDir scratch;
  if (!scratch.isValid()) return false;
  const QString path = scratch.filePath(QStringLiteral("settings.ini"));
  // QSettings never writes comments, so this leading one still being there
  // after sync() means the write failed (status() keeps only the first
  // error, often the FormatError of a damaged file). It goes after a BOM,
  // which QSettings skips only at the very start.
  const qsizetype bom = text.startsWith("\xef\xbb\xbf") ? 3 : 0;
  const QByteArray marked = text.left(bom) + ";\n" + text.mid(bom);
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(marked) != marked.size()) return false;
  }
  QSettings ini(path, QSettings::IniFormat);
  if (!changes.isEmpty()) {
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) ini.setValue(it.key(), it.value());
    ini.sync();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    *new_text = file.readAll();
    if (*new_text == marked) return false;
  }
  *values = AllValues(ini);
  return true;
}

}  // namespace

SettingsStore::SettingsStore()
    : path_(QSettings(QSettings::IniFormat, QSettings::UserScope,
                      QStringLiteral("Nibbet Simulator"), QStringLiteral("Nibbet Simulator"))
                .fileName()) {
  Load();
}

SettingsStore::SettingsStore(const QString& ini_path)
    : path_(QFileInfo(ini_path).absoluteFilePath()) {
  Load();
}

SettingsStore::~SettingsStore() {
  if (!pending_.isEmpty()) Flush();
}

std::string SettingsStore::Read(const std::string& section, const std::string& key,
                                const std::string& fallback) {
  // An empty key would name the section's parent and could read another
  // pet's value.
  if (key.empty()) return fallback;
  const QString full_key = FullKey(section, key);
  const auto written = pending_.constFind(full_key);
  if (written != pending_.cend()) return written->toStdString();
  const auto found = saved_.constFind(full_key);
  if (found == saved_.cend() || !found->isValid()) return fallback;
  const QVariant& value = *found;
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
  pending_.insert(FullKey(section, key),
                  QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

bool SettingsStore::Flush() {
  // Nothing to save: pick up what other processes saved, as QSettings did.
  if (pending_.isEmpty()) {
    Load();
    return true;
  }
  QString why;
  if (!Save(&why)) {
    last_error_ = why;
    return false;
  }
  last_error_.clear();
  return true;
}

QString SettingsStore::FilePath() const { return path_; }

void SettingsStore::Load() {
  // A file that cannot be read counts as empty, as in QSettings; one that
  // exists but cannot be opened keeps what was loaded before.
  QByteArray text;
  if (QFileInfo::exists(path_)) {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return;
    text = file.readAll();
  }
  QByteArray unused;
  if (!Recode(text, {}, &unused, &saved_)) {
    // No scratch folder: read the file directly.
    saved_ = AllValues(QSettings(path_, QSettings::IniFormat));
  }
}

bool SettingsStore::Save(QString* why) {
  const QFileInfo target(path_);
  if (target.isDir()) {
    *why = QStringLiteral("it is a folder, not a file");
    return false;
  }
  if (!QDir().mkpath(target.absolutePath())) {
    *why = FolderProblem(path_);
    return false;
  }
  // The lock QSettings takes for the same file.
  QLockFile lock(path_ + QLatin1String(".lock"));
  if (!TakeLock(lock, why)) return false;
  // Read again under the lock, so keys other processes saved since stay.
  const bool existed = QFileInfo::exists(path_);
  QByteArray old_text;
  if (existed) {
    QFile file(path_);
    // Never replace a file that cannot be read.
    if (!file.open(QIODevice::ReadOnly)) {
      *why = QStringLiteral("it cannot be read (%1)").arg(file.errorString());
      return false;
    }
    old_text = file.readAll();
  }
  QByteArray new_text;
  QVariantMap values;
  if (!Recode(old_text, pending_, &new_text, &values)) {
    *why = QStringLiteral("no room for a scratch copy in %1")
               .arg(QDir::toNativeSeparators(QDir::tempPath()));
    return false;
  }
  // The new text goes to a temporary file that atomically replaces the
  // old one, so a crash leaves either the old or the new file.
  QSaveFile file(path_);
  // Unbuffered, so a failed write reports its cause ("No space left on
  // device") rather than a flush's "Unknown error".
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    *why = existed && !QFileInfo(path_).isWritable() ? QStringLiteral("the file is read-only")
                                                     : file.errorString();
    return false;
  }
  if (!WriteAll(file, new_text)) {
    *why = file.errorString();
    return false;
  }
  if (before_replace_) before_replace_();
  if (!file.commit()) {
    *why = file.errorString();
    return false;
  }
  // As QSettings does for a file it creates.
  if (!existed) {
    QFile::setPermissions(path_,
                          QFile::permissions(path_) | QFile::ReadOwner | QFile::WriteOwner);
  }
  saved_ = std::move(values);
  pending_.clear();
  return true;
}

}  // namespace nib
