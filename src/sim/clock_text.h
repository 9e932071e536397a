// The clock's text, formatted by hand so that no locale can change the
// digits or the day-half sign, and without touching the heap.
#pragma once

#include <array>

#include "sim/platform.h"

namespace nib {

// "hhmmss AM": two-digit 12-hour hours, minutes, seconds, a blank and
// "AM" or "PM". Characters 0 to 5 are the six digits.
using ClockText = std::array<char, 9>;

ClockText FormatClockText(const ClockTime& time);

// The digit at position 0..5 of the text as a number 0..9.
inline int ClockDigit(const ClockText& text, int position) { return text[position] - '0'; }

inline bool ClockTextIsAm(const ClockText& text) { return text[7] == 'A'; }

}  // namespace nib
