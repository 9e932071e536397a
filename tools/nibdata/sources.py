"""Maps each text source under the data folder to the files it makes."""

import io
import os
from dataclasses import dataclass

from PIL import Image

from . import body_drawing, layout
from .cursor_writer import encode_cur
from .gif_writer import encode_gif
from .icon_text import icon_images
from .icon_writer import encode_ico
from .page_drawing import draw_page
from .pixel_font import load_font
from .source_text import SourceError, Settings, parse_int, read_lines
from .sprite_text import parse_sprite_text, render_grid
from .tone_synth import tune_to_wav

SPRITE_STATEMENTS = {"palette", "colour", "scale", "grid"}
MIRRORED_SPRITE_STATEMENTS = {"mirror"}
CURSOR_STATEMENTS = SPRITE_STATEMENTS | {"hotspot"}
SHARED_KINDS = {".palette", ".font"}     # read by other sources, make nothing alone
IGNORED_KINDS = {".md"}


@dataclass
class Job:
    source: str
    outputs: list     # paths relative to the output folder, '/'-separated


class DataTree:
    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.palette_dir = os.path.join(self.root, "palettes")
        self._fonts = {}
        self._by_output = None
        self._built = {}
        self._building = set()

    def font(self, name):
        if name not in self._fonts:
            self._fonts[name] = load_font(os.path.join(self.root, "fonts", name + ".font"))
        return self._fonts[name]

    def files(self):
        found = []
        for folder, dirs, names in os.walk(self.root):
            dirs[:] = sorted(d for d in dirs if not d.startswith("."))
            found += [os.path.join(folder, n) for n in sorted(names) if not n.startswith(".")]
        return found

    def inputs(self):
        return [f for f in self.files() if _kind(f) not in IGNORED_KINDS]

    def jobs(self):
        jobs = [Job(f, _outputs(f, self.root)) for f in self.inputs()
                if _kind(f) not in SHARED_KINDS]
        _check_unique(jobs)
        return jobs

    def build(self, job):
        if job.source not in self._built:
            if job.source in self._building:
                raise SourceError(job.source, 0, "shows itself (through the pictures it uses)")
            self._building.add(job.source)
            try:
                self._built[job.source] = BUILDERS[_kind(job.source)](self, job.source)
            finally:
                self._building.discard(job.source)
        return self._built[job.source]

    def output_image(self, name, requester):
        """The picture another source makes, by its output path; None if no source makes it."""
        name, _, size = name.partition(":")      # "NAME.ico:16" picks an icon's size
        if self._by_output is None:
            self._by_output = {out.lower(): (job, n) for job in self.jobs()
                               for n, out in enumerate(job.outputs)}
        found = self._by_output.get(name.lower())
        if found is None or os.path.splitext(name)[1].lower() not in (".gif", ".ico"):
            return None
        job, index = found
        if job.source == requester:
            raise SourceError(requester, 0, f"a page cannot show itself ({name})")
        image = Image.open(io.BytesIO(self.build(job)[index]))
        if name.lower().endswith(".ico"):
            sizes = image.info.get("sizes", {image.size})
            wanted = (int(size), int(size)) if size.isdigit() else max(sizes)
            if wanted not in sizes:
                return None
            image = image.ico.getimage(wanted)
        return image.convert("RGBA")

    def colour_buttons(self, colour):
        """Window pixels of buttons A, B and C as the colour's color.ini places them."""
        keys = {}
        path = os.path.join(self.root, "colors", colour, "color.ini")
        if os.path.isfile(path):
            for _, line in read_lines(path):
                key, _, value = line.strip().partition("=")
                if value.strip() and not line.strip().startswith(";"):
                    try:
                        keys[key.strip().lower()] = float(value.strip())
                    except ValueError:
                        pass
        return {name: (round(keys.get(f"button{name.lower()}.left", x * 15) / 15),
                       round(keys.get(f"button{name.lower()}.top", y * 15) / 15))
                for name, (x, y) in layout.BUTTON_ORIGINS.items()}


def _kind(path):
    return os.path.splitext(path)[1].lower()


def _outputs(path, root):
    folder = os.path.relpath(os.path.dirname(path), root).replace(os.sep, "/")
    stem = os.path.splitext(os.path.basename(path))[0]
    names = OUTPUT_NAMES.get(_kind(path))
    if names is None:
        raise SourceError(path, 0, f"don't know what to make of '{_kind(path)}' files")
    prefix = "" if folder == "." else folder + "/"
    return [prefix + name.format(stem=stem) for name in names]


