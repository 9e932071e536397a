// The thirteen characters by the number the pet record stores, and the table
// of what each grown character is.
#pragma once

#include "sim/pet.h"

namespace nib {

enum CharacterNumber : int16 {
  kEgg = 0,
  kBaby = 1,
  kPimbo = 2,    // the child
  kWembic = 3,   // the well-kept teen
  kQuillop = 4,  // the other teen
  kFennick = 5,  // adults, 5..10
  kTovrin = 6,
  kZelmoc = 7,
  kDrubbel = 8,
  kVossel = 9,
  kOmpadu = 10,
  kXerblix = 11,  // the secret character
  kAngel = 12,
};

// Fennick goes to sleep by itself.
inline constexpr int16 kSelfSleeper = kFennick;

// Minutes in a pet day.
inline constexpr int16 kDayMinutes = kHourMinutes * 24;
// Zelmoc's first life; when it ends with a well-kept pet, a second follows.
inline constexpr int16 kZelmocFirstLife = kDayMinutes * 2 + 10;

struct CharacterRow {
  int16 frame_delay;  // ms between two frames of the pet's own animation
  int16 min_weight;
};

// Characters Pimbo to Xerblix; the egg, the baby and the angel have their
// own steps.
inline constexpr CharacterRow kCharacterRows[] = {
    {80, 10}, {80, 20}, {80, 20}, {50, 30}, {80, 30},
    {80, 30}, {80, 30}, {80, 30}, {80, 30}, {60, 30},
};

inline const CharacterRow& CharacterRowOf(int16 character) {
  return kCharacterRows[character - kPimbo];
}

}  // namespace nib
