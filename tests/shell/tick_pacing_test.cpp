// The device window's tick on few wake-ups, with the pacer's clock in the
// test's hands: a wake-up runs every tick that fell due and repaints once,
// the window sleeps until the pet's next frame when nothing else can
// change, and input runs the ticks due before it, so it acts in order.
#include <QKeyEvent>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "shell/wake_plan.h"
#include "shell/window_fixture.h"

using namespace nib;
using namespace nib::window_fixture;

namespace {

class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

}  // namespace

class TickPacingTest : public QObject {
  Q_OBJECT

 private:
  // A walking pet on the fake clock, its tick started again; the animation
  // clock counts ticks without ever reaching a frame.
  std::unique_ptr<Device> StartPacedPet() {
    const QString ini = settings_->filePath(QStringLiteral("settings.ini"));
    {
      auto first = StartDevice(program_->path(), ini, "Paced");
      if (!first) return nullptr;
      first->sim.pet.InsulatingSheet = 0;
      first->window.close();
    }
    auto device = StartDevice(program_->path(), ini, "Paced");
    if (!device) return nullptr;
    device->window.Pacer().SetClock([this] { return now_; });
    device->window.SetTimerInterval(10);
    device->sim.pet.FrameDelay = 30000;
    device->sim.pet.IntervalCount = 0;
    return device;
  }
  int TicksRun(const Device& device) const { return device.sim.pet.IntervalCount / 10; }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;
  TickPacer::Millis now_ = 0;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() {
    NIB_FRESH_FOLDER(settings_);
    now_ = 1'000'000;
  }

  void AWakeUpRunsEveryDueTick() {
    auto device = StartPacedPet();
    QVERIFY(device);
    QVERIFY(device->window.Tick().isActive());
    // However often the timer fires, the ticks follow the clock.
    for (int wake = 0; wake < 5; ++wake) device->window.Wake();
    QCOMPARE(TicksRun(*device), 0);
    now_ += 57;
    device->window.Wake();
    QCOMPARE(TicksRun(*device), 5);
    now_ += 3;
    QVERIFY(QTest::qWaitFor([&] { return TicksRun(*device) == 6; }, 10000));
  }

  // While only the pet's animation runs the window sleeps until its next
  // frame; anything else that runs wakes it often.
  void TheWakeUpMeetsTheNextFrame() {
    auto device = StartPacedPet();
    QVERIFY(device);
    Pet& pet = device->sim.pet;
    pet.FrameDelay = 80;
    pet.IntervalCount = 0;
    device->window.Wake();
    QCOMPARE(device->window.Tick().interval(), 81);
    now_ += 30;
    device->window.Wake();
    QCOMPARE(device->window.Tick().interval(), 51);
    // Input that starts an animation brings the wake-up forward.
    pet.Eating = true;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QCoreApplication::sendEvent(&device->window, &press);
    QVERIFY(device->window.Tick().remainingTime() <= TickPacer::kWakeUpMs);
    pet.Eating = false;
    // A stream of input does not put it off.
    now_ += 10;
    QCoreApplication::sendEvent(&device->window, &press);
    QVERIFY(device->window.Tick().remainingTime() <= TickPacer::kWakeUpMs);
  }

  // The ticks of one wake-up change the screen many times; it is painted
  // once.
  void ABatchOfTicksPaintsOnce() {
    auto device = StartPacedPet();
    QVERIFY(device);
    device->sim.pet.FrameDelay = 10;
    Settle();
    PaintCounter counter(&device->window);
    // An odd number of egg frames: the screen ends up changed.
    now_ += 450;
    device->window.Wake();
    QVERIFY(QTest::qWaitFor([&] { return counter.paints > 0; }, 10000));
    Settle();
    QCOMPARE(counter.paints, 1);
  }

  void InputRunsTheTicksDueBeforeIt() {
    auto device = StartPacedPet();
    QVERIFY(device);
    now_ += 37;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(&device->window, &press);
    QCOMPARE(TicksRun(*device), 3);
    QVERIFY(device->sim.pet.ButtonAPressed);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(&device->window, &release);
    // The wake-up after it runs only the rest.
    now_ += 13;
    device->window.Wake();
    QCOMPARE(TicksRun(*device), 5);
  }

  // The real core in the states where the shell sleeps until the pet's next
  // frame: no tick before that frame changes the screen or the tray's tip.
  void NoChangeComesBeforeThePlannedWakeUp_data() {
    QTest::addColumn<int>("character");
    QTest::addColumn<QString>("state");
    QTest::newRow("the egg") << 0 << "";
    QTest::newRow("a walking adult") << 7 << "";
    QTest::newRow("a standing baby") << 1 << "";
    QTest::newRow("asleep") << 7 << "asleep";
    QTest::newRow("sick") << 3 << "sick";
    QTest::newRow("the angel") << 12 << "";
  }
  void NoChangeComesBeforeThePlannedWakeUp() {
    QFETCH(int, character);
    QFETCH(QString, state);
    auto device = StartPacedPet();
    QVERIFY(device);
    device->window.Tick().stop();
    Simulator& sim = device->sim;
    int16 number = static_cast<int16>(character);
    sim.DoSetCharacter(number);
    if (state == "asleep") sim.mCheatAction2_Click();
    if (state == "sick") sim.mCheatAction0_Click();
    sim.pet.SecondCount = 0;
    // A call the baby or the sleep raised, past its first beeping seconds.
    if (sim.pet.AttendTimeLeft > 100) sim.pet.AttendTimeLeft = 100;
    for (int tick = 0; tick < 50; ++tick) sim.Timer1_Timer();
    sim.scr.damage.Clear();
    // Ten seconds of ticks.
    int quiet_ticks = 0;
    for (int frame = 0, run = 0; run < 1000; ++frame) {
      const int ticks = std::max(TicksUntilChange(sim), 1);
      run += ticks;
      for (int tick = 1; tick < ticks; ++tick, ++quiet_ticks) {
        const std::string tip = sim.pet.StatusText;
        sim.Timer1_Timer();
        QVERIFY2(sim.scr.damage.Empty(),
                 qPrintable(QStringLiteral("frame %1, tick %2 of %3").arg(frame).arg(tick).arg(ticks)));
        QCOMPARE(sim.pet.StatusText, tip);
      }
      sim.Timer1_Timer();
      sim.scr.damage.Clear();
    }
    QVERIFY(quiet_ticks > 500);
  }

  // Stopped, the tick runs neither on its own nor before input.
  void AStoppedTickRunsNoTicks() {
    auto device = StartPacedPet();
    QVERIFY(device);
    device->window.SetTimerInterval(0);
    QVERIFY(!device->window.Tick().isActive());
    now_ += 1000;
    device->window.Wake();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(&device->window, &press);
    QCOMPARE(TicksRun(*device), 0);
  }
};

QTEST_MAIN(TickPacingTest)
#include "tick_pacing_test.moc"
