// Pacing the core's tick on coarse wake-ups, on a clock the test moves: the
// ticks that fell due run in order, one per interval on average, input
// takes its share first, and a long gap is not replayed.
#include <QtTest>
#include <cstdint>
#include <random>
#include <vector>

#include "shell/tick_pacer.h"

namespace {

using nib::TickPacer;
using Millis = TickPacer::Millis;

struct FakeClock {
  Millis now = 1'000'000;
  TickPacer::Clock Fn() {
    return [this] { return now; };
  }
};

}  // namespace

class TickPacerTest : public QObject {
  Q_OBJECT

 private slots:
  void TicksFallDueByTheClock_data() {
    QTest::addColumn<int>("interval");
    // Times of successive wake-ups after the start, and the ticks each runs.
    QTest::addColumn<std::vector<int>>("wake_ups");
    QTest::addColumn<std::vector<int>>("ticks");
    QTest::newRow("before the first is due") << 10 << std::vector<int>{0, 9} << std::vector<int>{0, 0};
    QTest::newRow("the first on the dot") << 10 << std::vector<int>{10, 10} << std::vector<int>{1, 0};
    QTest::newRow("every 50 ms") << 10 << std::vector<int>{50, 100, 150} << std::vector<int>{5, 5, 5};
    QTest::newRow("late and early wake-ups")
        << 10 << std::vector<int>{57, 98, 143, 200} << std::vector<int>{5, 4, 5, 6};
    QTest::newRow("an interval longer than the wake-up")
        << 250 << std::vector<int>{50, 249, 250, 760} << std::vector<int>{0, 0, 1, 2};
    QTest::newRow("an odd interval") << 7 << std::vector<int>{50, 100} << std::vector<int>{7, 7};
  }
  void TicksFallDueByTheClock() {
    QFETCH(int, interval);
    QFETCH(std::vector<int>, wake_ups);
    QFETCH(std::vector<int>, ticks);
    FakeClock clock;
    TickPacer pacer(clock.Fn());
    const Millis start = clock.now;
    pacer.Start(interval);
    for (std::size_t i = 0; i < wake_ups.size(); ++i) {
      clock.now = start + wake_ups[i];
      QCOMPARE(pacer.TakeDue(), ticks[i]);
    }
  }

  // Irregular wake-ups with input in between, over ten minutes: no tick is
  // lost or doubled, and none runs before it is due.
  void OneTickPerIntervalOnAverage() {
    FakeClock clock;
    TickPacer pacer(clock.Fn());
    const Millis start = clock.now;
    pacer.Start(10);
    std::mt19937 random(12);
    std::uniform_int_distribution<int> step(0, 120);
    long total = 0;
    while (clock.now - start < 600'000) {
      clock.now += step(random);
      total += pacer.TakeDue();
      QVERIFY(total <= (clock.now - start) / 10);
    }
    QCOMPARE(total, long((clock.now - start) / 10));
  }

  void InputTakesTheTicksDueBeforeIt() {
    FakeClock clock;
    TickPacer pacer(clock.Fn());
    pacer.Start(10);
    clock.now += 37;
    QCOMPARE(pacer.TakeDue(), 3);  // a key press
    clock.now += 13;
    QCOMPARE(pacer.TakeDue(), 2);  // the wake-up after it: only the rest
  }

  // The machine slept for an hour: one second of ticks runs, the rest is
  // dropped, and the beat goes on from the wake-up.
  void ALongGapIsNotReplayed() {
    FakeClock clock;
    TickPacer pacer(clock.Fn());
    pacer.Start(10);
    clock.now += 3'600'000;
    QCOMPARE(pacer.TakeDue(), int(TickPacer::kMaxCatchUpMs / 10));
    QCOMPARE(pacer.TakeDue(), 0);
    clock.now += 9;
    QCOMPARE(pacer.TakeDue(), 0);
    clock.now += 1;
    QCOMPARE(pacer.TakeDue(), 1);
    // A gap within the bound is caught up whole.
    clock.now += TickPacer::kMaxCatchUpMs;
    QCOMPARE(pacer.TakeDue(), int(TickPacer::kMaxCatchUpMs / 10));
  }

  void StoppingAndStarting() {
    FakeClock clock;
    TickPacer pacer(clock.Fn());
    QVERIFY(!pacer.Running());
    clock.now += 100;
    QCOMPARE(pacer.TakeDue(), 0);
    pacer.Start(10);
    QVERIFY(pacer.Running());
    QCOMPARE(pacer.Interval(), 10);
    clock.now += 30;
    pacer.Stop();
    QCOMPARE(pacer.TakeDue(), 0);
    QCOMPARE(pacer.Interval(), 0);
    // Started again, the beat counts from now: what fell due while stopped
    // never runs.
    clock.now += 500;
    pacer.Start(10);
    QCOMPARE(pacer.TakeDue(), 0);
    clock.now += 10;
    QCOMPARE(pacer.TakeDue(), 1);
    for (int stop : {0, -5}) {
      pacer.Start(stop);
      QVERIFY(!pacer.Running());
      clock.now += 100;
      QCOMPARE(pacer.TakeDue(), 0);
    }
  }

  // A clock swapped in mid-beat (a test's) starts the beat afresh on it.
  void ANewClockStartsTheBeatAfresh() {
    FakeClock real, fake;
    fake.now = 5;
    TickPacer pacer(real.Fn());
    pacer.Start(10);
    pacer.SetClock(fake.Fn());
    QCOMPARE(pacer.TakeDue(), 0);
    fake.now += 20;
    QCOMPARE(pacer.TakeDue(), 2);
  }

  void TheNextWakeUp_data() {
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("elapsed");  // since the start, all due ticks taken
    QTest::addColumn<int>("ticks");    // until the first that may change something
    QTest::addColumn<int>("wake_up_in");
    const int busy = TickPacer::kWakeUpMs, longest = TickPacer::kLongestSleepMs;
    QTest::newRow("any tick may change") << 10 << 0 << 0 << busy;
    QTest::newRow("the next tick") << 10 << 0 << 1 << 11;
    QTest::newRow("a frame eight ticks away") << 10 << 0 << 8 << 81;
    QTest::newRow("between two ticks") << 10 << 25 << 1 << 6;
    QTest::newRow("nothing for long") << 10 << 0 << 3000 << longest;
    QTest::newRow("a slow tick, busy") << 400 << 0 << 0 << 400;
    QTest::newRow("a slow tick, idle") << 400 << 0 << 5 << 400;
  }
  void TheNextWakeUp() {
    QFETCH(int, interval);
    QFETCH(int, elapsed);
    QFETCH(int, ticks);
    QFETCH(int, wake_up_in);
    FakeClock clock;
    TickPacer pacer(clock.Fn());
    pacer.Start(interval);
    clock.now += elapsed;
    pacer.TakeDue();
    QCOMPARE(pacer.NextWakeUpIn(ticks), wake_up_in);
    // Woken then, the tick waited for is due.
    clock.now += wake_up_in;
    if (ticks > 0 && wake_up_in < TickPacer::kLongestSleepMs) QCOMPARE(pacer.TakeDue(), ticks);
  }
};

QTEST_GUILESS_MAIN(TickPacerTest)
#include "tick_pacer_test.moc"
