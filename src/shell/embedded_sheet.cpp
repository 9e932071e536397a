#include "shell/embedded_sheet.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "display/window_shape.h"
#include "shell/device_window.h"
#include "shell/picture_files.h"
#include "shell/qt_platform.h"
#include "shell/window_region.h"
#include "shell/window_units.h"
#include "sim/simulator.h"

namespace nib {

namespace {

// The slot of a device whose top-left is the window's.
SheetSlot WindowSlot() { return SheetSlot::Of(0, 0, kWindowWidth); }

float DeepestLeft() { return WindowSlot().LeftWhenPushed(kSheetMaxPushed); }
float FurthestLeft() { return WindowSlot().home_left + kSheetSnapRight; }

// Cut to the sheet's size, as its own window cuts it.
const QRegion& SheetOutline() {
  static const QRegion outline = ShapeRegion(kSheetOutline).intersected(
      QRect(0, 0, TwipsToPixels(kSheetWidth), TwipsToPixels(kSheetHeight)));
  return outline;
}

const QRegion& DeviceOutline() {
  static const QRegion outline = DeviceWindow::Outline();
  return outline;
}

bool AnyButtonHeld(Qt::MouseButtons buttons) {
  return buttons & (Qt::LeftButton | Qt::RightButton);
}

}  // namespace

EmbeddedSheet::EmbeddedSheet(Simulator& sim, QtPlatform& platform, DeviceWindow& device)
    : QObject(&device),
      sim_(sim),
      platform_(platform),
      device_(device),
      left_(WindowSlot().home_left),
      top_(WindowSlot().attached_top) {
  timer_.setTimerType(Qt::CoarseTimer);
  connect(&timer_, &QTimer::timeout, this,
          [this] { device_.Run("sheet timer", [this] { sim_.SheetTimer_Timer(); }); });
}

QRect EmbeddedSheet::Travel() {
  const int left = TwipsToPixels(DeepestLeft());
  const int right = TwipsToPixels(FurthestLeft()) + TwipsToPixels(kSheetWidth);
  return QRect(left, TwipsToPixels(WindowSlot().attached_top), right - left, TwipsToPixels(kSheetHeight));
}

void EmbeddedSheet::SetShown(bool shown) {
  if (shown == shown_) return;
  const QRegion before = Shape();
  shown_ = shown;
  Reshaped(before);
}

float EmbeddedSheet::LeftTwips() const { return platform_.WindowLeft() + left_; }

float EmbeddedSheet::TopTwips() const { return platform_.WindowTop() + top_; }

void EmbeddedSheet::MoveTwips(float left, float /*top*/) {
  const QRegion before = Shape();
  const float relative = left - platform_.WindowLeft();
  // Inside the device window the sheet can only be in its slot: a pull past
  // the snap zone stops at its edge, and it never leaves the slot's height.
  left_ = std::isfinite(relative) ? std::clamp(relative, DeepestLeft(), FurthestLeft())
                                  : WindowSlot().home_left;
  top_ = WindowSlot().attached_top;
  Reshaped(before);
}

void EmbeddedSheet::SetLook(const Picture& picture, const Cursor& pointer) {
  picture_ = picture;
  pointer_ = pointer;
  if (shown_) device_.update(Shape());
}

QPoint EmbeddedSheet::Place() const { return QPoint(TwipsToPixels(left_), TwipsToPixels(top_)); }

QRegion EmbeddedSheet::Shape() const {
  return shown_ ? SheetOutline().translated(Place()) : QRegion();
}

bool EmbeddedSheet::ShowsAt(const QPointF& window_px) const {
  const QPoint px(static_cast<int>(std::floor(window_px.x())),
                  static_cast<int>(std::floor(window_px.y())));
  // Where the two overlap, the device lies on top.
  return Shape().contains(px) && !DeviceOutline().contains(px);
}

void EmbeddedSheet::Paint(QPainter& canvas, const QRegion& dirty) const {
  const auto* picture = dynamic_cast<const QtPicture*>(picture_.get());
  if (!picture || picture->pixmap.isNull()) return;
  const QRegion shape = Shape();
  if (!dirty.intersects(shape)) return;
  canvas.save();
  canvas.setClipRegion(shape, Qt::IntersectClip);
  canvas.drawPixmap(Place(), picture->pixmap);
  canvas.restore();
}

void EmbeddedSheet::Reshaped(const QRegion& before) {
  const QRegion after = Shape();
  if (after != before) device_.SheetReshaped(before.united(after));
}

QPointF EmbeddedSheet::TwipsAt(const QPointF& window_px) const {
  return window_px * kTwipsPerPixel - QPointF(left_, top_);
}

bool EmbeddedSheet::Press(const QMouseEvent& event) {
  // The first button down starts afresh: a release the popup menu took
  // never reached us.
  if (!AnyButtonHeld(event.buttons() & ~event.button())) holding_ = false;
  if (!holding_ && !ShowsAt(event.position())) return false;
  holding_ = true;
  const int button = MouseButtonCode(event.button());
  if (!enabled_ || button == 0) return true;
  const QPointF at = TwipsAt(event.position());
  device_.Run("sheet down", [&] { sim_.SheetMouseDown(button, at.x(), at.y()); });
  return true;
}

bool EmbeddedSheet::Move(const QMouseEvent& event) {
  if (!holding_) return false;
  if (!AnyButtonHeld(event.buttons())) {
    holding_ = false;
    return false;
  }
  if (enabled_ && event.buttons().testFlag(Qt::LeftButton)) {
    const QPointF at = TwipsAt(event.position());
    device_.Run("sheet move", [&] { sim_.SheetMouseMove(kLeftButton, at.x(), at.y()); });
  }
  return true;
}

bool EmbeddedSheet::Release(const QMouseEvent& event) {
  if (!holding_) return false;
  if (!AnyButtonHeld(event.buttons())) holding_ = false;
  if (enabled_ && event.button() == Qt::LeftButton)
    device_.Run("sheet up", [&] { sim_.SheetMouseUp(kLeftButton); });
  return true;
}

}  // namespace nib