def _check_unique(jobs):
    # The program finds its files case-insensitively, so case-only twins clash.
    seen = {}
    for job in jobs:
        for out in job.outputs:
            if out.lower() in seen:
                raise SourceError(job.source, 0, f"makes {out}, as does {seen[out.lower()]}")
            seen[out.lower()] = job.source


def _build_sprite(tree, path):
    return [encode_gif(_sprite_image(tree, path, set()))]


def _sprite_image(tree, path, seen):
    # A sprite facing the other way is made by mirroring, not drawn twice.
    text = parse_sprite_text(path, tree.palette_dir, SPRITE_STATEMENTS | MIRRORED_SPRITE_STATEMENTS)
    if text.mirror is not None:
        if text.grids or len(text.seen) != 1:
            raise SourceError(path, text.seen["mirror"], "a mirrored sprite has only its 'mirror' line")
        other = os.path.join(os.path.dirname(path), text.mirror)
        if not os.path.isfile(other) or other in seen:
            raise SourceError(path, text.seen["mirror"], f"cannot mirror '{text.mirror}'")
        return _sprite_image(tree, other, seen | {path}).transpose(Image.Transpose.FLIP_LEFT_RIGHT)
    grid = text.require_single_grid()
    return render_grid(grid.rows, text.palette, text.scale)


def _build_text(tree, path):
    # Layout files are kept as they are written.
    with open(path, "rb") as f:
        return [f.read()]


def _build_icon(tree, path):
    return [encode_ico(icon_images(path, tree.palette_dir))]


def _build_cursor(tree, path):
    text = parse_sprite_text(path, tree.palette_dir, CURSOR_STATEMENTS)
    grid = text.require_single_grid()
    image = render_grid(grid.rows, text.palette, text.scale)
    if text.hotspot is None:
        raise SourceError(path, 0, "a cursor needs 'hotspot X Y'")
    if image.size != (32, 32):
        raise SourceError(path, grid.line, f"cursor is {image.width}x{image.height}, not 32x32")
    if not all(0 <= v < 32 for v in text.hotspot):
        raise SourceError(path, text.seen["hotspot"], "hotspot lies outside the cursor")
    return [encode_cur(image, text.hotspot)]


def _build_shell(tree, path):
    theme = body_drawing.read_shell_theme(path)
    fonts = {"tiny": tree.font("tiny"), "label": tree.font("label")}
    return [encode_gif(body_drawing.draw_front(theme, fonts)),
            encode_gif(body_drawing.draw_back(theme, fonts))]


def _build_button(tree, path):
    settings = body_drawing.read_button(path)
    return [encode_gif(body_drawing.draw_button(settings, pressed)) for pressed in (False, True)]


def _build_glass(tree, path):
    settings = Settings(path, {"size", "glass", "dots", "dot", "ghost", "ghost-icon"},
                        repeatable={"ghost-icon"})
    ghosts = [_ghost(tree, path, number, words) for number, words in settings.all("ghost-icon")]
    return [encode_gif(body_drawing.draw_glass(settings, ghosts))]


def _ghost(tree, path, number, words):
    if len(words) != 3:
        raise SourceError(path, number, "expected 'ghost-icon SPRITE X Y'")
    sprite_path = os.path.join(os.path.dirname(path), words[0])
    if not os.path.isfile(sprite_path):
        raise SourceError(path, number, f"no sprite file {words[0]}")
    text = parse_sprite_text(sprite_path, tree.palette_dir, SPRITE_STATEMENTS)
    grid = text.require_single_grid()
    x, y = (parse_int(w, path, number, "position", 0, 512) for w in words[1:])
    return render_grid(grid.rows, text.palette, text.scale), x, y


def _build_tune(tree, path):
    return [tune_to_wav(path)]


def _build_page(tree, path):
    return [encode_gif(draw_page(path, tree))]


OUTPUT_NAMES = {
    ".sprite": ["{stem}.gif"],
    ".icon": ["{stem}.ico"],
    ".cursor": ["{stem}.cur"],
    ".tune": ["{stem}.wav"],
    ".shell": ["front.gif", "back.gif"],
    ".button": ["{stem}0.gif", "{stem}1.gif"],
    ".glass": ["{stem}.gif"],
    ".ini": ["{stem}.ini"],
    ".page": ["{stem}.gif"],
}
BUILDERS = {
    ".sprite": _build_sprite,
    ".icon": _build_icon,
    ".cursor": _build_cursor,
    ".tune": _build_tune,
    ".shell": _build_shell,
    ".button": _build_button,
    ".glass": _build_glass,
    ".ini": _build_text,
    ".page": _build_page,
}
