// How long the device's calls, beeps and steps last. Ticks are of the main
// timer (about 10 ms each).
#pragma once

#include "sim/pet.h"

namespace nib {

// An attention call waits this many seconds for the owner.
inline constexpr int16 kCallSeconds = 120;
// The call beeps during its first five seconds, and a button press ends
// that beeping part at once.
inline constexpr int16 kCallQuietFrom = kCallSeconds - 5;
// Ticks between two beeps of a call.
inline constexpr int16 kCallBeepTicks = 7;
// Ticks between two flips of the droppings' picture.
inline constexpr int16 kDungFlipTicks = 12;
// The flush's water and the darkness move this far each step.
inline constexpr int16 kFlushStepTwips = 60;

}  // namespace nib
