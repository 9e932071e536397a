// How long the shell may sleep before a tick can change what the pet shows
// or sounds. While the pet only lives on (walks, sleeps, blinks) nothing
// changes between two drawn frames of its own animation, so the shell wakes
// for each of them, on time, and not in between; any other state wakes it
// every TickPacer::kWakeUpMs.
#pragma once

#include "sim/pet.h"

namespace nib {

class Simulator;

// Ticks from the last one run until the first that may change the screen,
// the tray or the sound: the next drawn frame of the pet's animation. 0 when
// any tick may. `walks`: the character's pictures walk across the screen,
// one step each frame period.
int TicksUntilChange(const Pet& pet, int play_stage, bool walks);
int TicksUntilChange(const Simulator& sim);

}  // namespace nib
