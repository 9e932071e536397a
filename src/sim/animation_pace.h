// How often a character's own animation draws: the rule the tick follows
// and the shell plans its wake-ups by.
#pragma once

#include "sim/characters.h"
#include "sim/pet.h"

namespace nib {

// Frame periods between two drawn frames of a character (not the egg or
// the angel): dying and dropping draw every period, a sleeping or standing
// character every second, a sick one every third.
inline int FramePeriodsPerDrawing(const Pet& pet) {
  if (pet.DyingAction > 0 || (!pet.SleepAction && pet.Dropping)) return 1;
  if (pet.SleepAction) return 2;
  return pet.Sickness > 0 ? 3 : 2;
}

// Whether the character steps across the screen every frame period: a
// living, healthy, awake character of a look that walks.
inline bool StepsEachFrame(const Pet& pet, bool walks) {
  const bool alive =
      pet.CharacterNo >= kBaby && pet.CharacterNo <= kXerblix && pet.DyingAction == 0;
  return alive && walks && !pet.SleepAction && !pet.Dropping && pet.Sickness == 0;
}

}  // namespace nib
