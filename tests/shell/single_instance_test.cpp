// One running program per pet: the socket each pet's name maps to, a socket
// left by a killed program, claims racing in one process, and the real
// program started twice, killed, and stopped by SIGTERM while it starts.
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <barrier>
#include <cstring>
#include <memory>
#include <vector>

#include "shell/quit_signals.h"
#include "shell/settings_store.h"
#include "shell/single_instance.h"

namespace {

using nib::QuitSignals;
using nib::SettingsStore;
using nib::SingleInstance;

// Only a broken program lets a wait run this long.
constexpr int kWaitMs = 60000;

// Names a pet may be given: empty, blank-edged, with slashes and INI
// brackets, very long, non-ASCII, and ones differing only in case, accent or
// one character.
QStringList StrangeNames() {
  return {QString(),
          QStringLiteral("Nibbet"),
          QStringLiteral("nibbet"),
          QStringLiteral("Sir Wobble"),
          QStringLiteral(" Sir Wobble"),
          QStringLiteral("Sir Wobble "),
          QStringLiteral("a/b"),
          QStringLiteral("a\\b"),
          QStringLiteral("../../etc/passwd"),
          QStringLiteral("/"),
          QStringLiteral("a%2Fb"),
          QStringLiteral("[General]"),
          QStringLiteral("line\nbreak"),
          QStringLiteral("semi;colon=equals,comma"),
          QString(4000, u'x'),
          QString(4001, u'x'),
          QString::fromUtf8("Zoë"),
          QStringLiteral("Zoe"),
          QString::fromUtf8("ペット 🐣")};
}

// A socket file bound and closed but not removed, as a killed program
// leaves it.
bool LeaveStaleSocket(const QString& path) {
  const QByteArray encoded = QFile::encodeName(path);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  if (static_cast<size_t>(encoded.size()) >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, encoded.constData(), static_cast<size_t>(encoded.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return false;
  const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  ::close(fd);
  return bound && QFileInfo::exists(path);
}

// Whether a program listens at `path` and answers as a running pet does,
// which it does only from its event loop, once the pet is loaded.
bool AnswersAsRunning(const QString& path) {
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(kWaitMs)) return false;
  QByteArray answer;
  while (answer.size() < qsizetype(sizeof(SingleInstance::kAnswer) - 1) &&
         socket.waitForReadyRead(kWaitMs)) {
    answer += socket.readAll();
  }
  return answer == SingleInstance::kAnswer;
}

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private:
  QString Runtime() const { return qEnvironmentVariable("XDG_RUNTIME_DIR"); }
  QString Settings() const { return SingleInstance::UserSettingsPath(); }
  QString PathOf(const QString& pet) const { return SingleInstance::ServerPath(Settings(), pet); }

  // The real program on the offscreen platform, in this test's folders.
  QProcess& Start(const QStringList& words) {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program->setProcessEnvironment(environment);
    program->setProcessChannelMode(QProcess::MergedChannels);
    program->start(program_dir_ + QStringLiteral("/nibbet-simulator"), words);
    programs_.push_back(std::move(program));
    return *programs_.back();
  }

  // Waits until `program` has the pet loaded and serves later starts. The
  // socket file may be a killed program's leftover: only an answer counts.
  bool WaitUntilRunning(QProcess& program, const QString& pet) {
    const QString path = PathOf(pet);
    return QTest::qWaitFor(
               [&] { return program.state() == QProcess::NotRunning || AnswersAsRunning(path); },
               kWaitMs) &&
           program.state() == QProcess::Running;
  }

  // Waits for the program to end (waitForFinished alone fails on a program
  // that has ended already).
  static bool Finished(QProcess& program) {
    return program.state() == QProcess::NotRunning || program.waitForFinished(kWaitMs);
  }

  // SIGTERM, and the program's own normal end.
  bool TerminatesCleanly(QProcess& program) {
    program.terminate();
    return Finished(program) && program.exitStatus() == QProcess::NormalExit &&
           program.exitCode() == 0;
  }

  // The store as it is now on disk, as a copy, so that no cached reading of
  // the file can stand in for it; empty when there is no store.
  QString CopyOfStore() {
    const QString copy = scratch_.filePath(QStringLiteral("copy-%1.ini").arg(++copies_));
    if (!QFileInfo::exists(Settings()) || !QFile::copy(Settings(), copy)) return {};
    return copy;
  }

  // Whether the pet's section on disk holds a saved pet.
  bool Saved(const QString& pet) {
    const QString copy = CopyOfStore();
    return !copy.isEmpty() &&
           SettingsStore(copy).Read(pet.toStdString(), "InsulatingSheet", "") != "";
  }

  // The keys of a section on disk, for a name the store keeps as it is.
  QStringList SavedKeys(const QString& plain_name) {
    const QString copy = CopyOfStore();
    if (copy.isEmpty()) return {};
    QSettings store(copy, QSettings::IniFormat);
    if (!store.childGroups().contains(plain_name)) return {};
    store.beginGroup(plain_name);
    return store.childKeys();
  }

  QString program_dir_;
  QTemporaryDir scratch_;
  int copies_ = 0;
  std::vector<std::unique_ptr<QProcess>> programs_;

 private slots:
  void initTestCase() {
    QVERIFY(scratch_.isValid());
    // main() pointed both folders into fresh temporary ones.
    QVERIFY(Runtime().startsWith(QDir::tempPath()));
    QVERIFY(Settings().startsWith(QDir::tempPath()));
    program_dir_ = qEnvironmentVariable("NIBBET_PROGRAM_DIR");
  }

  void init() {
    // Every case starts from an empty store.
    QFile::remove(Settings());
  }

  void cleanup() {
    for (auto& program : programs_) {
      if (program->state() != QProcess::NotRunning) {
        program->kill();
        Finished(*program);
      }
      if (QTest::currentTestFailed()) {
        qInfo("Output of %s %s:\n%s", qUtf8Printable(program->program()),
              qUtf8Printable(program->arguments().join(u' ')), program->readAll().constData());
      }
    }
    programs_.clear();
  }

  // --- The socket path of a pet ---

  // The store's own file is the one the program claims its pets in.
  void claimsLiveBesideTheStore() { QCOMPARE(Settings(), SettingsStore().FilePath()); }

  // Each name, in each of two stores, gets its own short socket path in the
  // runtime folder, the same every time.
  void serverPathsAreShortValidAndDistinct() {
    const QRegularExpression file_name(QStringLiteral("^nibbet-[0-9a-f]{32}$"));
    const QStringList stores = {Settings(), scratch_.filePath(QStringLiteral("other.ini"))};
    QSet<QString> seen;
    for (const QString& store : stores) {
      for (const QString& name : StrangeNames()) {
        const QString path = SingleInstance::ServerPath(store, name);
        QCOMPARE(QFileInfo(path).path(), Runtime());
        QVERIFY2(file_name.match(QFileInfo(path).fileName()).hasMatch(), qPrintable(path));
        QVERIFY(QFile::encodeName(path).size() < qsizetype(sizeof(sockaddr_un::sun_path)) - 1);
        QCOMPARE(SingleInstance::ServerPath(store, name), path);
        seen.insert(path);
      }
    }
    QCOMPARE(seen.size(), stores.size() * StrangeNames().size());
  }

  // Too long a runtime folder for a socket address: the shared temporary
  // folder serves, and the pet is claimed there all the same.
  void overlongRuntimeFolderFallsBack() {
    const QString saved = Runtime();
    const QString deep = scratch_.filePath(QString(60, u'r') + u'/' + QString(60, u'r'));
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep));
    const QString path = PathOf(QStringLiteral("Deep"));
    {
      SingleInstance first(Settings(), QStringLiteral("Deep"));
      SingleInstance second(Settings(), QStringLiteral("Deep"));
      const bool first_claimed = first.Claim();
      const bool second_claimed = second.Claim();
      qputenv("XDG_RUNTIME_DIR", QFile::encodeName(saved));
      QVERIFY(path.startsWith(QStringLiteral("/tmp/nibbet-")));
      QVERIFY(first_claimed);
      QVERIFY(!second_claimed);
    }
    QVERIFY(!QFileInfo::exists(path));
  }

  // --- Claims in one process ---

  void secondClaimRaisesTheFirst_data() {
    QTest::addColumn<QString>("name");
    const QStringList names = StrangeNames();
    for (int i = 0; i < names.size(); ++i)
      QTest::addRow("%d: %s", i, qPrintable(names[i].left(20).replace(u'\n', u' '))) << names[i];
  }

  // Whatever the name, the first claim listens and the second finds it,
  // asks it to raise its window and gets its answer; released, the name is
  // free again and no socket file stays behind.
  void secondClaimRaisesTheFirst() {
    QFETCH(QString, name);
    const QString path = PathOf(name);
    {
      SingleInstance first(Settings(), name);
      QSignalSpy raised(&first, &SingleInstance::RaiseRequested);
      QVERIFY(first.Claim());
      QVERIFY(QFileInfo::exists(path));

      SingleInstance second(Settings(), name);
      QSignalSpy second_raised(&second, &SingleInstance::RaiseRequested);
      QVERIFY(!second.Claim());
      QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, kWaitMs);

      // A start that waits hears that the window is in front (heard
      // without blocking: the answer comes from this thread's event loop).
      QLocalSocket waiting;
      QByteArray heard;
      connect(&waiting, &QLocalSocket::readyRead, this, [&] { heard += waiting.readAll(); });
      waiting.connectToServer(path);
      QTRY_COMPARE_WITH_TIMEOUT(heard, QByteArray(SingleInstance::kAnswer), kWaitMs);
      QCOMPARE(raised.count(), 2);
      QCOMPARE(second_raised.count(), 0);
    }
    QVERIFY(!QFileInfo::exists(path));
    SingleInstance again(Settings(), name);
    QVERIFY(again.Claim());
  }

  // Other names and other stores run side by side; a second start raises
  // only its own pet.
  void differentPetsRunSideBySide() {
    const QString other_store = scratch_.filePath(QStringLiteral("other.ini"));
    SingleInstance nibbet(Settings(), QStringLiteral("Nibbet"));
    SingleInstance wobble(Settings(), QStringLiteral("Sir Wobble"));
    SingleInstance elsewhere(other_store, QStringLiteral("Nibbet"));
    QSignalSpy nibbet_raised(&nibbet, &SingleInstance::RaiseRequested);
    QSignalSpy wobble_raised(&wobble, &SingleInstance::RaiseRequested);
    QSignalSpy elsewhere_raised(&elsewhere, &SingleInstance::RaiseRequested);
    QVERIFY(nibbet.Claim());
    QVERIFY(wobble.Claim());
    QVERIFY(elsewhere.Claim());

    SingleInstance again(Settings(), QStringLiteral("Sir Wobble"));
    QVERIFY(!again.Claim());
    QTRY_COMPARE_WITH_TIMEOUT(wobble_raised.count(), 1, kWaitMs);
    // No connection reached the others: nothing can be on its way to them.
    QCoreApplication::processEvents();
    QCOMPARE(nibbet_raised.count(), 0);
    QCOMPARE(elsewhere_raised.count(), 0);
  }

  // A killed program's socket file answers nobody and must not keep the
  // pet from starting.
  void leftoverSocketDoesNotBlock() {
    const QString name = QStringLiteral("Leftover");
    const QString path = PathOf(name);
    QVERIFY(LeaveStaleSocket(path));
    QVERIFY(!AnswersAsRunning(path));

    SingleInstance first(Settings(), name);
    QSignalSpy raised(&first, &SingleInstance::RaiseRequested);
    QVERIFY(first.Claim());
    SingleInstance second(Settings(), name);
    QVERIFY(!second.Claim());
    QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, kWaitMs);
  }

  // Claims of one pet made at the same moment, on two threads, round after
  // round (some over a leftover socket): exactly one wins each time.
  void racingClaimsLeaveExactlyOne() {
    const QString name = QStringLiteral("Racer");
    const QString path = PathOf(name);
    for (int round = 0; round < 40; ++round) {
      if (round % 2 == 1) QVERIFY(LeaveStaleSocket(path));
      std::barrier together(2);
      bool claimed[2] = {false, false};
      QThread* threads[2];
      for (int i = 0; i < 2; ++i) {
        threads[i] = QThread::create([&, i] {
          SingleInstance instance(Settings(), name);
          together.arrive_and_wait();
          claimed[i] = instance.Claim();
          // Both decide before either lets go of the pet.
          together.arrive_and_wait();
        });
        threads[i]->start();
      }
      for (QThread* thread : threads) {
        QVERIFY(thread->wait(kWaitMs));
        delete thread;
      }
      QVERIFY2(claimed[0] != claimed[1], qPrintable(QStringLiteral("round %1").arg(round)));
      QVERIFY(!QFileInfo::exists(path));
    }
  }

  // --- Quit signals in start-up ---

  // A signal caught before Qt's objects exist is only noted, kills nothing,
  // and is delivered by the event loop once a QuitSignals exists.
  void quitSignalNotedEarlyIsDeliveredLater() {
    QuitSignals::CatchEarly();
    QVERIFY(!QuitSignals::Pending());
    QCOMPARE(::raise(SIGTERM), 0);
    QVERIFY(QuitSignals::Pending());
    {
      QuitSignals signals_;
      QSignalSpy spy(&signals_, &QuitSignals::QuitRequested);
      QVERIFY(spy.wait(kWaitMs));
      QCOMPARE(spy.count(), 1);
      QCOMPARE(spy.at(0).at(0).toInt(), SIGTERM);
      QVERIFY(!QuitSignals::Pending());
    }
    struct sigaction now = {};
    QCOMPARE(::sigaction(SIGTERM, nullptr, &now), 0);
    QVERIFY(now.sa_handler == SIG_DFL);
  }

  // --- The real program ---

  void secondStartEndsAndRaisesTheFirst_data() {
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("pet");
    QTest::newRow("two words") << QStringList{"Sir", "Wobble"} << QStringList{"Sir", "Wobble"}
                               << QStringLiteral("Sir Wobble");
    QTest::newRow("nameless is Nibbet")
        << QStringList{} << QStringList{"Nibbet"} << QStringLiteral("Nibbet");
    QTest::newRow("slash and accent")
        << QStringList{"a/b", QString::fromUtf8("Zoë")}
        << QStringList{"a/b", QString::fromUtf8("Zoë")} << QString::fromUtf8("a/b Zoë");
  }

  // A second start of a running pet ends at once with status 0; the first
  // keeps running, answers, and saves its pet on SIGTERM.
  void secondStartEndsAndRaisesTheFirst() {
    if (program_dir_.isEmpty()) QSKIP("No program folder (NIBBET_PROGRAM_DIR)");
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, pet);

    QProcess& running = Start(first);
    QVERIFY(WaitUntilRunning(running, pet));

    QProcess& again = Start(second);
    QVERIFY(Finished(again));
    QCOMPARE(again.exitStatus(), QProcess::NormalExit);
    QCOMPARE(again.exitCode(), 0);
    QVERIFY(again.readAll().contains("running already"));
    QCOMPARE(running.state(), QProcess::Running);
    QVERIFY(AnswersAsRunning(PathOf(pet)));

    QVERIFY(TerminatesCleanly(running));
    QVERIFY(Saved(pet));
    QVERIFY(!QFileInfo::exists(PathOf(pet)));
  }

  // Two programs of one pet started together: one ends with status 0, the
  // other runs.
  void simultaneousStartsLeaveOneRunning() {
    if (program_dir_.isEmpty()) QSKIP("No program folder (NIBBET_PROGRAM_DIR)");
    const QString pet = QStringLiteral("Twin");
    QProcess& a = Start({pet});
    QProcess& b = Start({pet});
    QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning,
                             kWaitMs);
    QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
    QProcess& running = &ended == &a ? b : a;
    QCOMPARE(ended.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ended.exitCode(), 0);
    QVERIFY(WaitUntilRunning(running, pet));
    QVERIFY(TerminatesCleanly(running));
    QVERIFY(Saved(pet));
  }

  // Programs of different pets run side by side and each saves its own.
  void differentPetsRunSideBySideAsPrograms() {
    if (program_dir_.isEmpty()) QSKIP("No program folder (NIBBET_PROGRAM_DIR)");
    QProcess& nibbet = Start({});
    QProcess& wobble = Start({"Sir", "Wobble"});
    QVERIFY(WaitUntilRunning(nibbet, QStringLiteral("Nibbet")));
    QVERIFY(WaitUntilRunning(wobble, QStringLiteral("Sir Wobble")));
    QVERIFY(TerminatesCleanly(nibbet));
    QVERIFY(TerminatesCleanly(wobble));
    QVERIFY(Saved(QStringLiteral("Nibbet")));
    QVERIFY(Saved(QStringLiteral("Sir Wobble")));
  }

  // A program killed outright leaves its socket file; the next start of the
  // pet runs all the same.
  void killedProgramDoesNotBlockTheNextStart() {
    if (program_dir_.isEmpty()) QSKIP("No program folder (NIBBET_PROGRAM_DIR)");
    const QString pet = QStringLiteral("Phoenix");
    QProcess& killed = Start({pet});
    QVERIFY(WaitUntilRunning(killed, pet));
    killed.kill();
    QVERIFY(Finished(killed));
    QVERIFY(QFileInfo::exists(PathOf(pet)));

    QProcess& next = Start({pet});
    QVERIFY(WaitUntilRunning(next, pet));
    QVERIFY(TerminatesCleanly(next));
    QVERIFY(Saved(pet));
  }

  void quitSignalInStartUpLeavesAWholeStore_data() {
    QTest::addColumn<bool>("once_listening");
    QTest::newRow("as the process starts") << false;
    QTest::newRow("once it has claimed the pet") << true;
  }

  // SIGTERM early in start-up: the program either dies before it has done
  // anything or ends normally; the store holds no section for the pet or a
  // whole one, no socket file stays, and the pet starts again.
  void quitSignalInStartUpLeavesAWholeStore() {
    if (program_dir_.isEmpty()) QSKIP("No program folder (NIBBET_PROGRAM_DIR)");
    QFETCH(bool, once_listening);
    const QString pet = QStringLiteral("Startle");
    const QString path = PathOf(pet);

    // The signal goes the moment the event is seen, not on a later poll, to
    // land as early in start-up as it can.
    bool sent = false;
    QProcess* starting_ptr = nullptr;
    const auto send = [&] {
      if (sent || !starting_ptr || starting_ptr->state() != QProcess::Running) return;
      if (once_listening && !QFileInfo::exists(path)) return;
      sent = ::kill(static_cast<pid_t>(starting_ptr->processId()), SIGTERM) == 0;
    };
    QFileSystemWatcher watcher({Runtime()});
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, send);
    QProcess& starting = Start({pet});
    starting_ptr = &starting;
    connect(&starting, &QProcess::started, this, send);
    QVERIFY(starting.waitForStarted(kWaitMs));
    // Polling only backs the watcher up.
    const auto sent_or_ended = [&] {
      send();
      return sent || starting.state() == QProcess::NotRunning;
    };
    QTRY_VERIFY_WITH_TIMEOUT(sent_or_ended(), kWaitMs);
    QVERIFY(sent);
    QVERIFY(Finished(starting));
    // Only a signal before main() has caught it may kill the program.
    if (once_listening || starting.exitStatus() == QProcess::NormalExit) {
      QCOMPARE(starting.exitStatus(), QProcess::NormalExit);
      QCOMPARE(starting.exitCode(), 0);
    }
    QVERIFY(!QFileInfo::exists(path));
    const QStringList after_signal = SavedKeys(pet);

    // A whole save holds what a normal end saves.
    QProcess& next = Start({pet});
    QVERIFY(WaitUntilRunning(next, pet));
    QVERIFY(TerminatesCleanly(next));
    const QStringList whole = SavedKeys(pet);
    QVERIFY(whole.contains(QStringLiteral("InsulatingSheet")));
    if (!after_signal.isEmpty()) QCOMPARE(after_signal, whole);
  }
};

int main(int argc, char** argv) {
  // Never touch the real user's store nor a running pet of the user.
  QTemporaryDir config;
  QTemporaryDir runtime;
  if (!config.isValid() || !runtime.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  QApplication app(argc, argv);
  SingleInstanceTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "single_instance_test.moc"
