"""The plastic parts: front and back shell, buttons, and the LCD glass."""

from PIL import Image

from . import layout
from .outline import (BODY, circle, grown, minus, rect, ring, rounded_rect,
                      ellipse, segment, union)
from .relief import Relief, darker
from .source_text import Settings

# Window regions rasterise the outline ellipses slightly differently (Qt's
# takes pixels whose centre is up to ~0.9 px outside), so the shell runs on a
# hair past the outline and the region trims it: no window pixel is left bare.
BLEED = 1.0

SHELL_KEYS = ("shell", "rim", "plate", "frame", "well", "lettering", "print", "groove", "screw",
              "slot")
# Optional: where a colour's "color.ini" puts buttons A, B and C (window pixels,
# the button's top-left; twips / 15). The wells and printed names follow.
SHELL_BUTTON_KEYS = {"A": "button-a", "B": "button-b", "C": "button-c"}
BUTTON_KEYS = ("size", "face", "rim")


def _shell_relief(theme, size, origin):
    relief = Relief(size, origin, theme.colour("shell"))
    body = relief.sampled(BODY)
    relief.lift(ellipse(5, 26, 142, 196), 14, 60)   # one smooth dome, no seam where the halves meet
    relief.lift(body, 7, 9)                    # and rounds off at its edge
    relief.paint(ring(grown(body, (BLEED - 1.2) / 2), (BLEED + 1.2) / 2), theme.colour("rim"), 0.8)
    relief.glow(ellipse(22, 52, 62, 118), 0.35, 10)
    relief.clip(grown(body, BLEED))
    return relief, body


def _centred_label(relief, font, text, centre_x, top, colour, lift):
    left = round(centre_x - font.text_width(text) / 2)
    relief.paint_pixels(font.text_pixels(text, left, top), colour, lift)


def draw_front(theme, fonts):
    relief, body = _shell_relief(theme, layout.FRONT_SIZE, layout.FRONT_ORIGIN)
    _face_plate(relief, theme, body)
    _button_wells(relief, theme, fonts["tiny"])
    _centred_label(relief, fonts["label"], "Nibbet", 73, 171, theme.colour("lettering"), 0.8)
    return relief.render()


def _face_plate(relief, theme, body):
    left, top, right, bottom = layout.SCREEN_OPENING
    plate = rounded_rect(left - 5, top - 5, right + 5, bottom + 5, 9)
    opening = rounded_rect(left, top, right, bottom, 4)
    relief.paint(plate, theme.colour("plate"))
    relief.lift(plate, 2, 2)
    relief.lift(grown(opening, 3), -2.5, 3)     # the plate dips into the window
    relief.paint(grown(opening, 1.2), theme.colour("frame"))
    relief.clip(minus(grown(body, BLEED), opening))


def button_origins(theme):
    """Top-left of each button: the shell's own setting, else the standard place."""
    origins = dict(layout.BUTTON_ORIGINS)
    for name, key in SHELL_BUTTON_KEYS.items():
        if theme.all(key):
            x, y = theme.integers(key, 2, 0, 200)
            origins[name] = (x, y)
    return origins


def _button_wells(relief, theme, font):
    half = layout.BUTTON_SIZE / 2
    for name, (x, y) in sorted(button_origins(theme).items()):
        well = circle(x + half, y + half, half + 1.5)
        relief.paint(well, theme.colour("well"))
        relief.lift(well, -2.5, 2)
        _centred_label(relief, font, name, x + half, y + layout.BUTTON_SIZE + 3,
                       theme.colour("print"), 0)


def draw_back(theme, fonts):
    relief, _ = _shell_relief(theme, layout.BACK_SIZE, layout.BACK_ORIGIN)
    _battery_cover(relief, theme, fonts["tiny"])
    _reset_recess(relief, theme, fonts["tiny"])
    _speaker_holes(relief, theme)
    _sheet_slot(relief, theme)
    for centre in ((30, 112), (116, 112), (73, 183)):
        _screw(relief, theme, centre)
    _centred_label(relief, fonts["label"], "Nibbet", 73, 46, theme.colour("lettering"), 0.8)
    return relief.render()


