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
#include <QtTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
  // Never touch the real user's settings.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QCoreApplication app(argc, argv);
  SettingsStoreTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "settings_store_test.moc"
