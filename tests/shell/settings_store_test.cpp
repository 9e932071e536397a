// The per-user settings store: every pet name is its own section, values
// come back as written, a damaged file never crashes, and a save killed at
// any moment leaves the old record or the new one, never a mix.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/mount.h>
#include <unistd.h>

#include "shell/settings_store.h"

namespace {

using nib::SettingsStore;

constexpr int kRecordKeys = 43;
const char kKillSection[] = "Kill/Test [pet]";
const char kOtherSection[] = "Bystander";

std::string RecordKey(int i) { return "Key" + std::to_string(i); }

// Same text in every key of one save, so a torn save shows as a mix.
std::string RecordValue(long long generation) {
  return std::to_string(generation) + ";padding so that the file is several kilobytes long";
}

long long GenerationOf(const std::string& value) {
  const auto cut = value.find(';');
  if (cut == std::string::npos || value != RecordValue(std::stoll(value.substr(0, cut)))) return -1;
  return std::stoll(value.substr(0, cut));
}

// The saving child of the kill test reports each point of a save on stdout
// ("before 7", "inside 7", "after 7") and waits there for a line on stdin,
// so the parent can kill it right at a point, or let it go and kill it
// somewhere before the next one. It resumes from the generation on disk, so
// generations only grow.
void ReportAndWait(const char* point, long long generation) {
  std::printf("%s %lld\n", point, generation);
  std::fflush(stdout);
  for (int c = std::getchar(); c != '\n'; c = std::getchar()) {
    if (c == EOF) std::_Exit(1);
  }
}

int SaveLoop(const QString& ini) {
  SettingsStore store(ini);
  long long generation = GenerationOf(store.Read(kKillSection, RecordKey(0), "0;"));
  if (generation < 0) generation = 0;
  store.SetBeforeReplaceHook([&generation] { ReportAndWait("inside", generation); });
  for (;;) {
    ++generation;
    ReportAndWait("before", generation);
    for (int i = 0; i < kRecordKeys; ++i) {
      store.Write(kKillSection, RecordKey(i), RecordValue(generation));
    }
    store.Flush();
    ReportAndWait("after", generation);
  }
}

// The lock holder takes the store's lock, says "locked" and keeps it until
// a line comes on stdin. A store that waited for the lock would hang the
// test: the alarm ends the holder before the test's own time runs out.
int HoldLock(const QString& lock_path) {
  alarm(120);
  QLockFile lock(lock_path);
  if (!lock.tryLock(0)) return 2;
  std::printf("locked\n");
  std::fflush(stdout);
  for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
  }
  return 0;
}

void StartLockHolder(QProcess& holder, const QString& lock_path) {
  holder.start(QCoreApplication::applicationFilePath(), {"--hold-lock", lock_path});
  QVERIFY2(holder.waitForStarted(60000), qPrintable(holder.errorString()));
  while (!holder.canReadLine()) {
    QVERIFY2(holder.waitForReadyRead(60000), "the holder never took the lock");
  }
  QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
}

