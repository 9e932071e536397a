// Counters of the pet record are 16-bit; the long-lived ones (calls raised,
// care given) must stop at the top instead of wrapping negative.
#pragma once

#include <algorithm>

#include "sim/pet.h"

namespace nib {

inline void CountUp(int16& counter, int by = 1) {
  counter = static_cast<int16>(std::clamp<int>(counter + by, -32768, 32767));
}

inline void CountDown(int16& counter, int by = 1) { CountUp(counter, -by); }

}  // namespace nib
