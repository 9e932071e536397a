// When the shell may sleep: only while nothing but the pet's own animation
// runs, and then until its next drawn frame.
#include <QtTest>

#include "shell/wake_plan.h"

using nib::Pet;
using nib::TicksUntilChange;

Q_DECLARE_METATYPE(Pet)

namespace {

// A pet that only lives on: the animation clock at 0 of 80 ms, 10 ms ticks.
Pet Quiet() {
  Pet pet;
  pet.FrameDelay = 80;
  pet.IntervalCount = 0;
  pet.TimerInterval = 10;
  return pet;
}

// The same, a character of that number.
Pet Quiet(int character) {
  Pet pet = Quiet();
  pet.CharacterNo = static_cast<nib::int16>(character);
  return pet;
}

}  // namespace

class WakePlanTest : public QObject {
  Q_OBJECT

 private slots:
  void UntilTheNextFrame_data() {
    QTest::addColumn<Pet>("pet");
    QTest::addColumn<int>("ticks");
    Pet pet = Quiet();
    QTest::newRow("a whole frame") << pet << 8;
    pet.IntervalCount = 70;
    QTest::newRow("the last tick of a frame") << pet << 1;
    pet.IntervalCount = 75;
    QTest::newRow("off the tick grid") << pet << 1;
    pet.IntervalCount = 500;
    QTest::newRow("a clock past the delay") << pet << 1;
    pet = Quiet();
    pet.FrameDelay = 120;
    pet.IntervalCount = 35;
    QTest::newRow("a slow animation") << pet << 9;
    pet = Quiet();
    pet.AttendTimeLeft = 100;
    QTest::newRow("a call past its beeps") << pet << 8;
    pet.SleepAction = true;
    pet.LightOff = true;
    QTest::newRow("asleep in the dark") << pet << 8;
  }
  void UntilTheNextFrame() {
    QFETCH(Pet, pet);
    QFETCH(int, ticks);
    QCOMPARE(TicksUntilChange(pet, 0, false), ticks);
  }

  // A grown character draws every period while it walks, every second
  // while it sleeps or stands, every third while it is sick.
  void UntilTheNextDrawnFrame_data() {
    QTest::addColumn<Pet>("pet");
    QTest::addColumn<bool>("walks");
    QTest::addColumn<int>("ticks");
    Pet pet = Quiet(7);
    QTest::newRow("walking") << pet << true << 8;
    QTest::newRow("standing") << pet << false << 16;
    pet.FrameStep = 1;
    QTest::newRow("standing, drawn at the next frame") << pet << false << 8;
    pet.FrameStep = 9;
    QTest::newRow("a frame count left over from another state") << pet << false << 8;
    pet = Quiet(7);
    pet.SleepAction = true;
    QTest::newRow("asleep, walking character") << pet << true << 16;
    pet.IntervalCount = 70;
    QTest::newRow("asleep, a tick before the first period ends") << pet << true << 9;
    pet.AttendTimeLeft = 100;
    QTest::newRow("asleep with a call running") << pet << true << 1;
    pet = Quiet(3);
    pet.Sickness = 1;
    QTest::newRow("sick") << pet << true << 24;
    pet.FrameDelay = 60;
    pet.FrameStep = 1;
    QTest::newRow("sick, a faster character, one period drawn") << pet << true << 12;
    pet = Quiet(7);
    pet.Dropping = true;
    QTest::newRow("dropping") << pet << true << 8;
    pet = Quiet(7);
    pet.DyingAction = 3;
    QTest::newRow("dying") << pet << false << 8;
    pet = Quiet(12);
    QTest::newRow("the angel") << pet << false << 8;
  }
  void UntilTheNextDrawnFrame() {
    QFETCH(Pet, pet);
    QFETCH(bool, walks);
    QFETCH(int, ticks);
    QCOMPARE(TicksUntilChange(pet, 0, walks), ticks);
  }

  void AnyTickMayChangeTheScreen_data() {
    QTest::addColumn<Pet>("pet");
    QTest::addColumn<int>("play_stage");
    auto with = [](auto change) {
      Pet pet = Quiet();
      change(pet);
      return pet;
    };
    QTest::newRow("evolving") << with([](Pet& p) { p.ChangeStep = 5; }) << 0;
    QTest::newRow("flushing") << with([](Pet& p) { p.Flushing = true; }) << 0;
    QTest::newRow("the clock") << with([](Pet& p) { p.TimerScreen = true; }) << 0;
    QTest::newRow("dung flips") << with([](Pet& p) { p.Dung = 1; }) << 0;
    QTest::newRow("eating") << with([](Pet& p) { p.Eating = true; }) << 0;
    QTest::newRow("happy") << with([](Pet& p) { p.HappyReaction = true; }) << 0;
    QTest::newRow("unhappy") << with([](Pet& p) { p.UnhappyReaction = true; }) << 0;
    QTest::newRow("refusing") << with([](Pet& p) { p.RefusalReaction = true; }) << 0;
    QTest::newRow("a game") << Quiet() << 1;
    QTest::newRow("an action screen") << with([](Pet& p) { p.ActionTimeout = 4; }) << 0;
    QTest::newRow("an icon chosen") << with([](Pet& p) { p.IconTimeout = 4; }) << 0;
    QTest::newRow("a call beeping") << with([](Pet& p) { p.AttendTimeLeft = 120; }) << 0;
    QTest::newRow("no tick") << with([](Pet& p) { p.TimerInterval = 0; }) << 0;
  }
  void AnyTickMayChangeTheScreen() {
    QFETCH(Pet, pet);
    QFETCH(int, play_stage);
    QCOMPARE(TicksUntilChange(pet, play_stage, true), 0);
  }
};

QTEST_GUILESS_MAIN(WakePlanTest)
#include "wake_plan_test.moc"
