// What the platform's insulating-sheet calls act on: the sheet's own window
// where the program places its windows, or the sheet drawn inside the
// device window where it cannot (Wayland).
#pragma once

#include "sim/platform.h"

class QTimer;

namespace nib {

class SheetSurface {
 public:
  virtual ~SheetSurface() = default;

  virtual void SetShown(bool shown) = 0;
  // Mouse input on or off while an auxiliary window is open.
  virtual void SetInputEnabled(bool enabled) = 0;
  // Position in twips, read back exactly as the core set it (within the
  // slot, for the sheet inside the device window).
  virtual float LeftTwips() const = 0;
  virtual float TopTwips() const = 0;
  virtual void MoveTwips(float left, float top) = 0;
  virtual void SetTopMost(bool on_top) = 0;
  virtual void SetLook(const Picture& picture, const Cursor& pointer) = 0;
  virtual QTimer& Timer() = 0;
};

}  // namespace nib
