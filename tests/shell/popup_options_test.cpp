// The popup menu in the real window: Enter opens it, its options change
// their check marks and survive a restart, and the device turns by double
// click and by "Back".
#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "shell/device_window.h"
#include "shell/menu_mirror.h"
#include "shell/settings_store.h"
#include "shell/window_fixture.h"
#include "sim/simulator.h"

using namespace nib;
using namespace nib::window_fixture;

class PopupOptionsTest : public QObject {
  Q_OBJECT

 private:
  QString Ini() const { return settings_->filePath(QStringLiteral("settings.ini")); }
  // A pet out of its sheet, as after a first pull.
  std::unique_ptr<Device> StartPet() {
    {
      SettingsStore store(Ini());
      store.Write("Optional", "InsulatingSheet", "0");
      store.Flush();
    }
    return window_fixture::StartDevice(program_->path(), Ini(), "Optional");
  }
  static void Choose(Device& device, const char* item) {
    QAction* action = device.window.PopupMenu().ActionFor(item);
    QVERIFY(action);
    action->trigger();
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  void optionsAreCheckedSavedAndRestored() {
    {
      auto device = StartPet();
      QVERIFY(device);
      QTest::keyClick(&device->window, Qt::Key_Return);
      QTRY_VERIFY(device->window.PopupMenu().Root()->isVisible());
      device->window.PopupMenu().Root()->hide();
      for (const char* item :
           {"mPopupSound", "mPopupBeep", "mPopupOnTop", "mPopupAutoShow", "mPopupPlay1"})
        Choose(*device, item);
      const Menu& menu = device->sim.menu;
      QVERIFY(!menu.mPopupSound.checked);
      QVERIFY(menu.mPopupBeep.checked && !menu.mPopupWave.checked);
      QVERIFY(!menu.mPopupOnTop.checked);
      QVERIFY(!device->window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      QVERIFY(menu.mPopupAutoShow.checked);
      QVERIFY(menu.mPopupPlay1.checked && !menu.mPopupPlay0.checked);
      QVERIFY(device->window.close());
    }
    SettingsStore store(Ini());
    const std::pair<const char*, const char*> saved[] = {
        {"Sound", "False"}, {"SoundType", "1"}, {"AlwaysOnTop", "False"},
        {"AutoShow", "True"}, {"PlayType", "1"}};
    for (const auto& [key, value] : saved)
      QCOMPARE(QString::fromStdString(store.Read("Optional", key, "")), QString(value));

    auto again = StartPet();
    QVERIFY(again);
    QVERIFY(!again->sim.menu.mPopupSound.checked);
    QVERIFY(again->sim.menu.mPopupBeep.checked);
    QVERIFY(!again->sim.menu.mPopupOnTop.checked);
    QVERIFY(again->sim.menu.mPopupAutoShow.checked);
    QVERIFY(again->sim.menu.mPopupPlay1.checked);
    // The mirror shows the restored checks.
    again->window.PopupMenu().Sync();
    QVERIFY(!again->window.PopupMenu().ActionFor("mPopupSound")->isChecked());
    QVERIFY(again->window.PopupMenu().ActionFor("mPopupBeep")->isChecked());
    QVERIFY(again->window.close());
  }

  void doubleClickAndBackTurnTheDevice() {
    auto device = StartPet();
    QVERIFY(device);
    const Screen& scr = device->sim.scr;
    QTest::mouseDClick(&device->window, Qt::LeftButton, Qt::NoModifier, QPoint(72, 60));
    QVERIFY(scr.BackView.Visible());
    QVERIFY(scr.ResetButton.Visible());
    QVERIFY(device->sim.menu.mPopupSide.checked);
    QTest::mouseDClick(&device->window, Qt::LeftButton, Qt::NoModifier, QPoint(72, 60));
    QVERIFY(!scr.BackView.Visible());
    Choose(*device, "mPopupSide");
    QVERIFY(scr.BackView.Visible());
    // The arrows press nothing on the back.
    QTest::keyClick(&device->window, Qt::Key_Left);
    QCOMPARE(int(device->sim.device_menu.CurrentIcon), 7);
    Choose(*device, "mPopupSide");
    QVERIFY(!scr.BackView.Visible());
    // A double click on a button is no turn.
    const Element& a = scr.ButtonA;
    const QPoint on_a(qRound((a.Left() + a.Width() / 2) / 15), qRound((a.Top() + a.Height() / 2) / 15));
    QTest::mouseDClick(&device->window, Qt::LeftButton, Qt::NoModifier, on_a);
    QVERIFY(!scr.BackView.Visible());
    QVERIFY(device->window.close());
  }
};

QTEST_MAIN(PopupOptionsTest)
#include "popup_options_test.moc"
