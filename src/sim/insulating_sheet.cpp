#include "sim/insulating_sheet.h"

#include <cmath>

namespace nib {

SheetSlot SheetSlot::Of(float device_left, float device_top, float device_width) {
  return {device_left + device_width - kSheetHomeInset, device_top + kSheetTopOffset};
}

bool SheetSlot::DeepIn(float sheet_left, float sheet_top, bool attached) const {
  return attached && sheet_top == attached_top && sheet_left >= home_left - kSheetMaxPushed &&
         sheet_left <= home_left - kSheetDeepPushed;
}

bool SheetSlot::InSnapZone(float sheet_left, float sheet_top, bool attached) const {
  return (sheet_left > home_left || attached) && sheet_top >= attached_top - kSheetSnapBand &&
         sheet_top <= attached_top + kSheetSnapBand && sheet_left >= home_left - kSheetMaxPushed &&
         sheet_left <= home_left + kSheetSnapRight;
}

float SheetSlot::AttachedLeft(float proposed_left) const {
  const float deepest = home_left - kSheetMaxPushed;
  return proposed_left > deepest ? proposed_left : deepest;
}

int16 SheetSlot::WidthPushed(float sheet_left, bool attached) const {
  if (!attached || !(sheet_left < home_left)) return 0;
  const float pushed = std::round(home_left - sheet_left);
  return static_cast<int16>(pushed > kSheetMaxPushed ? kSheetMaxPushed : pushed);
}

SheetSwitch SheetTimerStep(bool deep_in, int16 current, int16& InsulatingSheet, int16& SheetTicks) {
  // Crossing the deep-in boundary starts the count again.
  const int16 now = deep_in ? 1 : 2;
  if (InsulatingSheet == 3 - now) SheetTicks = 0;
  InsulatingSheet = now;
  if (current == 2 && now == 1 && SheetTicks >= kSheetTicksToOff) {
    SheetTicks = 0;
    return SheetSwitch::Off;
  }
  if (current == 1 && now == 2 && SheetTicks >= kSheetTicksToOn) {
    SheetTicks = 0;
    return SheetSwitch::On;
  }
  // Counting stops once either threshold is reached.
  if (SheetTicks < kSheetTicksToOff) ++SheetTicks;
  return SheetSwitch::None;
}

}  // namespace nib
