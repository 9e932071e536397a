#include "shell/pixel_canvas.h"

#include <QPainter>
#include <QTransform>
#include <cmath>
#include <cstring>

namespace nib {

namespace {

// Qt rounds a window's mask corners with qRound; so does the painting.
std::vector<int> SourceLines(int logical_length, double scale) {
  std::vector<int> source;
  source.reserve(static_cast<std::size_t>(PixelCanvas::DeviceEdge(logical_length, scale)));
  for (int i = 0; i < logical_length; ++i) {
    const int end = PixelCanvas::DeviceEdge(i + 1, scale);
    while (static_cast<int>(source.size()) < end) source.push_back(i);
  }
  return source;
}

}  // namespace

int PixelCanvas::DeviceEdge(int logical, double scale) { return qRound(logical * scale); }

void PixelCanvas::Paint(QPainter& painter, QSize size, const QRegion& outline, const QRegion& dirty,
                        const Compose& compose) {
  const QRect whole(QPoint(0, 0), size);
  QRegion to_compose = dirty & whole;
  if (size != size_ || outline != outline_ || logical_.isNull()) {
    size_ = size;
    outline_ = outline;
    logical_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    scaled_ = QImage();
    if (logical_.isNull()) return;
    to_compose = whole;
  }
  Compose1x(to_compose, compose);

  // The painter's own scale: the backing store's, or that of a grab.
  const double scale = painter.deviceTransform().m11();
  const bool scaled = scale > 0 && std::abs(scale - 1) > 1e-9;
  // Also what a paint at another scale (a grab) composed meanwhile.
  unscaled_ += to_compose;
  if (scaled) {
    if (scaled_.isNull() || scale != scale_) {
      Rescale(scale);
    } else {
      for (const QRect& rect : unscaled_) ScaleRect(rect);
    }
    unscaled_ = QRegion();
  }

  painter.save();
  // The window shows exactly the canvas, transparent where it is.
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (scaled) {
    // One canvas pixel to one device pixel: a plain copy, clipped by Qt to
    // what it repaints.
    painter.setWorldTransform(QTransform::fromScale(1 / scale, 1 / scale), true);
    painter.drawImage(QPoint(0, 0), scaled_);
  } else {
    painter.drawImage(QPoint(0, 0), logical_);
  }
  painter.restore();
}

void PixelCanvas::Compose1x(const QRegion& region, const Compose& compose) {
  if (region.isEmpty()) return;
  QPainter painter(&logical_);
  painter.setClipRegion(region);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(region.boundingRect(), Qt::transparent);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  // Also where the window system cannot cut the window to its shape.
  painter.setClipRegion(region & outline_);
  compose(painter, region);
}

void PixelCanvas::Rescale(double scale) {
  scale_ = scale;
  source_x_ = SourceLines(size_.width(), scale);
  source_y_ = SourceLines(size_.height(), scale);
  scaled_ = QImage(static_cast<int>(source_x_.size()), static_cast<int>(source_y_.size()),
                   QImage::Format_ARGB32_Premultiplied);
  if (scaled_.isNull()) return;
  ScaleRect(QRect(QPoint(0, 0), size_));
}

void PixelCanvas::ScaleRect(const QRect& logical) {
  if (scaled_.isNull()) return;
  const int left = DeviceEdge(logical.left(), scale_);
  const int right = std::min(DeviceEdge(logical.right() + 1, scale_), scaled_.width());
  const int top = DeviceEdge(logical.top(), scale_);
  const int bottom = std::min(DeviceEdge(logical.bottom() + 1, scale_), scaled_.height());
  if (right <= left) return;
  const std::size_t row_bytes = sizeof(QRgb) * static_cast<std::size_t>(right - left);
  for (int y = top; y < bottom;) {
    const auto* from = reinterpret_cast<const QRgb*>(logical_.constScanLine(source_y_[y]));
    auto* first = reinterpret_cast<QRgb*>(scaled_.scanLine(y));
    for (int x = left; x < right; ++x) first[x] = from[source_x_[x]];
    // The other device rows of the same logical row are copies.
    int next = y + 1;
    for (; next < bottom && source_y_[next] == source_y_[y]; ++next)
      std::memcpy(reinterpret_cast<QRgb*>(scaled_.scanLine(next)) + left, first + left, row_bytes);
    y = next;
  }
}

}  // namespace nib
