"""A height field with colours, lit from the top left like moulded plastic."""

import math

from PIL import Image

from .outline import Shape

LIGHT = (-0.45, -0.6, 0.66)       # towards the light: up and to the left, in front
AMBIENT = 0.55
SHININESS = 24.0


def _normalized(v):
    length = math.sqrt(sum(c * c for c in v))
    return tuple(c / length for c in v)


def _bevel(t):
    """Quarter-circle profile: steep at the edge, flat inside."""
    t = min(max(t, 0.0), 1.0)
    return math.sqrt(1.0 - (1.0 - t) ** 2)


class Relief:
    def __init__(self, size, origin=(0, 0), colour=(128, 128, 128)):
        self.width, self.height = size
        self.origin = origin
        count = self.width * self.height
        self.heights = [0.0] * count
        self.colours = [tuple(map(float, colour))] * count
        self.opaque = [True] * count
        self.sheen = [0.0] * count
        self.gloss = 0.35

    def _centres(self, box=None, margin=0.0):
        """Pixel index and centre (window coordinates) of every pixel near `box`."""
        ox, oy = self.origin
        x0, y0, x1, y1 = 0, 0, self.width, self.height
        if box is not None:
            left, top, right, bottom = box
            x0, x1 = max(x0, math.floor(left - margin - ox)), min(x1, math.ceil(right + margin - ox))
            y0, y1 = max(y0, math.floor(top - margin - oy)), min(y1, math.ceil(bottom + margin - oy))
        for y in range(y0, y1):
            for x in range(x0, x1):
                yield y * self.width + x, ox + x + 0.5, oy + y + 0.5

    def sampled(self, shape):
        """The same shape, worked out once per pixel centre (for costly outlines)."""
        values = {(x, y): shape(x, y) for _, x, y in self._centres()}
        return Shape(lambda x, y: values[(x, y)], shape.box)

    def clip(self, shape):
        """Keeps only pixels whose centre lies inside `shape`."""
        for i, x, y in self._centres():
            self.opaque[i] = self.opaque[i] and shape(x, y) > 0

    def paint(self, shape, colour, opacity=1.0):
        """Blends `colour` in, anti-aliased along the shape's edge."""
        for i, x, y in self._centres(shape.box, 1):
            cover = min(max(shape(x, y) + 0.5, 0.0), 1.0) * opacity
            if cover > 0:
                self.colours[i] = _mix(self.colours[i], colour, cover)

    def lift(self, shape, amount, bevel):
        """Raises (or with a negative amount sinks) a shape with a rounded edge."""
        for i, x, y in self._centres(shape.box, 1):
            d = shape(x, y)
            if d > -1:
                self.heights[i] += amount * _bevel(d / bevel)

    def paint_pixels(self, pixels, colour, lift=0.0):
        """Paints exact window pixels (lettering), raising them by `lift`."""
        ox, oy = self.origin
        for x, y in pixels:
            i = (y - oy) * self.width + (x - ox)
            self.colours[i] = tuple(map(float, colour))
            self.heights[i] += lift

    def glow(self, shape, strength, softness):
        """A soft glossy reflection over a shape, fading over `softness` pixels."""
        for i, x, y in self._centres(shape.box, softness):
            d = shape(x, y)
            if d > -softness:
                t = min(1.0, (d + softness) / (2 * softness))
                self.sheen[i] = max(self.sheen[i], strength * t * t * (3 - 2 * t))

    def render(self):
        light = _normalized(LIGHT)
        half = _normalized((light[0], light[1], light[2] + 1.0))
        flat = AMBIENT + (1 - AMBIENT) * light[2]
        image = Image.new("RGBA", (self.width, self.height))
        image.putdata([self._shade(i, light, half, flat) for i in range(len(self.heights))])
        return image

    def _shade(self, i, light, half, flat):
        if not self.opaque[i]:
            return (0, 0, 0, 0)
        nx, ny, nz = self._normal(i)
        diffuse = max(0.0, nx * light[0] + ny * light[1] + nz * light[2])
        shade = (AMBIENT + (1 - AMBIENT) * diffuse) / flat
        glint = self.gloss * max(0.0, nx * half[0] + ny * half[1] + nz * half[2]) ** SHININESS
        glint -= self.gloss * half[2] ** SHININESS    # flat areas keep their colour
        rgb = [c * shade for c in self.colours[i]]
        rgb = [c + (255 - c) * max(glint, 0.0) for c in rgb]
        rgb = [c + (255 - c) * self.sheen[i] for c in rgb]
        return tuple(min(255, max(0, round(c))) for c in rgb) + (255,)

    def _normal(self, i):
        x, y = i % self.width, i // self.width
        h = self.heights
        left = h[i - 1] if x > 0 else h[i]
        right = h[i + 1] if x < self.width - 1 else h[i]
        up = h[i - self.width] if y > 0 else h[i]
        down = h[i + self.width] if y < self.height - 1 else h[i]
        return _normalized(((left - right) / 2, (up - down) / 2, 1.0))


def _mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def darker(colour, factor):
    return tuple(round(c * factor) for c in colour)
