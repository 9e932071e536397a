// Paces the core's tick on fewer wake-ups. The core wants one tick per
// interval of wall time (10 ms), but waking the program that often costs
// far more than the ticks: the shell instead wakes when a tick may change
// something, at most every kWakeUpMs, and runs every tick that fell due
// since, in order, by a monotonic clock. Input takes the ticks due before
// it first, so it acts where it happened.
#pragma once

#include <cstdint>
#include <functional>

namespace nib {

class TickPacer {
 public:
  // Milliseconds of a monotonic clock.
  using Millis = std::int64_t;
  using Clock = std::function<Millis()>;

  // Between two wake-ups while any tick may change something: no frame of
  // an animation (50 ms and more each) is shown more than one frame late.
  static constexpr int kWakeUpMs = 50;
  // The longest sleep even when nothing is due to change: the core counts
  // a second when it sees the wall clock's second change, so every second
  // must see ticks.
  static constexpr int kLongestSleepMs = 250;
  // The most ticks run at once, as wall time. A longer gap (the machine
  // slept, the process was stopped) is dropped, not caught up: the core
  // counts seconds from the wall clock it reads itself, so the pet's own
  // time is not what a tick carries, and running an hour of ticks at once
  // would only replay an hour of animation frames and beeps in one go.
  static constexpr Millis kMaxCatchUpMs = 1000;

  // A steady clock; tests pass their own.
  TickPacer();
  explicit TickPacer(Clock clock);

  // The first tick falls due one interval from now. 0 or less stops.
  void Start(int interval_ms);
  void Stop();
  bool Running() const { return interval_ > 0; }
  // The core's interval in ms; 0 while stopped.
  int Interval() const { return interval_; }
  // How long the shell may sleep between wake-ups while any tick may change
  // something.
  int WakeUpPeriod() const;
  // Milliseconds from now to the wake-up that runs the `ticks`-th tick
  // still to come, the first that may change something; 0 ticks: any may.
  int NextWakeUpIn(int ticks) const;

  // The ticks that fell due up to now; from here they count as run.
  int TakeDue();

  void SetClock(Clock clock);

 private:
  Clock clock_;
  int interval_ = 0;
  // When the next tick falls due.
  Millis next_due_ = 0;
};

}  // namespace nib
