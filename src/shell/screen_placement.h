// Where a window goes so that a screen shows it whole.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace nib {

// The window's own place when the screens together show it whole (it may
// straddle two); otherwise the nearest place on the screen nearest to it.
// No screens: unchanged.
QPoint PlaceOnScreens(const QRect& window, const QList<QRect>& screens);

}  // namespace nib
