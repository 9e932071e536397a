// Twips to window pixels, and Qt's mouse buttons as the core numbers them.
// Shared by every window of the program.
#pragma once

#include <Qt>
#include <algorithm>
#include <cmath>

#include "display/element.h"
#include "sim/simulator.h"

namespace nib {

// Far beyond any screen, but safe to convert to int; not-a-number is 0.
inline double ClampPixels(double px) {
  if (!std::isfinite(px)) return 0;
  return std::clamp(px, -1e6, 1e6);
}

inline int TwipsToPixels(float twips) {
  return static_cast<int>(std::lround(ClampPixels(twips / kTwipsPerPixel)));
}

// 1 for the left button, 2 for the right, 0 for any other.
inline int MouseButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    default:
      return 0;
  }
}

inline int MouseButtonMask(Qt::MouseButtons buttons) {
  return (buttons.testFlag(Qt::LeftButton) ? kLeftButton : 0) |
         (buttons.testFlag(Qt::RightButton) ? kRightButton : 0);
}

}  // namespace nib
