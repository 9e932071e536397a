// The outline of the device window: five shapes combined in order, in
// pixels relative to the window's outer top-left corner. Right and bottom
// edges are exclusive.
#pragma once

#include <array>

namespace nib {

enum class ShapeKind { Ellipse, Rectangle };
enum class ShapeOp { Start, Union, Difference };

struct WindowShapeStep {
  ShapeKind kind;
  int left, top, right, bottom;
  ShapeOp op;
};

inline constexpr std::array<WindowShapeStep, 5> kDeviceOutline = {{
    {ShapeKind::Ellipse, 5, 30, 142, 220, ShapeOp::Start},        // egg body
    {ShapeKind::Ellipse, 63, 24, 84, 40, ShapeOp::Union},         // key-ring lug
    {ShapeKind::Rectangle, 3, 120, 145, 220, ShapeOp::Difference},  // cut the long bottom
    {ShapeKind::Ellipse, 5, 60, 142, 194, ShapeOp::Union},        // rounder lower half
    {ShapeKind::Ellipse, 70, 30, 78, 37, ShapeOp::Difference},    // hole of the ring
}};

}  // namespace nib
