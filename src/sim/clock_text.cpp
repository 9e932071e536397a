#include "sim/clock_text.h"

namespace nib {

namespace {

void PutTwoDigits(ClockText& text, int at, int value) {
  text[at] = static_cast<char>('0' + value / 10);
  text[at + 1] = static_cast<char>('0' + value % 10);
}

int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

ClockText FormatClockText(const ClockTime& time) {
  // A platform that hands over 0 or a 24-hour value still gets a 12-hour
  // dial: midnight and noon read 12.
  int hour = time.hour12 % 12;
  if (hour < 0) hour += 12;
  if (hour == 0) hour = 12;
  ClockText text{};
  PutTwoDigits(text, 0, hour);
  PutTwoDigits(text, 2, Clamp(time.minute, 0, 59));
  PutTwoDigits(text, 4, Clamp(time.second, 0, 59));
  text[6] = ' ';
  text[7] = time.pm ? 'P' : 'A';
  text[8] = 'M';
  return text;
}

}  // namespace nib