void WriteRaw(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadRaw(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The small-disk child runs in its own user and mount namespaces, mounts a
// 64 KiB tmpfs and fills it (or makes it read-only) under a store. It
// prints what went wrong and exits 1, or kNoSmallDisk when it cannot mount.
constexpr int kNoSmallDisk = 77;
const char kOnSmallDisk[] = "on a small disk";

int Failure(const QString& what) {
  std::printf("FAIL: %s\n", qUtf8Printable(what));
  return 1;
}

int OnSmallDisk(const QString& mount_point, const QString& kind) {
  std::printf("%s\n", kOnSmallDisk);
  const QByteArray where = QFile::encodeName(mount_point);
  if (mount("nibbet-test", where.constData(), "tmpfs", 0, "size=64k") != 0) {
    std::printf("mount: %s\n", std::strerror(errno));
    return kNoSmallDisk;
  }
  const QString ini = mount_point + "/store.ini";
  SettingsStore store(ini);
  store.Write("Nibbet", "Age", "1");
  store.Write("Other", "Age", "other's");
  if (!store.Flush()) return Failure("the first save: " + store.LastError());
  const QByteArray before = ReadRaw(ini);

  const QString filler_path = mount_point + "/filler";
  const bool full = kind == "full";
  if (full) {
    QFile filler(filler_path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return Failure("no filler");
    const QByteArray page(4096, 'f');
    while (filler.write(page) == page.size()) {
    }
    // Room for the lock file, none for the new text.
    if (!filler.resize(filler.size() - 2 * page.size())) return Failure("cannot make room");
  } else if (mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
    return Failure(QString("remount read-only: ") + std::strerror(errno));
  }

  const QString reason = full ? "No space left on device" : "read-only";
  const std::string padding(16000, 'p');
  for (int minute = 2; minute <= 3; ++minute) {
    store.Write("Nibbet", "Age", std::to_string(minute) + padding);
    if (store.Flush()) return Failure("saved on a " + kind + " disk");
    if (!store.LastError().contains(reason)) return Failure("the reason: " + store.LastError());
    if (ReadRaw(ini) != before) return Failure("the old file changed");
  }

  if (full ? !QFile::remove(filler_path)
           : mount(nullptr, where.constData(), nullptr, MS_REMOUNT, nullptr) != 0) {
    return Failure("cannot undo the " + kind + " disk");
  }
  if (!store.Flush()) return Failure("the save after: " + store.LastError());
  SettingsStore fresh(ini);
  if (fresh.Read("Nibbet", "Age", "none") != "3" + padding) return Failure("the pet is lost");
  if (fresh.Read("Other", "Age", "none") != "other's") return Failure("the other pet is lost");
  return 0;
}

}  // namespace

class SettingsStoreTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir temp_;
  int files_ = 0;
  QString NewIni() { return temp_.path() + QString("/store%1.ini").arg(++files_); }

  static QStringList SectionNames() {
    return {"Nibbet", "My Pet", "", " ", "  leading and trailing  ", "[x]", "a=b", "a;b", "#hash",
            "General", "general", "GENERAL", "%General", "%67eneral", "a/b", "a\\b", "a%2Fb",
            "a%5Cb", "a%b", "%25", "/",
            "\\", "//", "a//b", "\"quoted\"", "tab\there", "line\nbreak", "Zoë", "ニベット", "🐣",
            "Case", "case", "CASE", QString(1000, 'n'), QString(999, 'n') + 'N'};
  }

 private slots:
  void initTestCase() { QVERIFY(temp_.isValid()); }

  // Every name is its own section: none reads another's value, and they
  // all survive a fresh read of the file.
  void sectionNamesStayDistinct() {
    const QString ini = NewIni();
    const QStringList names = SectionNames();
    {
      SettingsStore store(ini);
      for (int i = 0; i < names.size(); ++i) {
        store.Write(names[i].toStdString(), "Age", std::to_string(i));
        store.Write(names[i].toStdString(), "Name", names[i].toStdString());
      }
      store.Flush();
    }
    SettingsStore fresh(ini);
    for (int i = 0; i < names.size(); ++i) {
      const std::string section = names[i].toStdString();
      QCOMPARE(fresh.Read(section, "Age", "none"), std::to_string(i));
      QCOMPARE(fresh.Read(section, "Name", "none"), section);
    }
    // QSettings sees exactly one section per name (the empty name is its
    // top-level keys).
    QSettings raw(ini, QSettings::IniFormat);
    QCOMPARE(raw.childGroups().size(), names.size() - 1);
    QCOMPARE(fresh.Read("never written", "Age", "none"), std::string("none"));
    QCOMPARE(fresh.Read("Nibbet", "Weight", "5"), std::string("5"));
    // Plain names stay readable for a person opening the file.
    const QByteArray text = ReadRaw(ini);
    QVERIFY(text.contains("[Nibbet]"));
    QVERIFY(text.contains("[%General]"));
  }

  void valuesRoundTrip_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << "";
    QTest::newRow("plain") << "Nibbet";
    QTest::newRow("number") << "-12.5";
    QTest::newRow("comma list") << "a,b,c";
    QTest::newRow("spaces around") << "  x  ";
    QTest::newRow("ini syntax") << "[s]\nk=v;c#d";
    QTest::newRow("quotes and escapes") << "\"q\" \\n \\\\ \\";
    QTest::newRow("looks like a type") << "@Rect(1 2 3 4)";
    QTest::newRow("looks like bytes") << "@ByteArray(x)";
    QTest::newRow("percent") << "%41%25%";
    QTest::newRow("non-ASCII") << "Zoë ニベット 🐣";
    QTest::newRow("control characters") << QString("a\tb\rc\x01");
    QTest::newRow("long") << QString(100000, 'v');
  }

  void valuesRoundTrip() {
    QFETCH(QString, value);
    const QString ini = NewIni();
    const std::string text = value.toStdString();
    {
      SettingsStore store(ini);
      store.Write("Nibbet", "Value", text);
      QCOMPARE(store.Read("Nibbet", "Value", "none"), text);
      store.Flush();
    }
    SettingsStore fresh(ini);
    QCOMPARE(fresh.Read("Nibbet", "Value", "none"), text);
  }

  void overwriteKeepsTheLastValue() {
    const QString ini = NewIni();
    SettingsStore store(ini);
    store.Write("Nibbet", "Age", "1");
    store.Flush();
    store.Write("Nibbet", "Age", "2");
    store.Write("Nibbet", "Age", "3");
    store.Flush();
    QCOMPARE(SettingsStore(ini).Read("Nibbet", "Age", "none"), std::string("3"));
  }

  // Keys with separators are escaped like section names, and an empty key
  // is refused rather than touching the section itself.
  void oddKeys() {
    const QString ini = NewIni();
    {
      SettingsStore store(ini);
      store.Write("Nibbet", "a/b", "slash");
      store.Write("Nibbet", "a\\b", "backslash");
      store.Write("Nibbet/a", "b", "section with slash");
      store.Write("Nibbet", "", "empty key");
      store.Write("", "Nibbet", "top-level key");
      store.Flush();
    }
    SettingsStore fresh(ini);
    QCOMPARE(fresh.Read("Nibbet", "a/b", "none"), std::string("slash"));
    QCOMPARE(fresh.Read("Nibbet", "a\\b", "none"), std::string("backslash"));
    QCOMPARE(fresh.Read("Nibbet/a", "b", "none"), std::string("section with slash"));
    QCOMPARE(fresh.Read("Nibbet", "", "none"), std::string("none"));
    QCOMPARE(fresh.Read("", "Nibbet", "none"), std::string("top-level key"));
  }

  // Writes wait for Flush: a batch reaches the file whole or not at all.
  void writesWaitForFlush() {
    const QString ini = NewIni();
    SettingsStore store(ini);
    store.Write("Nibbet", "Age", "1");
    store.Flush();
    const QByteArray before = ReadRaw(ini);
    store.Write("Nibbet", "Age", "2");
    store.Write("Nibbet", "Weight", "9");
    QCOMPARE(ReadRaw(ini), before);
    store.Flush();
    QVERIFY(ReadRaw(ini) != before);
    QCOMPARE(SettingsStore(ini).Read("Nibbet", "Weight", "none"), std::string("9"));
  }

  // A save killed at the wrong moment leaves its lock file behind, empty
  // or naming a dead process, of any age. The next save goes through at
  // its first try.
  void leftLocksNeverStallSaves_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("age_s");
    QTest::newRow("empty, just made") << QByteArray() << 0;
    QTest::newRow("empty, a minute old") << QByteArray() << 60;
    QTest::newRow("empty, from the future") << QByteArray() << -600;
    QTest::newRow("another host's process") << QByteArray("4242\nnibbet-simulator\nelsewhere\n")
                                            << 0;
    QTest::newRow("garbage") << QByteArray("\xff\xfe not a lock\n") << 5;
    QTest::newRow("killed owner") << QByteArray("killed") << 0;
  }

  void leftLocksNeverStallSaves() {
    QFETCH(QByteArray, content);
    QFETCH(int, age_s);
    const QString ini = NewIni();
    const QString lock_path = ini + ".lock";
    if (content == "killed") {
      QProcess owner;
      StartLockHolder(owner, lock_path);
      if (QTest::currentTestFailed()) return;
      owner.kill();
      QVERIFY(owner.waitForFinished(60000));
      QVERIFY(QFileInfo(lock_path).size() > 0);
    } else {
      WriteRaw(lock_path, content);
      QFile lock(lock_path);
      QVERIFY(lock.open(QIODevice::ReadWrite));
      QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-age_s),
                               QFileDevice::FileModificationTime));
    }
    SettingsStore store(ini);
    store.Write("Nibbet", "Age", "8");
    QVERIFY2(store.Flush(), qPrintable(store.LastError()));
    QCOMPARE(SettingsStore(ini).Read("Nibbet", "Age", "none"), std::string("8"));
    QVERIFY(!QFileInfo::exists(lock_path));
  }

  // While another program holds the lock, a save gives up (after a short,
  // bounded wait) and keeps its values; the next save after the lock is
  // let go writes them.
  void heldLockFailsTheSaveUntilLetGo() {
    const QString ini = NewIni();
    QProcess owner;
    StartLockHolder(owner, ini + ".lock");
    if (QTest::currentTestFailed()) return;
    SettingsStore store(ini);
    store.Write("Nibbet", "Age", "9");
    QVERIFY(!store.Flush());
    QVERIFY2(store.LastError().contains("another program"), qPrintable(store.LastError()));
    QCOMPARE(store.Read("Nibbet", "Age", "none"), std::string("9"));
    QCOMPARE(SettingsStore(ini).Read("Nibbet", "Age", "none"), std::string("none"));
    QVERIFY(!store.Flush());

    QVERIFY(owner.write("\n") == 1);
    QVERIFY(owner.waitForFinished(60000));
    QCOMPARE(owner.exitCode(), 0);
    QVERIFY2(store.Flush(), qPrintable(store.LastError()));
    QVERIFY(store.LastError().isEmpty());
    QCOMPARE(SettingsStore(ini).Read("Nibbet", "Age", "none"), std::string("9"));
  }

  // A store that cannot be written fails every save and says why; nothing
  // written meanwhile is lost, and the first save after the cause is gone
  // lands all of it. Permissions bind no one as root: those rows skip.
  void unwritableStoreKeepsThePet_data() {
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("needs_user");
    QTest::newRow("folder in place of the file") << "folder" << "it is a folder" << false;
    QTest::newRow("file in place of its folder") << "parent file" << "is a file, not a folder"
                                                 << false;
    QTest::newRow("read-only file") << "read-only file" << "read-only" << true;
    QTest::newRow("read-only folder") << "read-only folder" << "read-only" << true;
  }

  void unwritableStoreKeepsThePet() {
    QFETCH(QString, cause);
    QFETCH(QString, reason);
    QFETCH(bool, needs_user);
    if (needs_user && geteuid() == 0) QSKIP("root writes whatever the permissions say");
    const QString folder = temp_.path() + QString("/unwritable%1").arg(++files_);
    const QString ini = folder + "/store.ini";
    QVERIFY(QDir().mkpath(folder));
    {
      SettingsStore store(ini);
      store.Write("Nibbet", "Age", "1");
      store.Write("Other", "Age", "other's");
      QVERIFY(store.Flush());
    }
    const QByteArray before = ReadRaw(ini);
    const auto set_cause = [&](bool on) {
      if (cause == "folder") {
        QVERIFY(on ? QFile::remove(ini) && QDir().mkdir(ini)
                   : QDir().rmdir(ini) && QFile(ini).open(QIODevice::WriteOnly));
        if (!on) WriteRaw(ini, before);
      } else if (cause == "parent file") {
        QVERIFY(on ? QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly)
                   : QFile::remove(folder) && QDir().mkpath(folder));
        if (!on) WriteRaw(ini, before);
      } else if (cause == "read-only file") {
        QVERIFY(QFile::setPermissions(ini, on ? QFile::ReadOwner
                                              : QFile::ReadOwner | QFile::WriteOwner));
      } else {
        QVERIFY(QFile::setPermissions(folder, on ? QFile::ReadOwner | QFile::ExeOwner
                                                 : QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner));
      }
    };
    set_cause(true);
    SettingsStore store(ini);
    for (int minute = 2; minute <= 4; ++minute) {
      store.Write("Nibbet", "Age", std::to_string(minute));
      QVERIFY(!store.Flush());
      QVERIFY2(store.LastError().contains(reason), qPrintable(store.LastError()));
      QCOMPARE(store.Read("Nibbet", "Age", "none"), std::to_string(minute));
    }
    store.Write("Nibbet", "Weight", "7");
    QVERIFY(!store.Flush());
    set_cause(false);
    if (QTest::currentTestFailed()) return;
    QVERIFY2(store.Flush(), qPrintable(store.LastError()));
    SettingsStore fresh(ini);
    QCOMPARE(fresh.Read("Nibbet", "Age", "none"), std::string("4"));
    QCOMPARE(fresh.Read("Nibbet", "Weight", "none"), std::string("7"));
    QCOMPARE(fresh.Read("Other", "Age", "none"), std::string("other's"));
  }

  // A full disk and a read-only one, on a small file system of a private
  // mount namespace (skipped where none can be made). The old file stays
  // whole while saves fail.
  void fullOrReadOnlyDisk_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("full disk") << "full";
    QTest::newRow("read-only disk") << "read-only";
  }

  void fullOrReadOnlyDisk() {
    QFETCH(QString, kind);
    const QString mount_point = temp_.path() + QString("/disk%1").arg(++files_);
    QVERIFY(QDir().mkpath(mount_point));
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("unshare", {"--user", "--map-root-user", "--mount",
                            QCoreApplication::applicationFilePath(), "--on-small-disk",
                            mount_point, kind});
    if (!child.waitForStarted(60000)) QSKIP("no unshare");
    QVERIFY(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    if (!output.contains(kOnSmallDisk) || child.exitCode() == kNoSmallDisk)
      QSKIP(qPrintable("no private small disk: " + output));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
  }

  // What a person might type into the file by hand.
  void handEditedValues_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("Age=5") << "5";
    QTest::newRow("unquoted list") << QByteArray("Age=a,b") << "a,b";
    QTest::newRow("quoted list") << QByteArray("Age=\"a,b\"") << "a,b";
    QTest::newRow("spaces") << QByteArray("Age =  7  ") << "7";
    QTest::newRow("empty") << QByteArray("Age=") << "";
    QTest::newRow("rect") << QByteArray("Age=@Rect(1 2 3 4)") << "fallback";
    QTest::newRow("broken variant") << QByteArray("Age=@Variant(\\0\\0\\0\\x7f)") << "fallback";
    QTest::newRow("byte array") << QByteArray("Age=@ByteArray(12)") << "12";
    QTest::newRow("utf-8") << QByteArray("Age=Zo\xc3\xab") << "Zoë";
    QTest::newRow("no equals sign") << QByteArray("Age") << "fallback";
  }

  void handEditedValues() {
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    const QString ini = NewIni();
    WriteRaw(ini, "[Nibbet]\n" + line + "\nName=Nib\n");
    SettingsStore store(ini);
    QCOMPARE(store.Read("Nibbet", "Age", "fallback"), expected.toStdString());
  }

  // A damaged file never crashes, and the pet written after it is saved.
  void garbledFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray junk(5000, '\0');
    QRandomGenerator random(7);
    for (char& c : junk) c = char(random.bounded(256));
    QTest::newRow("binary junk") << junk;
    QTest::newRow("huge line") << QByteArray(3'000'000, 'x');
    QTest::newRow("huge section line") << "[" + QByteArray(200'000, 'y');
    QTest::newRow("unclosed quote") << QByteArray("[Nibbet]\nAge=\"5\n[Other]\nx=1\n");
    QTest::newRow("nul bytes") << QByteArray("[Nibbet]\nAge=5\0\0\0=\n", 20);
    QTest::newRow("bad escapes") << QByteArray("[%ZZ%U12]\n%GG=\\x\\u\\\n");
  }

  void garbledFiles() {
    QFETCH(QByteArray, bytes);
    const QString ini = NewIni();
    WriteRaw(ini, bytes);
    {
      SettingsStore store(ini);
      store.Read("Nibbet", "Age", "fallback");
      store.Write("My Pet", "Age", "12");
      store.Flush();
    }
    QCOMPARE(SettingsStore(ini).Read("My Pet", "Age", "none"), std::string("12"));
  }

  // A folder where the file should be reads as an empty store.
  void fileThatIsAFolder() {
    const QString ini = NewIni();
    QVERIFY(QDir().mkpath(ini));
    SettingsStore store(ini);
    QCOMPARE(store.Read("Nibbet", "Age", "fallback"), std::string("fallback"));
    store.Write("Nibbet", "Age", "3");
    QVERIFY(!store.Flush());
    QVERIFY(QFileInfo(ini).isDir());
  }

  void fileInAMissingFolderIsCreated() {
    const QString ini = temp_.path() + "/new/deeper/store.ini";
    {
      SettingsStore store(ini);
      store.Write("Nibbet", "Age", "4");
      store.Flush();
    }
    QCOMPARE(SettingsStore(ini).Read("Nibbet", "Age", "none"), std::string("4"));
  }

  // The user store lives in the user's configuration folder under the
  // program's name (main() points that folder into a temporary one).
  void userStore() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!config.isEmpty());
    {
      SettingsStore store;
      QCOMPARE(store.FilePath(), config + "/Nibbet Simulator/Nibbet Simulator.ini");
      store.Write("Nibbet", "Age", "6");
      store.Flush();
    }
    QCOMPARE(SettingsStore().Read("Nibbet", "Age", "none"), std::string("6"));
  }

  // Kills a saving child before a save, inside it (the new file written,
  // the old one not yet replaced) and after it: right at the point, or let
  // go and killed anywhere before the next point. The file then holds
  // exactly the generation the point allows, as one whole record, and the
  // other section is untouched.
  void killedSaveLeavesAWholeRecord() {
    const QString ini = temp_.path() + "/killed/store.ini";
    QVERIFY(QDir().mkpath(QFileInfo(ini).absolutePath()));
    {
      SettingsStore store(ini);
      for (int i = 0; i < kRecordKeys; ++i) store.Write(kOtherSection, RecordKey(i), "still here");
      store.Flush();
    }
    // Whatever a killed child leaves in its scratch folder stays in ours.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temp_.path());

    enum Point { kBefore, kInside, kAfter, kPoints };
    const char* const names[kPoints] = {"before", "inside", "after"};
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const int kills = 200;
    int at_point[kPoints] = {}, past_point[kPoints] = {};
    int past_inside_landed = 0, at_start = 0;
    long long on_disk = 0;  // 0: no record yet
    QElapsedTimer timer;
    timer.start();
    for (int kill = 0; kill < kills; ++kill) {
      const QString where = QString("kill %1 (seed %2)").arg(kill).arg(seed);
      QProcess child;
      child.setProcessEnvironment(environment);
      child.start(QCoreApplication::applicationFilePath(), {"--save-loop", ini});
      QVERIFY2(child.waitForStarted(60000), qPrintable(child.errorString()));

      // The first kills land while the child starts, before its first save.
      const bool at_once = kill < 3;
      const Point point = Point((kill - 3) % kPoints);
      const bool past = (kill - 3) / kPoints % 2 == 1;
      const long long target = on_disk + 1 + random.bounded(3);
      long long generation = 0;
      if (!at_once) {
        for (bool first_report = true;; first_report = false) {
          while (!child.canReadLine()) {
            QVERIFY2(child.waitForReadyRead(60000),
                     qPrintable(where + ": the saving child stopped reporting"));
          }
          const QByteArray line = child.readLine().trimmed();
          const QList<QByteArray> report = line.split(' ');
          QVERIFY2(report.size() == 2, qPrintable(where + ": " + line));
          generation = report[1].toLongLong();
          // The child goes on from the record on disk.
          if (first_report) QCOMPARE(line, "before " + QByteArray::number(on_disk + 1));
          QVERIFY2(generation <= target, qPrintable(where + ": " + line));
          if (report[0] == names[point] && generation == target) break;
          QVERIFY(child.write("\n") == 1);
        }
        if (past) {
          QVERIFY(child.write("\n") == 1);
          QVERIFY(child.waitForBytesWritten(60000));
        }
      }
      child.kill();  // SIGKILL
      QVERIFY(child.waitForFinished(60000));
      QCOMPARE(child.exitStatus(), QProcess::CrashExit);

      SettingsStore fresh(ini);
      const std::string first = fresh.Read(kKillSection, RecordKey(0), "absent");
      const long long found = first == "absent" ? 0 : GenerationOf(first);
      QVERIFY2(found >= 0, qPrintable(where + ": key 0 is " + QString::fromStdString(first)));
      for (int i = 0; i < kRecordKeys; ++i) {
        const std::string expected = found == 0 ? "absent" : RecordValue(found);
        const std::string got = fresh.Read(kKillSection, RecordKey(i), "absent");
        QVERIFY2(got == expected, qPrintable(QString("%1: key %2 is '%3', key 0 is '%4'")
                                                 .arg(where).arg(i)
                                                 .arg(QString::fromStdString(got),
                                                      QString::fromStdString(first))));
        QCOMPARE(fresh.Read(kOtherSection, RecordKey(i), "lost"), std::string("still here"));
      }
      QVERIFY2(found >= on_disk, qPrintable(where + ": the record went back in time"));

      // The new file replaces the old one only after "inside", and the save
      // has landed by "after".
      long long expected = on_disk;
      if (at_once) {
        ++at_start;
      } else {
        (past ? past_point : at_point)[point]++;
        expected = point == kAfter ? generation : generation - 1;
        if (point == kInside && past && found == generation) {
          ++past_inside_landed;
          expected = generation;
        }
      }
      QVERIFY2(found == expected, qPrintable(QString("%1: killed %2 %3 %4, the file holds %5")
                                                 .arg(where).arg(past ? "past" : "at")
                                                 .arg(at_once ? "start" : names[point])
                                                 .arg(generation).arg(found)));
      on_disk = found;
    }
    qInfo("kill test: %d kills in %lld ms (seed %u): %d at start; at before/inside/after "
          "%d/%d/%d; past before/inside/after %d/%d/%d (%d past inside landed); last generation "
          "%lld",
          kills, timer.elapsed(), seed, at_start, at_point[kBefore], at_point[kInside],
          at_point[kAfter], past_point[kBefore], past_point[kInside], past_point[kAfter],
          past_inside_landed, on_disk);
    QVERIFY2(on_disk > 0, "no save ever completed");
  }
};

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--save-loop") == 0) {
    return SaveLoop(QString::fromLocal8Bit(argv[2]));
  }
  if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0) {
    return HoldLock(QString::fromLocal8Bit(argv[2]));
  }
  if (argc == 4 && std::strcmp(argv[1], "--on-small-disk") == 0) {
    return OnSmallDisk(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  }
  // Never touch the real user's settings.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QCoreApplication app(argc, argv);
  SettingsStoreTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "settings_store_test.moc"
