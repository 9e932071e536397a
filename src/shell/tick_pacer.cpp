#include "shell/tick_pacer.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace nib {

namespace {

TickPacer::Millis SteadyMillis() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TickPacer::TickPacer() : TickPacer(SteadyMillis) {}

TickPacer::TickPacer(Clock clock) : clock_(std::move(clock)) {}

void TickPacer::SetClock(Clock clock) {
  clock_ = std::move(clock);
  // Times of the old clock mean nothing on the new one.
  if (Running()) next_due_ = clock_() + interval_;
}

void TickPacer::Start(int interval_ms) {
  if (interval_ms <= 0) return Stop();
  interval_ = interval_ms;
  next_due_ = clock_() + interval_;
}

void TickPacer::Stop() { interval_ = 0; }

int TickPacer::WakeUpPeriod() const { return std::max(interval_, kWakeUpMs); }

int TickPacer::NextWakeUpIn(int ticks) const {
  if (!Running() || ticks <= 0) return WakeUpPeriod();
  const Millis due = next_due_ + Millis{ticks - 1} * interval_ - clock_();
  // A millisecond late, so a timer that rounds its moment down still finds
  // the tick due.
  const Millis longest = std::max(kLongestSleepMs, interval_);
  return static_cast<int>(std::clamp<Millis>(due + 1, 1, longest));
}

int TickPacer::TakeDue() {
  if (!Running()) return 0;
  const Millis now = clock_();
  if (now < next_due_) return 0;
  const Millis due = (now - next_due_) / interval_ + 1;
  const Millis most = std::max<Millis>(1, kMaxCatchUpMs / interval_);
  if (due > most) {
    // The rest of the gap is dropped; the beat starts again from now.
    next_due_ = now + interval_;
    return static_cast<int>(most);
  }
  next_due_ += due * interval_;
  return static_cast<int>(due);
}

}  // namespace nib
