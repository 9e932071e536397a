// Saves that fail are told to the user once per run of failures, naming the
// file and why; the pet stays in memory and lands with the next save that
// works. The last save at closing is asked about instead of told in passing.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "shell/qt_platform.h"
#include "shell/save_failure_notice.h"
#include "shell/settings_store.h"
#include "shell/tray_icon.h"
#include "window_fixture.h"

using namespace nib;

namespace {

// A settings file that a folder can take the place of for a while.
class BreakableIni {
 public:
  explicit BreakableIni(const QString& folder)
      : path_(folder + "/store.ini"), aside_(folder + "/aside.ini") {}
  const QString& Path() const { return path_; }
  bool Break() {
    return (!QFile::exists(path_) || QFile::rename(path_, aside_)) && QDir().mkdir(path_);
  }
  bool Mend() {
    return QDir().rmdir(path_) && (!QFile::exists(aside_) || QFile::rename(aside_, path_));
  }

 private:
  QString path_, aside_;
};

struct Notices {
  QStringList shown;
  int asked = 0;
};

// Records what the platform would show, and answers its question from a
// list: true for Retry.
void Watch(QtPlatform& platform, Notices& notices, std::function<bool()> answer = nullptr) {
  platform.SaveNotice().show = [&notices](const QString&, const QString& text) {
    notices.shown << text;
  };
  platform.SaveNotice().ask_retry = [&notices, answer](const QString&, const QString&) {
    ++notices.asked;
    return answer ? answer() : false;
  };
}

}  // namespace

class SaveFailureNoticeTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> folder_;

 private slots:
  void init() { NIB_FRESH_FOLDER(folder_); }

  // One save a minute, the store broken for some of them: the user hears
  // of each run of failures once, and every value written meanwhile lands.
  void toldOncePerRunOfFailures() {
    BreakableIni ini(folder_->path());
    QtPlatform platform(folder_->path(), ini.Path());
    Notices notices;
    Watch(platform, notices);
    struct Minute {
      bool broken;
      int told;
    };
    const std::vector<Minute> minutes = {{false, 0}, {true, 1}, {true, 1}, {true, 1}, {false, 1},
                                         {false, 1}, {true, 2}, {true, 2}, {false, 2}};
    for (size_t i = 0; i < minutes.size(); ++i) {
      const QString where = QString("minute %1").arg(i);
      if (minutes[i].broken != QFileInfo(ini.Path()).isDir())
        QVERIFY2(minutes[i].broken ? ini.Break() : ini.Mend(), qPrintable(where));
      platform.WriteSetting("Nibbet", "Minute", std::to_string(i));
      if (minutes[i].broken) platform.WriteSetting("Nibbet", "Only" + std::to_string(i), "kept");
      platform.FlushSettings();
      QVERIFY2(notices.shown.size() == minutes[i].told, qPrintable(where));
      QVERIFY2(platform.SaveNotice().Failing() == minutes[i].broken, qPrintable(where));
      QCOMPARE(platform.ReadSetting("Nibbet", "Minute", "none"), std::to_string(i));
    }
    for (const QString& text : notices.shown) {
      QVERIFY2(text.contains(QDir::toNativeSeparators(ini.Path())), qPrintable(text));
      QVERIFY2(text.contains("it is a folder"), qPrintable(text));
    }
    QCOMPARE(notices.asked, 0);
    SettingsStore saved(ini.Path());
    QCOMPARE(saved.Read("Nibbet", "Minute", "none"), std::to_string(minutes.size() - 1));
    for (size_t i = 0; i < minutes.size(); ++i) {
      if (minutes[i].broken)
        QCOMPARE(saved.Read("Nibbet", "Only" + std::to_string(i), "lost"), std::string("kept"));
    }
  }

  // At quit, a failed last save is asked about until it is saved or the
  // user gives up; a good one asks nothing.
  void quitAsksUntilSavedOrGivenUp_data() {
    QTest::addColumn<bool>("broken");
    QTest::addColumn<QList<bool>>("answers");  // per question: Retry?
    QTest::addColumn<int>("mend_after");       // the cause goes after this many questions
    QTest::addColumn<bool>("saved");
    QTest::newRow("saved: nothing asked") << false << QList<bool>{} << 0 << true;
    QTest::newRow("given up") << true << QList<bool>{false} << 99 << false;
    QTest::newRow("retried in vain, then given up")
        << true << QList<bool>{true, false} << 99 << false;
    QTest::newRow("retried once mended") << true << QList<bool>{true, true} << 2 << true;
  }

  void quitAsksUntilSavedOrGivenUp() {
    QFETCH(bool, broken);
    QFETCH(QList<bool>, answers);
    QFETCH(int, mend_after);
    QFETCH(bool, saved);
    BreakableIni ini(folder_->path());
    QtPlatform platform(folder_->path(), ini.Path());
    Notices notices;
    int asked = 0;
    Watch(platform, notices, [&] {
      // More questions than answers would be a loop that never ends.
      if (asked >= answers.size()) return false;
      if (++asked == mend_after) ini.Mend();
      return answers[asked - 1];
    });
    if (broken) QVERIFY(ini.Break());
    platform.WriteSetting("Nibbet", "Age", "5");
    platform.FlushSettings();
    QCOMPARE(platform.SettleSavesAtQuit(), saved);
    QCOMPARE(notices.asked, answers.size());
    QCOMPARE(platform.SaveNotice().Failing(), !saved);
    // Given up, the pet is still whole in memory.
    QCOMPARE(platform.ReadSetting("Nibbet", "Age", "none"), std::string("5"));
    if (saved) QCOMPARE(SettingsStore(ini.Path()).Read("Nibbet", "Age", "none"), std::string("5"));
  }

  // Closing the device saves the pet: when that save fails, no message
  // that would vanish with the program, but the question at quit.
  void closingSaveIsAskedAbout() {
    std::unique_ptr<QTemporaryDir> program;
    NIB_COPY_PROGRAM_FOLDER(program);
    BreakableIni ini(folder_->path());
    window_fixture::Device device(program->path(), ini.Path());
    Notices notices;
    Watch(device.platform, notices);
    device.Start("Nibbet");
    QVERIFY(!device.platform.SaveNotice().Failing());
    QVERIFY(ini.Break());
    device.window.close();
    QVERIFY(device.window.Unloaded());
    QVERIFY(device.platform.SaveNotice().Failing());
    QCOMPARE(notices.shown.size(), 0);
    QVERIFY(!device.platform.SettleSavesAtQuit());
    QCOMPARE(notices.asked, 1);
  }

  // Without a notification area the notice is a window that does not
  // block, one at most; without a screen nobody is asked to retry.
  void withoutATrayASmallWindow() {
    TrayIcon tray([] { return QIcon(); });
    QVERIFY(!tray.ShowMessage("title", "text", 1000));
    QPointer<QMessageBox> box;
    ShowSaveFailure(tray, box, "Cannot save", "first");
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QCOMPARE(box->text(), QString("first"));
    QMessageBox* const first = box;
    ShowSaveFailure(tray, box, "Cannot save", "second");
    QCOMPARE(box.data(), first);
    QCOMPARE(box->text(), QString("second"));
    box->close();
    QTRY_VERIFY_WITH_TIMEOUT(!box, 60000);
    QVERIFY(!AskRetrySave("Cannot save", "text"));
  }
};

QTEST_MAIN(SaveFailureNoticeTest)
#include "save_failure_notice_test.moc"
