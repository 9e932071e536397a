// Window outlines as Qt regions, and topmost placement that keeps the
// native window (no flicker, no lost mouse grab).
#pragma once

#include <QRegion>
#include <span>

#include "display/window_shape.h"

class QWidget;

namespace nib {

QRegion ShapeRegion(std::span<const WindowShapeStep> steps);

// Above every normal window when on_top, back among them otherwise; the
// window is also raised over the program's other windows when on_top.
void ApplyTopMost(QWidget& window, bool on_top);

}  // namespace nib
