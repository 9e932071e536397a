"""The window outline and the shapes used to model the toy's surface.

Every shape is a signed distance function in window pixels: positive inside,
negative outside, about the distance to the edge near it. Points are pixel
centres (x + 0.5, y + 0.5).
"""

import math

WINDOW_SIZE = (145, 198)


class Shape:
    """A signed distance function with the box (left, top, right, bottom) it fills."""

    def __init__(self, sdf, box):
        self.sdf = sdf
        self.box = box

    def __call__(self, x, y):
        return self.sdf(x, y)


def _grow(box, amount):
    left, top, right, bottom = box
    return (left - amount, top - amount, right + amount, bottom + amount)


def ellipse(left, top, right, bottom):
    """Ellipse given by its bounding box (right/bottom exclusive)."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    rx, ry = (right - left) / 2, (bottom - top) / 2

    def sdf(x, y):
        dx, dy = (x - cx) / rx, (y - cy) / ry
        q = math.hypot(dx, dy)
        if q < 1e-9:
            return min(rx, ry)
        grad = math.hypot(dx / rx, dy / ry) / q   # |gradient of q|
        return (1 - q) / grad
    return Shape(sdf, (left, top, right, bottom))


def rounded_rect(left, top, right, bottom, radius):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return radius - outside - min(max(qx, qy), 0.0)
    return Shape(sdf, (left, top, right, bottom))


def rect(left, top, right, bottom):
    return rounded_rect(left, top, right, bottom, 0.0)


def circle(cx, cy, radius):
    return Shape(lambda x, y: radius - math.hypot(x - cx, y - cy),
                 (cx - radius, cy - radius, cx + radius, cy + radius))


def segment(x0, y0, x1, y1, half_width):
    """A stroke with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def sdf(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return half_width - math.hypot(x - x0 - t * dx, y - y0 - t * dy)
    box = (min(x0, x1), min(y0, y1), max(x0, x1), max(y0, y1))
    return Shape(sdf, _grow(box, half_width))


def union(*shapes):
    boxes = [s.box for s in shapes]
    box = (min(b[0] for b in boxes), min(b[1] for b in boxes),
           max(b[2] for b in boxes), max(b[3] for b in boxes))
    return Shape(lambda x, y: max(s(x, y) for s in shapes), box)


def minus(shape, cut):
    return Shape(lambda x, y: min(shape(x, y), -cut(x, y)), shape.box)


def ring(shape, half_width):
    """A band of the given half width along a shape's edge."""
    return Shape(lambda x, y: half_width - abs(shape(x, y)), _grow(shape.box, half_width))


def grown(shape, amount):
    return Shape(lambda x, y: shape(x, y) + amount, _grow(shape.box, max(amount, 0)))


# The egg: tall ellipse on top, rounder ellipse below, a key-ring lug with a hole.
BODY = minus(
    union(minus(union(ellipse(5, 30, 142, 220), ellipse(63, 24, 84, 40)),
                rect(3, 120, 145, 220)),
          ellipse(5, 60, 142, 194)),
    ellipse(70, 30, 78, 37))


def inside_window(x, y):
    """Whether window pixel (x, y) belongs to the window: its centre is inside."""
    return BODY(x + 0.5, y + 0.5) > 0
