// Which character follows when the current one's time is up: a rule of the
// pet record alone.
#pragma once

#include "sim/pet.h"

namespace nib {

struct NextStep {
  enum Kind {
    kStays,        // no change (the egg, the adults, the angel)
    kBecomes,      // grows into `character`
    kRandomAdult,  // a teen no rule placed: one of the six adults by chance
    kSecondLife,   // Zelmoc lives on to its second life
    kDies,
  };
  Kind kind = kStays;
  int16 character = 0;

  bool operator==(const NextStep&) const = default;
};

NextStep NextCharacter(const Pet& pet);

// The adult of a random pick 0..5.
int16 RandomAdult(int pick);

}  // namespace nib
