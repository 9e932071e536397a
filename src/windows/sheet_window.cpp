#include "windows/sheet_window.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <cmath>

#include "display/element.h"
#include "display/window_shape.h"
#include "shell/device_window.h"
#include "shell/key_input.h"
#include "shell/picture_files.h"
#include "shell/window_region.h"
#include "shell/window_units.h"
#include "sim/insulating_sheet.h"
#include "sim/simulator.h"

namespace nib {

SheetWindow::SheetWindow(Simulator& sim, DeviceWindow& device)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), sim_(sim), device_(device) {
  setAttribute(Qt::WA_TranslucentBackground);
  setFixedSize(TwipsToPixels(kSheetWidth), TwipsToPixels(kSheetHeight));
  setMask(Outline());
  setFocusPolicy(Qt::StrongFocus);
  setWindowTitle(QStringLiteral("Insulating Sheet"));
  timer_.setTimerType(Qt::CoarseTimer);
  connect(&timer_, &QTimer::timeout, this,
          [this] { device_.Run("sheet timer", [this] { sim_.SheetTimer_Timer(); }); });
}

QRegion SheetWindow::Outline() { return ShapeRegion(kSheetOutline); }

void SheetWindow::SetLook(const Picture& picture, const Cursor& pointer) {
  picture_ = picture;
  const auto* cursor = dynamic_cast<const QtCursor*>(pointer.get());
  setCursor(cursor ? cursor->cursor : QCursor(Qt::ArrowCursor));
  update();
}

void SheetWindow::SetTopMost(bool on_top) { ApplyTopMost(*this, on_top); }

float SheetWindow::LeftTwips() const {
  return pos() == placed_at_ ? left_twips_ : static_cast<float>(pos().x()) * kTwipsPerPixel;
}

float SheetWindow::TopTwips() const {
  return pos() == placed_at_ ? top_twips_ : static_cast<float>(pos().y()) * kTwipsPerPixel;
}

void SheetWindow::MoveTwips(float left, float top) {
  left_twips_ = left;
  top_twips_ = top;
  placed_at_ = QPoint(TwipsToPixels(left), TwipsToPixels(top));
  move(placed_at_);
}

void SheetWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  canvas_.Paint(painter, size(), Outline(), event->region(),
                [this](QPainter& canvas, const QRegion&) {
                  const auto* picture = dynamic_cast<const QtPicture*>(picture_.get());
                  if (picture && !picture->pixmap.isNull())
                    canvas.drawPixmap(QPoint(0, 0), picture->pixmap);
                });
}

QPointF SheetWindow::TwipsAt(const QPointF& global_pos) const {
  // From where the core put the sheet: it may have just moved it.
  const QPointF origin(LeftTwips() / kTwipsPerPixel, TopTwips() / kTwipsPerPixel);
  return (global_pos - origin) * kTwipsPerPixel;
}

void SheetWindow::mousePressEvent(QMouseEvent* event) {
  const int button = event->button() == Qt::LeftButton    ? kLeftButton
                     : event->button() == Qt::RightButton ? kRightButton
                                                          : 0;
  if (button == 0) return;
  const QPointF at = TwipsAt(event->globalPosition());
  device_.Run("sheet down", [&] { sim_.SheetMouseDown(button, at.x(), at.y()); });
}

void SheetWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!event->buttons().testFlag(Qt::LeftButton)) return;
  const QPointF at = TwipsAt(event->globalPosition());
  device_.Run("sheet move", [&] { sim_.SheetMouseMove(kLeftButton, at.x(), at.y()); });
}

void SheetWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  device_.Run("sheet up", [&] { sim_.SheetMouseUp(kLeftButton); });
}

void SheetWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  device_.Keys().Press(*event);
}

void SheetWindow::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  device_.Keys().Release(*event);
}

void SheetWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Attached, the sheet lies behind the device; it is topmost only while
  // it floats.
  if (!windowFlags().testFlag(Qt::WindowStaysOnTopHint)) device_.raise();
}

void SheetWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  device_.Keys().LetGoHeldKeys();
}

}  // namespace nib
