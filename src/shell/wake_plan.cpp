#include "shell/wake_plan.h"

#include <algorithm>

#include "sim/animation_pace.h"
#include "sim/device_timings.h"
#include "sim/simulator.h"

namespace nib {

namespace {

// Whether every tick but the animation frames only counts: no sequence,
// sweep, reaction, game or LCD menu runs, no clock shows seconds, no dung
// flips and no call beeps. The per-second countdowns then have nothing to
// end but a call, whose end may wait for the next frame.
bool OnlyTheAnimationRuns(const Pet& pet, int play_stage) {
  return pet.ChangeStep <= 0 && !pet.Flushing && !pet.TimerScreen && pet.Dung == 0 &&
         !pet.Eating && !pet.HappyReaction && !pet.UnhappyReaction && !pet.RefusalReaction &&
         play_stage <= kNoGame && pet.ActionTimeout == 0 && pet.IconTimeout == 0 &&
         pet.AttendTimeLeft <= kCallQuietFrom;  // a call beeps before that
}

// Frame periods from the next one on until one that draws. A running call
// keeps every period, so its end shows no later than now.
int FramePeriodsUntilDrawn(const Pet& pet, bool walks) {
  const bool character = pet.CharacterNo >= kBaby && pet.CharacterNo <= kXerblix;
  if (!character || pet.AttendTimeLeft > 0 || StepsEachFrame(pet, walks)) return 1;
  return std::max(1, FramePeriodsPerDrawing(pet) - pet.FrameStep);
}

}  // namespace

int TicksUntilChange(const Pet& pet, int play_stage, bool walks) {
  if (pet.TimerInterval <= 0 || !OnlyTheAnimationRuns(pet, play_stage)) return 0;
  // The frame falls on the tick that brings the animation clock to the
  // delay; a clock already past it draws on the next tick.
  const int left = pet.FrameDelay - pet.IntervalCount;
  const int first = std::max(1, (left + pet.TimerInterval - 1) / pet.TimerInterval);
  // Each frame restarts the clock from 0.
  const int period = std::max(1, (pet.FrameDelay + pet.TimerInterval - 1) / pet.TimerInterval);
  return first + (FramePeriodsUntilDrawn(pet, walks) - 1) * period;
}

int TicksUntilChange(const Simulator& sim) {
  return TicksUntilChange(sim.pet, sim.game.PlayStage, sim.layout.CharacterWalks);
}

}  // namespace nib
