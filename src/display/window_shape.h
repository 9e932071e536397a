// Window outlines: shapes combined in order, in pixels relative to the
// window's outer top-left corner. Right and bottom edges are exclusive.
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

// The insulating sheet: a strip with a rounded left end and a round pull
// grip on the right, 78 by 34 pixels.
inline constexpr std::array<WindowShapeStep, 3> kSheetOutline = {{
    {ShapeKind::Ellipse, 46, 1, 79, 35, ShapeOp::Start},    // pull grip
    {ShapeKind::Rectangle, 5, 9, 60, 26, ShapeOp::Union},   // strip
    {ShapeKind::Ellipse, 0, 9, 17, 27, ShapeOp::Union},     // rounded end
}};

}  // namespace nib
