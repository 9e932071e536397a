#include "shell/window_region.h"

#include <QWidget>
#include <QWindow>

namespace nib {

QRegion ShapeRegion(std::span<const WindowShapeStep> steps) {
  QRegion outline;
  for (const WindowShapeStep& step : steps) {
    const QRect rect(step.left, step.top, step.right - step.left, step.bottom - step.top);
    const QRegion shape(rect,
                        step.kind == ShapeKind::Ellipse ? QRegion::Ellipse : QRegion::Rectangle);
    switch (step.op) {
      case ShapeOp::Start:
        outline = shape;
        break;
      case ShapeOp::Union:
        outline = outline.united(shape);
        break;
      case ShapeOp::Difference:
        outline = outline.subtracted(shape);
        break;
    }
  }
  return outline;
}

void ApplyTopMost(QWidget& window, bool on_top) {
  Qt::WindowFlags flags = window.windowFlags();
  if (flags.testFlag(Qt::WindowStaysOnTopHint) != on_top) {
    flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
    // setWindowFlags would hide and re-create the native window; the
    // window system takes the new hint on the live one.
    window.overrideWindowFlags(flags);
    if (QWindow* handle = window.windowHandle()) handle->setFlags(flags);
  }
  if (on_top && window.isVisible()) window.raise();
}

}  // namespace nib
