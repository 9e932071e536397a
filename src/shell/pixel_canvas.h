// A window's look composed at one logical pixel per picture pixel and shown
// at the screen's scale by repeating whole device pixels: nothing blurs,
// and elements drawn side by side can never leave a seam between them.
#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>
#include <functional>
#include <vector>

class QPainter;

namespace nib {

class PixelCanvas {
 public:
  // Draws the window's pictures at 1x into `painter`, which is clipped to
  // `region`, the part to compose again; that part was cleared to
  // transparent.
  using Compose = std::function<void(QPainter& painter, const QRegion& region)>;

  // Composes `dirty` (window pixels) anew within `outline`, then draws the
  // window at the painter's scale. A window of another size or outline, or
  // a new scale, is composed or scaled whole once.
  void Paint(QPainter& painter, QSize size, const QRegion& outline, const QRegion& dirty,
             const Compose& compose);

  // The device pixel where logical pixel `logical` starts at `scale`:
  // rounded as Qt rounds a window's mask, so the painted body and the
  // window's shape share every edge.
  static int DeviceEdge(int logical, double scale);

 private:
  void Compose1x(const QRegion& region, const Compose& compose);
  void Rescale(double scale);
  void ScaleRect(const QRect& logical);

  QSize size_;
  QRegion outline_;
  QImage logical_;  // the composed window, one pixel per logical pixel
  QImage scaled_;   // the same at scale_, for scales other than 1
  double scale_ = 1;
  // Composed since scaled_ was last brought up to date.
  QRegion unscaled_;
  // The logical column or row each device column or row repeats.
  std::vector<int> source_x_, source_y_;
};

}  // namespace nib
