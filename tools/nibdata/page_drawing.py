"""Pages: pictures composed from text, a pixel font and the other outputs.

Used for the instruction pages and the About picture. A page is a list of
statements, drawn in order onto a sheet of paper:

    size 480 360              ; pixels
    paper #fbf6e9             ; background, or `none` (transparent)
    card 12 #d9c9a8           ; optional: rounded corners of this radius, edge colour
    ink #3b3340               ; text colour
    accent #c4476b            ; titles, *emphasis* and {A} button badges
    muted #9a8f8a             ; the footer
    font page                 ; reading font, data/fonts/page.font
    palette lcd               ; colours for inline sprites, as in sprite text
    colour x #ff0000

    title 20 14 Your Nibbet   ; the font at twice the size, in the accent colour
    heading 20 50 Buttons     ; one line in bold accent
    label 20 70 Any *text*    ; one line
    centred 240 340 - 1 -     ; one line centred on x
    footer Page 1             ; one line centred at the bottom, muted
    text 20 80 200            ; x y width; the lines up to a blank line, wrapped:
    Lines join into a paragraph. *Stars* mark bold words,
    {A} draws button A as a little badge.
    - A line starting with "- " is a bullet item.
    ~                         ; a line holding only "~" starts a new paragraph

    picture other/nibicon0.gif 10 20 [SCALE]   ; any output of the data tree;
                                               ; NAME.ico:16 picks an icon's size
    toy 300 40 Default [back] [SCALE]          ; the device, composed as shown
    Chars/00/0.gif 63 78                       ; then LCD pictures at window pixels,
    pressed B                                  ; pressed buttons,
    sheet 700                                  ; the insulating sheet pushed in by N twips
    screen 20 40 [SCALE] [matrix]              ; the LCD glass alone (or its dot matrix),
    other/feedmenu.gif 615 1140                ; with pictures at layout places in twips
    sprite 10 10 2                             ; an inline grid in the palette above
    box X Y W H FILL [EDGE [RADIUS]]
    line X0 Y0 X1 Y1 COLOUR                    ; `arrow` draws a head at the end
    key X Y LABEL [WIDTH]                      ; a keyboard key cap

SCALE is a whole number (blocky) or a fraction below 1 (smooth, onto what is
already drawn). Pictures are looked up by output path, so a page can show the
real sprites, icons and shells; a page inside a plugin's folder takes the
plugin's own copy of a picture first (not of a colour's).
"""

import math
import os

from PIL import Image, ImageDraw

from . import layout
from .outline import inside_window
from .source_text import (SourceError, expect_words, parse_colour, parse_float, parse_int,
                          read_lines, statement_words)
from .sprite_text import _load_palette, _set_colour, render_grid

SETTINGS = {"size", "paper", "card", "ink", "accent", "muted", "font"}
BADGE = 13          # diameter of a button badge
KEY_LABEL = (58, 50, 54)   # key caps are light whatever the paper, so their labels are dark
SHEET_TOP = 107     # the sheet window's top in device pixels (1600 twips)


