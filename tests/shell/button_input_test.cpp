// The device's buttons pressed in the real window: the mouse on A, B, C and
// the reset button, and the keys, as Qt delivers them.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "shell/menu_mirror.h"
#include "shell/picture_files.h"
#include "shell/window_fixture.h"

using namespace nib;
using namespace nib::window_fixture;

namespace {

QPoint Centre(const Element& e) {
  return QPoint(qRound((e.Left() + e.Width() / 2) / 15), qRound((e.Top() + e.Height() / 2) / 15));
}

// A key event as the keyboard sends it, auto-repeat included.
void SendKey(QWidget& window, QEvent::Type type, Qt::Key key, bool repeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
  QCoreApplication::sendEvent(&window, &event);
}

}  // namespace

class ButtonInputTest : public QObject {
  Q_OBJECT

 private:
  // A pet whose sheet was pulled out: its buttons work.
  std::unique_ptr<Device> StartLivingPet() {
    const QString ini = settings_->filePath(QStringLiteral("settings.ini"));
    {
      auto first = StartDevice(program_->path(), ini, "Presser");
      if (!first) return nullptr;
      first->sim.pet.InsulatingSheet = 0;
      first->window.close();
    }
    auto device = StartDevice(program_->path(), ini, "Presser");
    if (!device) return nullptr;
    Simulator& sim = device->sim;
    // A hatched pet: the egg only beeps.
    int16 teen = 3;
    sim.DoSetCharacter(teen);
    device->window.FlushDamage();
    Settle();
    return device;
  }
  static const QtPicture* PictureOf(const Element& e) {
    return dynamic_cast<const QtPicture*>(e.GetPicture().get());
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  void mouseOnTheButtonsPressesThemInsteadOfDragging() {
    auto device = StartLivingPet();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    Simulator& sim = device->sim;
    Screen& scr = sim.scr;
    window.move(200, 150);
    QTRY_COMPARE(window.pos(), QPoint(200, 150));
    const Picture released = scr.ButtonA.GetPicture();
    QVERIFY(PictureOf(scr.ButtonA));

    // A: press shows the pressed picture and highlights the first icon.
    QTest::mousePress(&window, Qt::LeftButton, {}, Centre(scr.ButtonA));
    QVERIFY(scr.ButtonA.GetPicture() != released);
    QVERIFY(PictureOf(scr.ButtonA));
    QCOMPARE(int(sim.device_menu.CurrentIcon), 0);
    QVERIFY(!sim.window.DragActive);
    // The pressed button keeps the mouse even when the pointer leaves it.
    QTest::mouseMove(&window, Centre(scr.ButtonA) + QPoint(0, -30));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, Centre(scr.ButtonA) + QPoint(0, -30));
    QCOMPARE(scr.ButtonA.GetPicture(), released);
    QCOMPARE(window.pos(), QPoint(200, 150));

    // B acts when it comes up: the food menu opens.
    QTest::mousePress(&window, Qt::LeftButton, {}, Centre(scr.ButtonB));
    QVERIFY(!scr.FeedMenu.Visible());
    QTest::mouseRelease(&window, Qt::LeftButton, {}, Centre(scr.ButtonB));
    QVERIFY(scr.FeedMenu.Visible());

    // C closes it.
    QTest::mouseClick(&window, Qt::LeftButton, {}, Centre(scr.ButtonC));
    QVERIFY(!scr.FeedMenu.Visible());
    QCOMPARE(sim.pet.ActionTimeout, int16(0));

    // The right button on a device button does nothing, not even the menu.
    QTest::mouseClick(&window, Qt::RightButton, {}, Centre(scr.ButtonC));
    QCOMPARE(int(sim.device_menu.CurrentIcon), 0);
    QVERIFY(!window.PopupMenu().Root()->isVisible());

    // Beside the buttons the body still drags.
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(70, 120));
    QVERIFY(sim.window.DragActive);
    QTest::mouseMove(&window, QPoint(80, 125));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(80, 125));
    QCOMPARE(window.pos(), QPoint(210, 155));
    QVERIFY(window.close());
  }

  void arrowKeysPressTheButtonsOnceHoweverLongHeld() {
    auto device = StartLivingPet();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    Simulator& sim = device->sim;
    QCOMPARE(window.focusPolicy(), Qt::StrongFocus);
    const Picture released = sim.scr.ButtonA.GetPicture();

    SendKey(window, QEvent::KeyPress, Qt::Key_Left);
    for (int repeat = 0; repeat < 5; ++repeat) {
      SendKey(window, QEvent::KeyRelease, Qt::Key_Left, true);
      SendKey(window, QEvent::KeyPress, Qt::Key_Left, true);
    }
    QCOMPARE(int(sim.device_menu.CurrentIcon), 0);
    QVERIFY(sim.pet.ButtonAPressed);
    QVERIFY(sim.scr.ButtonA.GetPicture() != released);
    SendKey(window, QEvent::KeyRelease, Qt::Key_Left);
    QVERIFY(!sim.pet.ButtonAPressed);
    QCOMPARE(sim.scr.ButtonA.GetPicture(), released);

    // Feed a meal: Down opens the menu, Down again chooses the meal.
    sim.pet.Hunger = 0;
    QTest::keyClick(&window, Qt::Key_Down);
    QVERIFY(sim.scr.FeedMenu.Visible());
    QTest::keyClick(&window, Qt::Key_Down);
    QVERIFY(sim.pet.Eating);
    QCOMPARE(sim.pet.Hunger, int16(1));
    for (int tick = 0; tick < 100 && sim.pet.Eating; ++tick) window.RunTick();
    QVERIFY(!sim.pet.Eating);
    QVERIFY(sim.scr.FeedMenu.Visible());
    QTest::keyClick(&window, Qt::Key_Right);
    QVERIFY(!sim.scr.FeedMenu.Visible());
    QVERIFY(sim.scr.NibChar.Visible());

    // Left and Right held together switch the sound.
    const bool sound = sim.menu.mPopupSound.checked;
    SendKey(window, QEvent::KeyPress, Qt::Key_Right);
    SendKey(window, QEvent::KeyPress, Qt::Key_Left);
    QCOMPARE(sim.menu.mPopupSound.checked, !sound);
    SendKey(window, QEvent::KeyRelease, Qt::Key_Left);
    SendKey(window, QEvent::KeyRelease, Qt::Key_Right);
    QVERIFY(!sim.device_menu.ButtonACPressed);
    QVERIFY(window.close());
  }

  void aRepeatSplitByAStalledServerIsStillARepeat() {
    auto device = StartLivingPet();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    Simulator& sim = device->sim;
    auto send = [&](QEvent::Type type, quint64 timestamp) {
      QKeyEvent event(type, Qt::Key_Left, Qt::NoModifier, QString(), false);
      event.setTimestamp(timestamp);
      QCoreApplication::sendEvent(&window, &event);
    };
    send(QEvent::KeyPress, 1000);
    QCOMPARE(int(sim.device_menu.CurrentIcon), 0);
    // Unmarked repeats: each release and press share their timestamp.
    for (quint64 t = 1030; t < 1300; t += 30) {
      send(QEvent::KeyRelease, t);
      send(QEvent::KeyPress, t);
    }
    QCOMPARE(int(sim.device_menu.CurrentIcon), 0);
    QVERIFY(sim.pet.ButtonAPressed);
    // A real release comes through once no press follows it.
    send(QEvent::KeyRelease, 1400);
    QTRY_VERIFY(!sim.pet.ButtonAPressed);
    // And a real new press after it walks on.
    send(QEvent::KeyPress, 1500);
    send(QEvent::KeyRelease, 1600);
    QCOMPARE(int(sim.device_menu.CurrentIcon), 1);
    QTRY_VERIFY(!sim.pet.ButtonAPressed);
    QVERIFY(window.close());
  }

  void aKeyHeldWhenTheFocusGoesIsLetGo() {
    auto device = StartLivingPet();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    Simulator& sim = device->sim;
    SendKey(window, QEvent::KeyPress, Qt::Key_Right);
    QVERIFY(sim.pet.ButtonCPressed);
    QFocusEvent focus_out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&window, &focus_out);
    QVERIFY(!sim.pet.ButtonCPressed);
    // Left alone is Left, not half of a combination.
    const bool sound = sim.menu.mPopupSound.checked;
    QTest::keyClick(&window, Qt::Key_Left);
    QCOMPARE(sim.menu.mPopupSound.checked, sound);
    QCOMPARE(int(sim.device_menu.CurrentIcon), 0);
    QVERIFY(window.close());
  }

  void lettersReachTheCheatCode() {
    auto device = StartLivingPet();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    Simulator& sim = device->sim;
    QTest::keyClicks(&window, QStringLiteral("qz"));
    QCOMPARE(sim.pet.CheatCode, std::string("QZ"));
    QTest::keyClick(&window, Qt::Key_Backspace);
    QCOMPARE(sim.pet.CheatCode, std::string("Q"));
    QTest::keyClick(&window, Qt::Key_F5);
    QVERIFY(sim.pet.CheatCode.empty());
    QTest::keyClicks(&window, QStringLiteral("QZXW"));
    QVERIFY(sim.menu.mCheats.visible);
    QVERIFY(window.close());
  }

  void theResetButtonOnTheBackStartsANewEgg() {
    auto device = StartLivingPet();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    Simulator& sim = device->sim;
    Screen& scr = sim.scr;
    sim.pet.Age = 12;
    scr.BackView.Show();
    scr.ResetButton.Show();
    window.FlushDamage();
    QVERIFY(PictureOf(scr.ResetStatus[1]));

    QTest::mousePress(&window, Qt::LeftButton, {}, Centre(scr.ResetButton));
    QCOMPARE(scr.ResetButton.GetPicture(), scr.ResetStatus[1].GetPicture());
    QCOMPARE(int(sim.pet.CharacterNo), 3);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, Centre(scr.ResetButton));
    QCOMPARE(scr.ResetButton.GetPicture(), scr.ResetStatus[0].GetPicture());
    QCOMPARE(int(sim.pet.CharacterNo), 0);
    QCOMPARE(int(sim.pet.Age), 0);

    // On the back the arrows press nothing.
    QTest::keyClick(&window, Qt::Key_Down);
    QVERIFY(!sim.pet.TimerScreen);
    QVERIFY(window.close());
  }
};

QTEST_MAIN(ButtonInputTest)
#include "button_input_test.moc"
