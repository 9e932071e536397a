// The per-user settings store: every pet name is its own section, values
// come back as written, a damaged file never crashes, and a save killed at
// any moment leaves the old record or the new one, never a mix.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

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

// The child of the kill test: save full records as fast as possible until
// killed. It resumes from the generation on disk so generations only grow.
int SaveLoop(const QString& ini) {
  SettingsStore store(ini);
  long long generation = GenerationOf(store.Read(kKillSection, RecordKey(0), "0;"));
  if (generation < 0) generation = 0;
  std::fputs("ready\n", stdout);
  std::fflush(stdout);
  for (;;) {
    ++generation;
    for (int i = 0; i < kRecordKeys; ++i) store.Write(kKillSection, RecordKey(i), RecordValue(generation));
    store.Flush();
  }
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

}  // namespace

class SettingsStoreTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir temp_;
  int files_ = 0;
  QString NewIni() { return temp_.path() + QString("/store%1.ini").arg(++files_); }

  static QStringList SectionNames() {
    return {"Nibbet", "My Pet", "", " ", "  leading and trailing  ", "[x]", "a=b", "a;b", "#hash",
            "General", "general", "%General", "a/b", "a\\b", "a%2Fb", "a%5Cb", "a%b", "%25", "/",
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

  // A save killed just after it created its lock file leaves the lock
  // empty; later saves must not wait for it.
  void abandonedLockDoesNotStallSaves() {
    const QString ini = NewIni();
    QFile lock(ini + ".lock");
    QVERIFY(lock.open(QIODevice::WriteOnly));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-5),
                             QFileDevice::FileModificationTime));
    lock.close();
    QElapsedTimer timer;
    timer.start();
    {
      SettingsStore store(ini);
      store.Write("Nibbet", "Age", "8");
      store.Flush();
    }
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(SettingsStore(ini).Read("Nibbet", "Age", "none"), std::string("8"));
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

  void fileThatIsAFolder() {
    const QString ini = NewIni();
    QVERIFY(QDir().mkpath(ini));
    SettingsStore store(ini);
    QCOMPARE(store.Read("Nibbet", "Age", "fallback"), std::string("fallback"));
    store.Write("Nibbet", "Age", "3");
    store.Flush();  // cannot save; must not throw or crash
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

  // Kills a saving child at random moments. After every kill the file
  // holds either no record or a whole one of a single generation, never
  // older than before, and the other section is untouched.
  void killedSaveLeavesAWholeRecord() {
    const QString ini = temp_.path() + "/killed/store.ini";
    QVERIFY(QDir().mkpath(QFileInfo(ini).absolutePath()));
    {
      SettingsStore store(ini);
      for (int i = 0; i < kRecordKeys; ++i) store.Write(kOtherSection, RecordKey(i), "still here");
      store.Flush();
    }

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const int kills = 200;
    long long last_generation = 0;
    int absent = 0;
    std::set<long long> seen;
    QElapsedTimer timer;
    timer.start();
    for (int kill = 0; kill < kills; ++kill) {
      QProcess child;
      child.start(QCoreApplication::applicationFilePath(), {"--save-loop", ini});
      QVERIFY2(child.waitForStarted(10000), qPrintable(child.errorString()));
      // The first kills come before the child can save anything.
      if (kill >= 3) {
        QVERIFY2(child.waitForReadyRead(10000), "the saving child never started saving");
        QThread::usleep(random.bounded(30'001));
      }
      child.kill();  // SIGKILL
      QVERIFY(child.waitForFinished(10000));
      QCOMPARE(child.exitStatus(), QProcess::CrashExit);

      SettingsStore fresh(ini);
      const std::string first = fresh.Read(kKillSection, RecordKey(0), "absent");
      long long generation = 0;
      if (first == "absent") {
        ++absent;
        QVERIFY2(last_generation == 0, "a saved record disappeared");
      } else {
        generation = GenerationOf(first);
        QVERIFY2(generation > 0, first.c_str());
        seen.insert(generation);
      }
      for (int i = 0; i < kRecordKeys; ++i) {
        const std::string expected = generation == 0 ? "absent" : RecordValue(generation);
        const std::string got = fresh.Read(kKillSection, RecordKey(i), "absent");
        QVERIFY2(got == expected, qPrintable(QString("kill %1 (seed %2): key %3 is '%4', key 0 is '%5'")
                                                 .arg(kill).arg(seed).arg(i)
                                                 .arg(QString::fromStdString(got),
                                                      QString::fromStdString(first))));
        QCOMPARE(fresh.Read(kOtherSection, RecordKey(i), "lost"), std::string("still here"));
      }
      QVERIFY2(generation >= last_generation, "the record went back in time");
      last_generation = generation;
    }
    qInfo("kill test: %d kills in %lld ms, %d before the first save, %zu distinct generations "
          "seen, last generation %lld (seed %u)",
          kills, timer.elapsed(), absent, seen.size(), last_generation, seed);
    QVERIFY2(last_generation > 0, "no save ever completed");
    QVERIFY2(seen.size() > 10, "too few saves landed to show anything");
  }
};

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--save-loop") == 0) {
    return SaveLoop(QString::fromLocal8Bit(argv[2]));
  }
  // Never touch the real user's settings.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QCoreApplication app(argc, argv);
  SettingsStoreTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "settings_store_test.moc"