class Page:
    def __init__(self, path, tree):
        self.path = path
        self.tree = tree
        self.size = None
        self.paper = (255, 255, 255)
        self.card = None
        self.ink = (0, 0, 0)
        self.accent = (0, 0, 0)
        self.muted = (128, 128, 128)
        self.font = None
        self.palette = {".": None}
        self.image = None
        self.leading = 1
        # A page inside a plugin shows the plugin's pictures first, as the program does.
        parts = os.path.relpath(path, tree.root).replace(os.sep, "/").split("/")
        self.plugin = f"plugins/{parts[1]}/" if len(parts) > 2 and parts[0] == "plugins" else ""

    # --- reading -------------------------------------------------------------

    def draw(self):
        lines = read_lines(self.path)
        i = 0
        while i < len(lines):
            number, line = lines[i]
            i += 1
            if not line.strip() or line.lstrip().startswith(";"):
                continue
            words = statement_words(line)
            if not words:
                continue
            name = words[0]
            if name in ("text", "toy", "sprite", "screen"):
                block, i = _block(lines, i)
                getattr(self, "_" + name)(words, number, block, line)
            elif name in SETTINGS or name in ("palette", "colour"):
                self._setting(words, number)
            elif name in ("title", "heading", "label", "centred", "footer"):
                self._start(number)
                self._one_line(name, line, number)
            elif name in ("picture", "box", "line", "arrow", "key"):
                self._start(number)
                getattr(self, "_" + name)(words, number, line)
            else:
                raise SourceError(self.path, number, f"unknown statement '{name}'")
        self._start(0)
        return self._finish()

    def _setting(self, words, number):
        if self.image is not None and words[0] in ("size", "paper", "card"):
            raise SourceError(self.path, number, f"'{words[0]}' must come before anything is drawn")
        key = words[0]
        if key == "size":
            expect_words(words, 3, self.path, number, "size W H")
            self.size = tuple(parse_int(w, self.path, number, "size", 1, 2000) for w in words[1:])
        elif key == "paper":
            expect_words(words, 2, self.path, number, "paper #rrggbb|none")
            self.paper = parse_colour(words[1], self.path, number)
        elif key == "card":
            expect_words(words, 3, self.path, number, "card RADIUS #rrggbb")
            self.card = (parse_int(words[1], self.path, number, "radius", 0, 200),
                         self._colour(words[2], number))
        elif key in ("ink", "accent", "muted"):
            expect_words(words, 2, self.path, number, f"{key} #rrggbb")
            setattr(self, key, self._colour(words[1], number))
        elif key == "font":
            expect_words(words, 2, self.path, number, "font NAME")
            if not os.path.isfile(os.path.join(self.tree.root, "fonts", words[1] + ".font")):
                raise SourceError(self.path, number, f"no font '{words[1]}'")
            self.font = self.tree.font(words[1])
        elif key == "palette":
            expect_words(words, 2, self.path, number, "palette NAME")
            _load_palette(self.palette, words[1], self.tree.palette_dir, self.path, number)
        elif key == "colour":
            expect_words(words, 3, self.path, number, "colour CHAR #rrggbb|none")
            _set_colour(self.palette, words[1], words[2], self.path, number)

    def _colour(self, word, number):
        colour = parse_colour(word, self.path, number)
        if colour is None:
            raise SourceError(self.path, number, "expected a colour, not none")
        return colour

    def _start(self, number):
        if self.image is not None:
            return
        if self.size is None:
            raise SourceError(self.path, number, "a page needs 'size W H' first")
        fill = (0, 0, 0, 0) if self.paper is None else self.paper + (255,)
        self.image = Image.new("RGBA", self.size, fill)

    def _need_font(self, number):
        if self.font is None:
            raise SourceError(self.path, number, "give 'font NAME' before text")

    def _numbers(self, words, count, number, usage, low=-2000, high=4000):
        if len(words) < count + 1:
            raise SourceError(self.path, number, f"expected '{usage}'")
        return [parse_int(w, self.path, number, "position", low, high) for w in words[1:count + 1]]

    # --- text ----------------------------------------------------------------

    def _rest(self, line, count):
        """The text after the statement name and `count` numbers, as written."""
        text = line.strip()
        for _ in range(count + 1):
            parts = text.split(None, 1)
            text = parts[1] if len(parts) > 1 else ""
        return text

    def _one_line(self, name, line, number):
        self._need_font(number)
        if name == "footer":
            words = _words(self._rest(line, 0))
            x = self.size[0] // 2 - self._line_width(words) // 2
            self._draw_words(words, x, self.size[1] - 24, self.muted)
            return
        x, y = self._numbers(statement_words(line), 2, number, f"{name} X Y TEXT")
        words = _words(self._rest(line, 2), bold=(name == "heading"))
        if name == "title":
            self._title(x, y, words)
            return
        colour = self.accent if name == "heading" else self.ink
        if name == "centred":
            x -= self._line_width(words) // 2
        self._draw_words(words, x, y, colour)

    def _title(self, x, y, words):
        width = self._line_width(words)
        layer = Image.new("RGBA", (width + 2, self.font.height), (0, 0, 0, 0))
        saved, self.image = self.image, layer
        self._draw_words(words, 0, 0, self.accent)
        self.image = saved
        big = layer.resize((layer.width * 2, layer.height * 2), Image.NEAREST)
        self.image.alpha_composite(big, (x, y))

    def _text(self, words, number, block, line):
        self._start(number)
        self._need_font(number)
        x, y, width = self._numbers(words, 3, number, "text X Y WIDTH")
        line_height = self.font.height + self.leading
        for kind, text in _paragraphs(block):
            if kind == "gap":
                y += line_height // 2
                continue
            indent = 10 if kind == "bullet" else 0
            if kind == "bullet":
                self._draw_words(_words("•"), x + 1, y, self.accent)
            for row in self._wrap(_words(text), width - indent, number):
                self._draw_words(row, x + indent, y, self.ink)
                y += line_height

    def _wrap(self, words, width, number):
        rows, row = [], []
        for word in words:
            if row and self._line_width(row + [word]) > width:
                rows.append(row)
                row = []
            row.append(word)
            if self._line_width([word]) > width:
                raise SourceError(self.path, number, "a word is wider than its text box")
        if row:
            rows.append(row)
        return rows

    def _item_width(self, item):
        kind, value, bold = item
        if kind == "badge":
            return BADGE
        return self.font.glyph_width(value) + (1 if bold else 0)

    def _word_width(self, word):
        return sum(self._item_width(i) for i in word) + max(len(word) - 1, 0)

    def _line_width(self, words):
        space = self.font.glyph_width(" ") + 2
        return sum(self._word_width(w) for w in words) + space * max(len(words) - 1, 0)

    def _draw_words(self, words, x, y, colour):
        space = self.font.glyph_width(" ") + 2
        for word in words:
            for item in word:
                self._draw_item(item, x, y, colour)
                x += self._item_width(item) + 1
            x += space - 1

    def _draw_item(self, item, x, y, colour):
        kind, value, bold = item
        if kind == "badge":
            self._badge(value, x, y)
            return
        accent = self.accent if bold and colour == self.ink else colour
        for dx in ((0, 1) if bold else (0,)):
            for px, py in self.font.text_pixels(value, x + dx, y):
                self._put(px, py, accent)

    def _badge(self, letter, x, y):
        top = y
        draw = ImageDraw.Draw(self.image)
        draw.ellipse((x, top, x + BADGE - 1, top + BADGE - 1), fill=self.accent + (255,))
        glyph_width = self.font.glyph_width(letter)
        left = x + (BADGE - glyph_width) // 2
        paper = self.paper or (255, 255, 255)
        for px, py in self.font.text_pixels(letter, left, top + 3 - 2):
            self._put(px, py, paper)

    def _put(self, x, y, colour):
        if 0 <= x < self.image.width and 0 <= y < self.image.height:
            self.image.putpixel((x, y), colour + (255,))

    # --- pictures -------------------------------------------------------------

    def _picture(self, words, number, line):
        if len(words) not in (4, 5):
            raise SourceError(self.path, number, "expected 'picture NAME X Y [SCALE]'")
        art = self._output(words[1], number)
        x, y = (parse_int(w, self.path, number, "position", -2000, 4000) for w in words[2:4])
        scale = parse_float(words[4], self.path, number, "scale", 0.05, 16) if len(words) == 5 else 1
        self._paste(art, x, y, scale)

    def _paste(self, art, x, y, scale):
        if scale == int(scale):
            art = art.resize((art.width * int(scale), art.height * int(scale)), Image.NEAREST)
        else:
            size = (max(1, round(art.width * scale)), max(1, round(art.height * scale)))
            art = _smooth_resize(art, size)
        self.image.alpha_composite(art, (x, y))

    def _output(self, name, number):
        try:
            art = None
            if self.plugin and not name.lower().startswith(("colors/", "plugins/")):
                art = self.tree.output_image(self.plugin + name, self.path)
            if art is None:
                art = self.tree.output_image(name, self.path)
        except SourceError as error:
            if error.path != self.path or error.line:
                raise
            raise SourceError(self.path, number, error.message) from None
        if art is None:
            raise SourceError(self.path, number, f"no picture '{name}' among the outputs")
        return art

    def _toy(self, words, number, block, line):
        self._start(number)
        if len(words) < 4 or len(words) > 6:
            raise SourceError(self.path, number, "expected 'toy X Y COLOUR [back] [SCALE]'")
        x, y = (parse_int(w, self.path, number, "position", -2000, 4000) for w in words[1:3])
        colour, back, scale = words[3], "back" in words[4:], 1
        for word in words[4:]:
            if word != "back":
                scale = parse_float(word, self.path, number, "scale", 0.05, 16)
        lcd, pressed, sheet = [], "", None
        for row_number, row in block:
            parts = statement_words(row)
            if parts[0] == "pressed" and len(parts) == 2:
                pressed += parts[1].upper()
            elif parts[0] == "sheet" and len(parts) == 2:
                sheet = parse_int(parts[1], self.path, row_number, "sheet", 0, 700)
            elif len(parts) == 3:
                at = [parse_int(w, self.path, row_number, "position", -200, 400) for w in parts[1:]]
                lcd.append((self._output(parts[0], row_number), at))
            else:
                raise SourceError(self.path, row_number,
                                  "expected 'NAME X Y', 'pressed A|B|C' or 'sheet TWIPS'")
        toy = self._compose_toy(colour, back, lcd, pressed, number)
        if sheet is not None:
            picture = _sheet_shape(self._output("other/inssheet.gif", number))
            left = layout.FRONT_SIZE[0] - 4 - round(sheet / 15)
            with_sheet = Image.new("RGBA", (left + picture.width, toy.height), (0, 0, 0, 0))
            with_sheet.alpha_composite(picture, (left, SHEET_TOP))
            with_sheet.alpha_composite(toy)
            toy = with_sheet
        self._paste(toy, x, y, scale)

    def _compose_toy(self, colour, back, lcd, pressed, number):
        window = Image.new("RGBA", (layout.FRONT_SIZE[0], 198), (0, 0, 0, 0))
        folder = f"colors/{colour}/"
        if back:
            window.alpha_composite(self._output(folder + "back.gif", number), layout.BACK_ORIGIN)
            own = self.tree.output_image(folder + "reset0.gif", self.path)   # a colour's own
            reset = own if own is not None else self._output("other/reset0.gif", number)
            window.alpha_composite(reset, layout.RESET_ORIGIN)
        else:
            window.alpha_composite(self._output("other/nibscr.gif", number), layout.GLASS_ORIGIN)
            for art, (px, py) in lcd:
                window.alpha_composite(art, (px, py))
            window.alpha_composite(self._output(folder + "front.gif", number), layout.FRONT_ORIGIN)
            for name, (bx, by) in sorted(self.tree.colour_buttons(colour).items()):
                state = "1" if name in pressed else "0"
                window.alpha_composite(self._output(folder + f"button{state}.gif", number), (bx, by))
        for py in range(window.height):
            for px in range(window.width):
                if not inside_window(px, py):
                    window.putpixel((px, py), (0, 0, 0, 0))
        return window

    def _screen(self, words, number, block, line):
        """The LCD glass alone with pictures at their layout places (twips, as in the .ini files)."""
        self._start(number)
        if len(words) < 3 or len(words) > 5:
            raise SourceError(self.path, number, "expected 'screen X Y [SCALE] [matrix]'")
        x, y = (parse_int(w, self.path, number, "position", -2000, 4000) for w in words[1:3])
        scale, matrix = 1, False
        for word in words[3:]:
            if word == "matrix":
                matrix = True
            else:
                scale = parse_float(word, self.path, number, "scale", 0.05, 16)
        glass = self._output("other/nibscr.gif", number).copy()
        gx, gy = layout.GLASS_ORIGIN
        for row_number, row in block:
            parts = statement_words(row)
            if len(parts) != 3:
                raise SourceError(self.path, row_number, "expected 'NAME LEFT TOP' (twips)")
            left, top = (parse_int(w, self.path, row_number, "position", -30000, 30000)
                         for w in parts[1:])
            glass.alpha_composite(self._output(parts[0], row_number),
                                  (round(left / 15) - gx, round(top / 15) - gy))
        if matrix:
            mx, my, mw, mh = layout.DOT_MATRIX
            glass = glass.crop((mx - gx - 4, my - gy - 4, mx - gx + mw + 4, my - gy + mh + 4))
        self._paste(glass, x, y, scale)

    def _sprite(self, words, number, block, line):
        self._start(number)
        x, y, scale = self._numbers(words, 3, number, "sprite X Y SCALE")
        rows = [row for _, row in block]
        for row_number, row in block:
            if len(row) != len(rows[0]):
                raise SourceError(self.path, row_number, "grid rows differ in width")
            for column, char in enumerate(row, start=1):
                if char not in self.palette:
                    raise SourceError(self.path, row_number,
                                      f"column {column}: character '{char}' has no colour")
        if not rows:
            raise SourceError(self.path, number, "a sprite needs grid rows")
        self.image.alpha_composite(render_grid(rows, self.palette, scale), (x, y))

    # --- shapes ---------------------------------------------------------------

    def _box(self, words, number, line):
        if len(words) not in (6, 7, 8):
            raise SourceError(self.path, number, "expected 'box X Y W H FILL [EDGE [RADIUS]]'")
        x, y, w, h = self._numbers(words, 4, number, "box X Y W H FILL")
        fill = parse_colour(words[5], self.path, number)
        edge = parse_colour(words[6], self.path, number) if len(words) > 6 else None
        radius = parse_int(words[7], self.path, number, "radius", 0, 200) if len(words) > 7 else 0
        ImageDraw.Draw(self.image).rounded_rectangle(
            (x, y, x + w - 1, y + h - 1), radius, fill=fill + (255,) if fill else None,
            outline=edge + (255,) if edge else None)

    def _line(self, words, number, line, head=False):
        if len(words) != 6:
            raise SourceError(self.path, number, f"expected '{words[0]} X0 Y0 X1 Y1 COLOUR'")
        x0, y0, x1, y1 = self._numbers(words, 4, number, "line X0 Y0 X1 Y1 COLOUR")
        colour = self._colour(words[5], number) + (255,)
        draw = ImageDraw.Draw(self.image)
        draw.line((x0, y0, x1, y1), fill=colour)
        if head:
            angle = math.atan2(y1 - y0, x1 - x0)
            for turn in (2.6, -2.6):
                draw.line((x1, y1, round(x1 + 5 * math.cos(angle + turn)),
                           round(y1 + 5 * math.sin(angle + turn))), fill=colour)

    def _arrow(self, words, number, line):
        self._line(words, number, line, head=True)

    def _key(self, words, number, line):
        self._need_font(number)
        if len(words) not in (4, 5):
            raise SourceError(self.path, number, "expected 'key X Y LABEL [WIDTH]'")
        x, y = self._numbers(words, 2, number, "key X Y LABEL")
        label = _words(words[3].replace("_", " "))
        width = (parse_int(words[4], self.path, number, "width", 8, 400) if len(words) == 5
                 else max(17, self._line_width(label) + 8))
        height = 17
        draw = ImageDraw.Draw(self.image)
        draw.rounded_rectangle((x, y, x + width - 1, y + height), 3, fill=(150, 146, 156, 255))
        draw.rounded_rectangle((x, y, x + width - 1, y + height - 3), 3, fill=(240, 238, 242, 255),
                               outline=(150, 146, 156, 255))
        left = x + (width - self._line_width(label)) // 2
        self._draw_words(label, left, y, KEY_LABEL)

    # --- the end ----------------------------------------------------------------

    def _finish(self):
        image = self.image
        if self.card is not None:
            radius, edge = self.card
            mask = Image.new("L", image.size, 0)
            ImageDraw.Draw(mask).rounded_rectangle((0, 0, image.width - 1, image.height - 1),
                                                   radius, fill=255)
            ImageDraw.Draw(image).rounded_rectangle((0, 0, image.width - 1, image.height - 1),
                                                    radius, outline=edge + (255,))
            clear = Image.new("RGBA", image.size, (0, 0, 0, 0))
            image = Image.composite(image, clear, mask)
        alpha = image.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
        image.putalpha(alpha)
        return image


