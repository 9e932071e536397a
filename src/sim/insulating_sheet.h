// The insulating sheet's geometry and its on/off rule, as plain functions of
// positions in twips, so the whole behaviour can be checked with tables.
#pragma once

#include "sim/pet.h"

namespace nib {

// The sheet sits this far inside the device's right edge when not pushed.
inline constexpr float kSheetHomeInset = 60;
// Attached, the sheet's top is this far below the device's top.
inline constexpr float kSheetTopOffset = 1600;
// How far the sheet can be pushed in, and from how far in it counts as deep.
inline constexpr int16 kSheetMaxPushed = 700;
inline constexpr float kSheetDeepPushed = 500;
// The snap zone around the slot: this much above and below the attached
// top, and this far right of the home position.
inline constexpr float kSheetSnapBand = 150;
inline constexpr float kSheetSnapRight = 150;
// The sheet window and its timer.
inline constexpr float kSheetWidth = 1170, kSheetHeight = 510;
inline constexpr int kSheetTimerMs = 100;
// Timer ticks before the device switches off (sheet deep in) or on (out).
inline constexpr int16 kSheetTicksToOff = 15;
inline constexpr int16 kSheetTicksToOn = 5;

// Where an attached sheet goes for a device at (left, top) of a width.
struct SheetSlot {
  float home_left;     // the sheet's left when attached and not pushed in
  float attached_top;  // the sheet's top when attached

  static SheetSlot Of(float device_left, float device_top, float device_width);
  // Left of an attached sheet pushed in by `pushed` twips.
  float LeftWhenPushed(float pushed) const { return home_left - pushed; }
  // Attached, at the slot's height and pushed in by 500 to 700.
  bool DeepIn(float sheet_left, float sheet_top, bool attached) const;
  // Whether a sheet at (left, top) before a move is caught by the slot. A
  // floating sheet is caught only when it comes from outside the device.
  bool InSnapZone(float sheet_left, float sheet_top, bool attached) const;
  // An attached sheet slides only sideways and never further in than 700.
  float AttachedLeft(float proposed_left) const;
  // How far an attached sheet at `sheet_left` is pushed in, 0 when it is out
  // or floating.
  int16 WidthPushed(float sheet_left, bool attached) const;
};

// What one beat of the sheet timer does to the device.
enum class SheetSwitch { None, Off, On };

// Updates `InsulatingSheet` (1 deep in, 2 not) and the tick count, and says
// whether the device switches. `current` is the state the device last
// switched to (1 off, 2 on).
SheetSwitch SheetTimerStep(bool deep_in, int16 current, int16& InsulatingSheet, int16& SheetTicks);

}  // namespace nib