def _battery_cover(relief, theme, font):
    cover = rounded_rect(44, 122, 103, 172, 7)
    groove = union(ring(cover, 0.7), segment(70, 172, 76, 172, 1.6))   # with a thumb notch
    relief.lift(cover, 0.8, 1.5)
    relief.paint(groove, theme.colour("groove"))
    relief.lift(groove, -1.2, 0.8)
    cell = ring(circle(73.5, 139, 9.5), 0.6)            # coin cell outline moulded in
    relief.paint(cell, theme.colour("lettering"), 0.7)
    relief.lift(cell, 0.6, 0.6)
    plus = union(segment(70.5, 139, 76.5, 139, 0.6), segment(73.5, 136, 73.5, 142, 0.6))
    relief.paint(plus, theme.colour("lettering"), 0.8)
    relief.lift(plus, 0.6, 0.6)
    _centred_label(relief, font, "OPEN", 73.5, 156, theme.colour("lettering"), 0.6)
    arrow = union(segment(70.5, 163.5, 73.5, 166.5, 0.6), segment(76.5, 163.5, 73.5, 166.5, 0.6))
    relief.paint(arrow, theme.colour("lettering"))
    relief.lift(arrow, 0.6, 0.6)


def _reset_recess(relief, theme, font):
    x, y = layout.RESET_ORIGIN
    half = layout.RESET_SIZE / 2
    recess = circle(x + half, y + half, half + 1.5)
    relief.paint(recess, theme.colour("groove"), 0.6)
    relief.lift(recess, -2.5, 2)
    left = x + layout.RESET_SIZE + 4
    relief.paint_pixels(font.text_pixels("RESET", left, y + 4), theme.colour("lettering"), 0.6)


def _speaker_holes(relief, theme):
    centres = [(73, 82)] + [(73 + dx, 82 + dy) for dx, dy in
                            ((-6, 0), (6, 0), (-3, -5), (3, -5), (-3, 5), (3, 5))]
    for cx, cy in centres:
        hole = circle(cx, cy, 1.6)
        relief.paint(hole, theme.colour("slot"))
        relief.lift(hole, -1.5, 1)


def _sheet_slot(relief, theme):
    # Level with the middle of the attached sheet's strip (window y 116..133).
    slot = rounded_rect(128, 120.5, 150, 123.5, 1.2)
    relief.lift(grown(slot, 2), -1.0, 2)
    relief.paint(slot, theme.colour("slot"))
    relief.lift(slot, -2, 1)


def _screw(relief, theme, centre):
    cx, cy = centre
    relief.paint(circle(cx, cy, 4), theme.colour("groove"), 0.5)
    relief.lift(circle(cx, cy, 4), -1.5, 1.5)
    relief.paint(circle(cx, cy, 2.8), theme.colour("screw"))
    relief.lift(circle(cx, cy, 2.8), 1.0, 1.2)
    slot = darker(theme.colour("screw"), 0.55)
    relief.paint(segment(cx - 1.8, cy, cx + 1.8, cy, 0.45), slot)
    relief.paint(segment(cx, cy - 1.8, cx, cy + 1.8, 0.45), slot)


def draw_button(settings, pressed):
    (size,) = settings.integers("size", 1, 4, 64)
    half = size / 2
    face = settings.colour("face")
    relief = Relief((size, size), (0, 0), darker(face, 0.85) if pressed else face)
    knob = circle(half, half, half)
    relief.lift(knob, -2.5 if pressed else 3.5, half * 0.9)   # pushed in: dished, not domed
    relief.paint(ring(grown(knob, -0.6), 0.8), settings.colour("rim"), 0.9)
    if not pressed:
        relief.glow(circle(half * 0.7, half * 0.65, half * 0.3), 0.5, half * 0.3)
    relief.clip(knob)
    return relief.render()


def draw_glass(settings, ghosts):
    """`ghosts` holds (image, x, y): icon segments printed faintly on the glass."""
    width, height = settings.integers("size", 2, 1, 512)
    glass = settings.colour("glass")
    image = Image.new("RGBA", (width, height), glass + (255,))
    _dot_grid(image, settings)
    ghost = settings.colour("ghost") + (255,)
    for icon, x, y in ghosts:
        mask = icon.getchannel("A")
        image.paste(ghost, (x, y, x + icon.width, y + icon.height), mask)
    return image


def _dot_grid(image, settings):
    left, top, width, height = settings.integers("dots", 4, 0, 512)
    dot = settings.colour("dot") + (255,)
    for y in range(top, top + height, 2):
        for x in range(left, left + width, 2):
            image.putpixel((x, y), dot)


def read_shell_theme(path):
    return Settings(path, SHELL_KEYS + tuple(SHELL_BUTTON_KEYS.values()))


def read_button(path):
    return Settings(path, BUTTON_KEYS)
