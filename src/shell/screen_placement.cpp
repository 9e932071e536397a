#include "shell/screen_placement.h"

#include <QRegion>
#include <algorithm>
#include <limits>

namespace nib {

namespace {

// Squared distance between the centres, in 64 bits: windows far off
// overflow int.
long long Distance(const QRect& a, const QRect& b) {
  const long long dx = static_cast<long long>(a.center().x()) - b.center().x();
  const long long dy = static_cast<long long>(a.center().y()) - b.center().y();
  return dx * dx + dy * dy;
}

int ClampInto(int start, int length, int area_start, int area_length) {
  // A window larger than the screen keeps its top-left corner on it.
  return std::max(area_start, std::min(start, area_start + area_length - length));
}

}  // namespace

QPoint PlaceOnScreens(const QRect& window, const QList<QRect>& screens) {
  QRegion uncovered(window);
  for (const QRect& screen : screens) uncovered -= screen;
  if (uncovered.isEmpty()) return window.topLeft();
  const QRect* nearest = nullptr;
  long long best = std::numeric_limits<long long>::max();
  for (const QRect& screen : screens) {
    if (Distance(window, screen) < best) {
      best = Distance(window, screen);
      nearest = &screen;
    }
  }
  if (!nearest) return window.topLeft();
  return {ClampInto(window.x(), window.width(), nearest->x(), nearest->width()),
          ClampInto(window.y(), window.height(), nearest->y(), nearest->height())};
}

}  // namespace nib
