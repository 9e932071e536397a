// The clock screen: the computer's local time on digit pictures.
#include "sim/clock_text.h"
#include "sim/simulator.h"

namespace nib {

namespace {

bool SameTime(const ClockTime& a, const ClockTime& b) {
  return a.second == b.second && a.minute == b.minute && a.hour12 == b.hour12 && a.pm == b.pm;
}

}  // namespace

void Simulator::DoShowTimerScreen(bool show) {
  // The tens of the hour are shown by the next drawing, which knows the hour.
  if (!show) scr.HourDigit[0].Hide();
  for (Element* e : {&scr.HourDigit[1], &scr.Colon, &scr.MinuteDigit[0], &scr.MinuteDigit[1],
                     &scr.SecondDigit[0], &scr.SecondDigit[1], &scr.AmOrPm, &scr.SecondIdx})
    e->SetVisible(show);
  // The next tick draws even within the same second, so a clock shown
  // again gets its tens digit back at once.
  clock_screen_.ClockDrawnValid = false;
  DoMainScreen(!show);
}

void Simulator::DoShowClock() {
  if (scr.BackView.Visible()) return;
  const ClockTime now = platform_.Now();
  if (clock_screen_.ClockDrawnValid && SameTime(now, clock_screen_.ClockDrawn)) return;
  clock_screen_.ClockDrawn = now;
  clock_screen_.ClockDrawnValid = true;

  const ClockText text = FormatClockText(now);
  Element& tens = scr.HourDigit[0];
  const int hour_tens = ClockDigit(text, 0);
  tens.CopyPictureFrom(scr.LargeNumber[hour_tens]);
  tens.SetVisible(hour_tens != 0);
  scr.HourDigit[1].CopyPictureFrom(scr.LargeNumber[ClockDigit(text, 1)]);
  scr.MinuteDigit[0].CopyPictureFrom(scr.LargeNumber[ClockDigit(text, 2)]);
  scr.MinuteDigit[1].CopyPictureFrom(scr.LargeNumber[ClockDigit(text, 3)]);
  scr.SecondDigit[0].CopyPictureFrom(scr.SmallNumber[ClockDigit(text, 4)]);
  scr.SecondDigit[1].CopyPictureFrom(scr.SmallNumber[ClockDigit(text, 5)]);
  scr.AmOrPm.CopyPictureFrom(scr.AmPm[ClockTextIsAm(text) ? 0 : 1]);
  scr.SecondIdx.CopyPictureFrom(scr.SecondIndex[ClockDigit(text, 5)]);
}

}  // namespace nib