def _block(lines, i):
    block = []
    while i < len(lines) and lines[i][1].strip():
        number, row = lines[i]
        i += 1
        if not row.lstrip().startswith(";"):
            block.append((number, row.strip()))
    return block, i


def _paragraphs(block):
    items = []
    for _, row in block:
        if row == "~":
            items.append(("gap", ""))
        elif row.startswith("- "):
            items.append(("bullet", row[2:]))
        elif items and items[-1][0] != "gap":
            items[-1] = (items[-1][0], items[-1][1] + " " + row)
        else:
            items.append(("para", row))
    return items


def _words(text, bold=False):
    """Splits text into words of (kind, value, bold) items: '*' toggles bold, {A} is a badge."""
    words, word, i = [], [], 0
    while i < len(text):
        char = text[i]
        if char == "*":
            bold = not bold
        elif char == " ":
            if word:
                words.append(word)
            word = []
        elif char == "{" and text.find("}", i) == i + 2:
            word.append(("badge", text[i + 1], bold))
            i += 2
        else:
            word.append(("glyph", char, bold))
        i += 1
    if word:
        words.append(word)
    return words


def _smooth_resize(art, size):
    """Premultiplied, so transparent pixels do not bleed dark into the edges."""
    premultiplied = art.convert("RGBa").resize(size, Image.LANCZOS)
    return premultiplied.convert("RGBA")


def _sheet_shape(picture):
    clipped = picture.copy()
    for y in range(clipped.height):
        for x in range(clipped.width):
            px, py = x + 0.5, y + 0.5
            inside = (_in_ellipse(px, py, 46, 1, 79, 35) or (5 <= px < 60 and 9 <= py < 26)
                      or _in_ellipse(px, py, 0, 9, 17, 27))
            if not inside:
                clipped.putpixel((x, y), (0, 0, 0, 0))
    return clipped


def _in_ellipse(x, y, left, top, right, bottom):
    cx, cy, rx, ry = (left + right) / 2, (top + bottom) / 2, (right - left) / 2, (bottom - top) / 2
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def draw_page(path, tree):
    return Page(path, tree).draw()
