#!/usr/bin/python3
"""Checks the data generator: stable bytes, decodable files, the right shapes.

Run with /usr/bin/python3 tools/test_gen_data.py; exits non-zero on a failure.
"""

import io
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import traceback
import wave

from PIL import Image

TOOLS = os.path.dirname(os.path.abspath(__file__))
GEN = os.path.join(TOOLS, "gen_data.py")
DATA = os.path.join(os.path.dirname(TOOLS), "data")
PYTHON = sys.executable

COLOUR_FILES = ("front.gif", "back.gif", "button0.gif", "button1.gif", "color.ico", "color.ini")
EXPECTED_OUTPUTS = sorted(
    ["colors/Default/" + n for n in COLOUR_FILES]
    + [f"colors/{c}/{n}" for c in ("Mint", "Midnight") for n in COLOUR_FILES + ("reset0.gif", "reset1.gif")]
    + ["other/" + n for n in ("reset0.gif", "reset1.gif", "nibscr.gif", "attend.gif",
                              "front.cur", "back.cur", "push.cur", "point.cur",
                              "inssheet.gif", "inssheet.cur", "instruct.cur", "about.gif")]
    + [f"other/nibicon{i}.gif" for i in range(7)]
    + [f"Chars/00/{i}.{ext}" for i in range(3) for ext in ("gif", "ico")]
    + [f"instruct/page{n:02d}.gif" for n in range(1, 12)]
    + ["plugins/Nachtglas/" + n for n in (
        ["plugin.ini", "other/nibscr.gif", "other/attend.gif", "instruct/page01.gif", "instruct/page02.gif"]
        + [f"other/nibicon{i}.gif" for i in range(7)]
        + ["Chars/01/" + n for n in (
            [f"{i}.gif" for i in range(4)] + [f"{i}.ico" for i in range(8)] + ["char.ini"]
            + [f"{pose}{i}.gif" for pose in ("eat", "no", "sick", "happy", "sleep", "stool") for i in range(2)]
            + [f"unhp{i}.gif" for i in range(3)] + [f"play{i}.gif" for i in range(4)])])]
    + ["sounds/" + n + ".wav" for n in (
        "attend", "beep", "change", "discipln", "hatch", "hide", "restore", "pageup", "pagedown",
        "plystart", "playing", "plyhappy", "plyunhap", "plystop", "reset", "turn", "turnsnd")])

LCD_INK = (0x2B, 0x33, 0x26)


def run_gen(*args, data=DATA):
    return subprocess.run([PYTHON, GEN, "--data", data, *args], capture_output=True, text=True)


def generate(out, data=DATA):
    result = run_gen("--out", out, data=data)
    assert result.returncode == 0, result.stderr
    assert result.stdout == "" and result.stderr == "", "generator should be silent on success"
    return out


def files_under(folder):
    found = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder).replace(os.sep, "/")] = f.read()
    return found


# Window outline, worked out here independently of the generator: a window
# pixel belongs to the toy when its centre falls inside the region.
def _in_ellipse(x, y, left, top, right, bottom):
    cx, cy, rx, ry = (left + right) / 2, (top + bottom) / 2, (right - left) / 2, (bottom - top) / 2
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def in_window(x, y):
    px, py = x + 0.5, y + 0.5
    shape = _in_ellipse(px, py, 5, 30, 142, 220) or _in_ellipse(px, py, 63, 24, 84, 40)
    shape = shape and not (3 <= px < 145 and 120 <= py < 220)
    shape = shape or _in_ellipse(px, py, 5, 60, 142, 194)
    return shape and not _in_ellipse(px, py, 70, 30, 78, 37)


def opaque_mask(image):
    alpha = image.convert("RGBA").getchannel("A")
    return {(x, y) for y in range(image.height) for x in range(image.width) if alpha.getpixel((x, y))}


def gif(tree, name):
    image = Image.open(os.path.join(tree, name))
    assert image.format == "GIF", name
    return image


# --- the tests --------------------------------------------------------------

def test_same_sources_give_same_bytes(tree):
    again = generate(tempfile.mkdtemp(prefix="gen_again_"))
    try:
        assert files_under(tree) == files_under(again)
    finally:
        shutil.rmtree(again)


def test_writes_the_listed_outputs(tree):
    listed = run_gen("--list-outputs").stdout.split()
    # The art grows; these are the files the generator's own checks rely on.
    assert set(EXPECTED_OUTPUTS) <= set(listed), set(EXPECTED_OUTPUTS) - set(listed)
    assert sorted(files_under(tree)) == sorted(listed)


def test_lists_every_data_file_as_input(tree):
    inputs = set(run_gen("--list-inputs").stdout.split())
    for root, _, names in os.walk(DATA):
        for name in names:
            if not name.endswith(".md"):
                assert os.path.join(os.path.abspath(root), name) in inputs, name
    assert GEN in inputs and all(os.path.isfile(p) for p in inputs)


def test_unchanged_outputs_are_not_rewritten(tree):
    out = generate(tempfile.mkdtemp(prefix="gen_touch_"))
    try:
        kept, damaged = os.path.join(out, "other/nibscr.gif"), os.path.join(out, "sounds/beep.wav")
        os.utime(kept, (1000, 1000))
        with open(damaged, "wb") as f:
            f.write(b"junk")
        generate(out)
        assert os.stat(kept).st_mtime == 1000, "an identical file was rewritten"
        assert files_under(out)["sounds/beep.wav"] == files_under(tree)["sounds/beep.wav"]
    finally:
        shutil.rmtree(out)


def near_window(x, y):
    """Within one pixel (any direction) of the window: room for region rounding."""
    return any(in_window(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def test_front_and_back_follow_the_window_outline(tree):
    opening = {(x, y) for x in range(37, 109) for y in range(58, 126)}
    corners = {(x, y) for x, y in opening if min(x - 37, 108 - x) < 3 and min(y - 58, 125 - y) < 3}
    for name, size, (ox, oy), hole in (("front.gif", (145, 197), (0, 1), opening),
                                       ("back.gif", (145, 196), (0, 2), set())):
        image = gif(tree, "colors/Default/" + name)
        assert image.size == size, name
        got = {(x + ox, y + oy) for x, y in opaque_mask(image)}
        frame = {(x, y) for y in range(oy, oy + size[1]) for x in range(size[0])}
        inside = {p for p in frame if in_window(*p)}
        # Every window pixel is covered; the shell may run one pixel past the
        # outline (the window region trims it) but no further.
        assert not (inside - hole) - got, f"{name}: {len((inside - hole) - got)} bare window pixels"
        stray = {p for p in got - inside if not near_window(*p)}
        assert not stray, f"{name}: painted far outside the outline, e.g. {sorted(stray)[:3]}"
        assert (0, oy) not in got and (144, oy) not in got and (72, 0 + oy) not in got, name
        assert not got & (hole - corners), f"{name}: LCD opening is not see-through"
        if hole:
            assert {(37, 58), (108, 125)} <= got, "opening corners should be rounded"
    front = gif(tree, "colors/Default/front.gif").convert("RGBA")
    assert front.getpixel((74, 33 - 1))[3] == 0, "key-ring hole should be see-through"


STANDARD_BUTTONS = {"a": (40, 137), "b": (62, 142), "c": (84, 137)}   # window pixels


def layout_numbers(path):
    values = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if "=" in line and not line.startswith(";"):
                key, value = (part.strip() for part in line.split("=", 1))
                if value:
                    values[key.lower()] = value
    return values


def test_each_colour_has_its_buttons_in_its_wells(tree):
    for colour in sorted(os.listdir(os.path.join(DATA, "colors"))):
        keys = layout_numbers(os.path.join(tree, "colors", colour, "color.ini"))
        assert keys.get("name") and keys.get("description"), f"{colour}: color.ini needs name and description"
        shell = {}
        with open(os.path.join(DATA, "colors", colour, "body.shell")) as f:
            for line in f:
                words = line.split(";", 1)[0].split()
                if words and words[0].startswith("button-"):
                    shell[words[0][-1]] = (int(words[1]), int(words[2]))
        theme = {}
        with open(os.path.join(DATA, "colors", colour, "body.shell")) as f:
            for line in f:
                words = line.split(";", 1)[0].split()
                if len(words) == 2 and words[1].startswith("#"):
                    theme[words[0]] = tuple(int(words[1][i:i + 2], 16) for i in (1, 3, 5))
        front = gif(tree, f"colors/{colour}/front.gif").convert("RGB")
        def nearer(x, y, key):
            pixel = front.getpixel((x, y - 1))     # front.gif starts one row down
            distance = lambda c: sum((a - b) ** 2 for a, b in zip(pixel, c))
            return distance(theme[key]) < distance(theme["shell"])
        for name, standard in STANDARD_BUTTONS.items():
            twips = [keys.get(f"button{name}.{side}") for side in ("left", "top")]
            placed = tuple(round(float(t) / 15) for t in twips) if all(twips) else standard
            assert shell.get(name, standard) == placed, f"{colour}: well {name} is not where color.ini puts the button"
            x, y = placed
            assert nearer(x + 9, y + 9, "well"), f"{colour}: no well under button {name}"
            printed = [(px, py) for px in range(x + 7, x + 12) for py in range(y + 21, y + 26)
                       if nearer(px, py, "print")]
            assert len(printed) >= 4, f"{colour}: no printed name under button {name}"


def test_shell_is_lit_from_the_top_left(tree):
    front = gif(tree, "colors/Default/front.gif").convert("L")
    upper_left_rim, lower_right_rim = front.getpixel((14, 95)), front.getpixel((132, 150))
    assert upper_left_rim > lower_right_rim + 20, (upper_left_rim, lower_right_rim)


def test_small_pictures_have_their_sizes_and_transparency(tree):
    cases = [  # name, size, transparent corners, opaque centre
        ("colors/Default/button0.gif", (18, 18), True, True),
        ("colors/Default/button1.gif", (18, 18), True, True),
        ("other/reset0.gif", (12, 12), True, True),
        ("other/reset1.gif", (12, 12), True, True),
        ("other/nibscr.gif", (76, 72), False, True),
    ]
    for name, size, clear_corners, solid_centre in cases:
        image = gif(tree, name).convert("RGBA")
        assert image.size == size, name
        corners = [image.getpixel(p)[3] for p in ((0, 0), (size[0] - 1, 0), (0, size[1] - 1))]
        assert all(a == 0 for a in corners) == clear_corners, name
        assert (image.getpixel((size[0] // 2, size[1] // 2))[3] == 255) == solid_centre, name


def in_sheet_window(x, y):
    """The insulating-sheet window's shape, in its own pixels."""
    px, py = x + 0.5, y + 0.5
    return (_in_ellipse(px, py, 46, 1, 79, 35) or (5 <= px < 60 and 9 <= py < 26)
            or _in_ellipse(px, py, 0, 9, 17, 27))


def test_sheet_fills_its_window_shape(tree):
    sheet = gif(tree, "other/inssheet.gif")
    assert sheet.size == (78, 34)
    got = opaque_mask(sheet)
    inside = {(x, y) for x in range(78) for y in range(34) if in_sheet_window(x, y)}
    assert not inside - got, f"{len(inside - got)} bare pixels inside the sheet's shape"
    near = {(x + dx, y + dy) for x, y in inside for dx in (-1, 0, 1) for dy in (-1, 0, 1)}
    assert not got - near, "the sheet is painted away from its shape"


def test_pressed_buttons_look_pushed_in(tree):
    for up, down in (("colors/Default/button0.gif", "colors/Default/button1.gif"),
                     ("other/reset0.gif", "other/reset1.gif")):
        released, pressed = (gif(tree, n).convert("L") for n in (up, down))
        def mean(im):
            return sum(im.getdata()) / (im.width * im.height)
        assert mean(pressed) < mean(released), down
        # Shading flips: the upper-left slope is darker than the lower-right when pushed in.
        w = released.width
        for image, upper_brighter in ((released, True), (pressed, False)):
            upper, lower = image.getpixel((w // 4, w // 4)), image.getpixel((w - 1 - w // 4, w - 1 - w // 4))
            assert (upper > lower) == upper_brighter, (up, upper, lower)


def test_lcd_segments_are_ink_on_transparency(tree):
    names = [f"other/nibicon{i}.gif" for i in range(7)] + ["other/attend.gif"]
    for name in names:
        image = gif(tree, name).convert("RGBA")
        assert image.size == (16, 12), name
        colours = {p[:3] for p in image.getdata() if p[3]}
        assert colours == {LCD_INK}, (name, colours)
        assert 10 < len(opaque_mask(image)) < 16 * 12 // 2, name
    shapes = [frozenset(opaque_mask(gif(tree, n))) for n in names]
    assert len(set(shapes)) == len(shapes), "two segments share a picture"


def test_glass_shows_ghost_segments_and_dots(tree):
    glass = gif(tree, "other/nibscr.gif").convert("RGB")
    base = glass.getpixel((1, 1))
    icon = opaque_mask(gif(tree, "other/nibicon0.gif"))
    assert all(glass.getpixel((4 + x, 4 + y)) != base for x, y in icon)
    dots = [glass.getpixel((x, y)) for x in range(6, 70) for y in range(20, 52)]
    assert 0 < sum(p != base for p in dots) < len(dots)
    assert all(abs(a - b) < 24 for p in dots for a, b in zip(p, base)), "grid should be faint"


def test_egg_frames_are_drawn_in_two_pixel_dots(tree):
    frames = [gif(tree, f"Chars/00/{i}.gif").convert("RGBA") for i in range(3)]
    for image in frames:
        assert image.width % 2 == 0 and image.height % 2 == 0
        assert image.width <= 64 and image.height <= 32
        for y in range(0, image.height, 2):
            for x in range(0, image.width, 2):
                block = {image.getpixel((x + dx, y + dy)) for dx in (0, 1) for dy in (0, 1)}
                assert len(block) == 1, (x, y)
    masks = [opaque_mask(f) for f in frames]
    assert masks[0] != masks[1] and masks[1] != masks[2] and masks[0] != masks[2]


def read_icon_directory(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
    assert reserved == 0
    for entry in entries:
        assert entry[7] + entry[6] <= len(data), "entry runs past the file"
    return kind, entries


def test_icons_hold_the_listed_sizes(tree):
    for name, sizes in (("colors/Default/color.ico", [16, 32, 48]),
                        ("Chars/00/0.ico", [16, 32]), ("Chars/00/2.ico", [16, 32])):
        data = files_under(tree)[name]
        kind, entries = read_icon_directory(data)
        assert kind == 1 and sorted(e[0] for e in entries) == sizes, name
        image = Image.open(io.BytesIO(data))
        for size in sizes:
            entry = image.ico.getimage((size, size)).convert("RGBA")
            assert entry.getpixel((0, 0))[3] == 0, (name, size)
            assert entry.getpixel((size // 2, size // 2))[3] == 255, (name, size)


def test_cursors_carry_their_hotspots(tree):
    for name, hotspot in (("front.cur", (16, 20)), ("back.cur", (16, 21)),
                          ("push.cur", (12, 1)), ("point.cur", (0, 0)),
                          ("inssheet.cur", (7, 14)), ("instruct.cur", (12, 1))):
        data = files_under(tree)["other/" + name]
        kind, entries = read_icon_directory(data)
        assert kind == 2 and len(entries) == 1, name
        width, height, _, _, hot_x, hot_y, size, offset = entries[0]
        assert (width, height) == (32, 32) and (hot_x, hot_y) == hotspot, (name, hot_x, hot_y)
        header_size, dib_w, dib_h = struct.unpack_from("<Iii", data, offset)
        assert (header_size, dib_w, dib_h) == (40, 32, 64), "DIB holds pixels plus AND mask"
        mask = data[offset + size - 128:offset + size]      # 32 rows of 4 bytes, bottom-up
        row = mask[(31 - hot_y) * 4:(32 - hot_y) * 4]
        assert not row[hot_x // 8] & (0x80 >> hot_x % 8), f"{name}: hotspot pixel is see-through"
        picture = Image.open(io.BytesIO(data)).convert("RGBA")
        assert picture.getpixel(hotspot)[3] == 255, name


def test_sounds_are_quiet_clean_pcm(tree):
    for name in (n for n in EXPECTED_OUTPUTS if n.startswith("sounds/")):
        data = files_under(tree)[name]
        assert data[:4] == b"RIFF" and data[8:16] == b"WAVEfmt ", name
        assert struct.unpack_from("<H", data, 20)[0] == 1, f"{name}: not PCM"
        with wave.open(io.BytesIO(data)) as w:
            assert (w.getnchannels(), w.getsampwidth(), w.getframerate()) == (1, 2, 22050), name
            count = w.getnframes()
            samples = struct.unpack(f"<{count}h", w.readframes(count))
        peak = max(abs(s) for s in samples)
        assert 0.2 * 32767 < peak <= 0.5 * 32767 + 1, (name, peak)
        assert abs(samples[0]) < 300 and abs(samples[-1]) < 300, f"{name}: starts or ends with a click"
        assert count / 22050 <= 1.5, name
    beep = files_under(tree)["sounds/beep.wav"]
    assert 0.04 <= (len(beep) - 44) / 2 / 22050 <= 0.09, "key beep should be about 60 ms"


def test_notes_have_the_written_pitch(tree):
    # turnsnd is one A6: count zero crossings of the steady part.
    with wave.open(os.path.join(tree, "sounds/turnsnd.wav")) as w:
        count = w.getnframes()
        samples = struct.unpack(f"<{count}h", w.readframes(count))
    steady = samples[count // 4: 3 * count // 4]
    rises = sum(1 for a, b in zip(steady, steady[1:]) if a < 0 <= b)
    hz = rises / (len(steady) / 22050)
    assert math.isclose(hz, 1760, rel_tol=0.03), hz


BROKEN_SOURCES = [  # file, text replaced, replacement, expected line, words in the message
    ("other/nibicon0.sprite", "...#.#.#....##..", "...#.#.#....##X.", 5, "'X' has no colour"),
    ("other/nibicon0.sprite", "...#.#.#....##..", "...#.#.#....##...", 5, "wide"),
    ("other/nibicon0.sprite", "palette lcd", "palette lcd\nsparkle 3", 3, "unknown statement"),
    ("other/push.cursor", "hotspot 12 1", "hotspot 12 40", 3, "hotspot"),
    ("sounds/beep.tune", "E7 60", "H7 60", 2, "bad pitch 'H7'"),
    ("sounds/beep.tune", "E7 60", "E7 sixty", 2, "duration"),
    ("colors/Default/body.shell", "plate     #fff3ea", "plate     #fff3e", 4, "bad colour"),
    ("colors/Default/color.icon", "grid 16", "grid 20", 14, "needs 20x20 rows, found 16x16"),
    ("instruct/page01.page", "font page", "font nosuch", 8, "no font 'nosuch'"),
    ("instruct/page04.page", "picture other/nibicon0.gif", "picture other/nosuch.gif", 13,
     "no picture 'other/nosuch.gif'"),
]


def test_instruction_pages_are_numbered_cards(tree):
    pages = sorted(n for n in files_under(tree) if n.startswith("instruct/"))
    assert pages == [f"instruct/page{n:02d}.gif" for n in range(1, len(pages) + 1)], pages
    assert 8 <= len(pages) <= 12, len(pages)
    for name in pages:
        page = gif(tree, name).convert("RGBA")
        assert page.size == (480, 360), name
        assert page.getpixel((0, 0))[3] == 0 and page.getpixel((479, 359))[3] == 0, "rounded corners"
        assert page.getpixel((240, 180))[3] == 255, name
        colours = {p[:3] for p in page.getdata() if p[3]}
        assert {(0x3A, 0x32, 0x36), (0xC2, 0x45, 0x6B)} <= colours, f"{name}: ink and accent text"


def test_plugins_mirror_the_base_tree(tree):
    outputs = set(files_under(tree))
    plugins = sorted({n.split("/")[1] for n in outputs if n.startswith("plugins/")})
    assert plugins, "a sample plugin is expected"
    for plugin in plugins:
        root = f"plugins/{plugin}/"
        keys = layout_numbers(os.path.join(tree, root + "plugin.ini"))
        assert keys.get("name") and keys.get("description"), plugin
        assert f"colors/{keys.get('defaultcolor')}/front.gif" in outputs, f"{plugin}: no such default colour"
        own = {n[len(root):] for n in outputs if n.startswith(root)}
        for name in own:
            folder = name.rsplit("/", 1)[0]
            if name.startswith(("other/", "Chars/")):
                assert name in outputs, f"{plugin}: {name} replaces nothing the program loads"
            if name.startswith("Chars/"):
                base = {n for n in outputs if n.startswith(folder + "/")}
                mine = {folder + "/" + n.rsplit("/", 1)[1] for n in own if n.startswith(folder + "/")}
                assert mine == base, f"{plugin}: {folder} differs from the base set: {mine ^ base}"
        if "other/nibscr.gif" in own:
            glass = gif(tree, root + "other/nibscr.gif").convert("RGB")
            plain = glass.getpixel((1, 1))
            for stem in [f"nibicon{i}" for i in range(7)] + ["attend"]:
                left, top = (round(float(keys.get(f"{stem}.{side}", "nan")) / 15) for side in ("left", "top"))
                icon = opaque_mask(gif(tree, root + f"other/{stem}.gif"))
                assert all(glass.getpixel((left - 35 + x, top - 56 + y)) != plain for x, y in icon), \
                    f"{plugin}: {stem} does not sit on its faint copy on the glass"


def page_source(text):
    """Builds one page from `text` in a scratch copy of the data; (exit code, stderr, image)."""
    scratch = tempfile.mkdtemp(prefix="gen_page_")
    try:
        data = os.path.join(scratch, "data")
        shutil.copytree(DATA, data)
        with open(os.path.join(data, "instruct", "page01.page"), "w") as f:
            f.write(text)
        out = os.path.join(scratch, "out")
        result = run_gen("--out", out, data=data)
        image = None
        if result.returncode == 0:
            image = Image.open(os.path.join(out, "instruct", "page01.gif")).convert("RGBA")
        return result.returncode, result.stderr, image
    finally:
        shutil.rmtree(scratch)


def test_page_text_wraps_and_marks_emphasis(tree):
    head = "size 120 80\npaper #ffffff\nink #000000\naccent #ff0000\nfont page\n"
    code, err, image = page_source(head + "text 4 4 60\nOne *two* three four five six\n")
    assert code == 0, err
    ink = [(x, y) for y in range(80) for x in range(120) if image.getpixel((x, y))[:3] == (0, 0, 0)]
    red = [(x, y) for y in range(80) for x in range(120) if image.getpixel((x, y))[:3] == (255, 0, 0)]
    assert red and ink, "plain words in ink, starred words in the accent colour"
    assert max(x for x, _ in ink) < 64, "text stays inside its width"
    assert max(y for _, y in ink) > 4 + 14, "long text goes on to a second line"
    code, err, _ = page_source(head + "text 4 4 60\nOne\n\ntitle 0 0 Me\npicture instruct/page01.gif 0 0\n")
    assert code == 1 and "page01.page:10:" in err and "cannot show itself" in err, err


def test_broken_sources_are_named_with_their_line(tree):
    for rel, old, new, line, words in BROKEN_SOURCES:
        scratch = tempfile.mkdtemp(prefix="gen_broken_")
        try:
            data = os.path.join(scratch, "data")
            shutil.copytree(DATA, data)
            path = os.path.join(data, rel)
            with open(path) as f:
                text = f.read()
            assert old in text, (rel, old)
            with open(path, "w") as f:
                f.write(text.replace(old, new, 1))
            result = run_gen("--out", os.path.join(scratch, "out"), data=data)
            assert result.returncode == 1, (rel, new, result.returncode)
            message = result.stderr.strip()
            assert f"{os.path.basename(rel)}:{line}:" in message and words in message, message
            assert "Traceback" not in result.stderr, message
        finally:
            shutil.rmtree(scratch)


def main():
    tests = [(name, f) for name, f in globals().items() if name.startswith("test_")]
    tree = generate(tempfile.mkdtemp(prefix="gen_tree_"))
    failed = 0
    try:
        for name, test in tests:
            try:
                test(tree)
                print(f"ok   {name}")
            except Exception:
                failed += 1
                print(f"FAIL {name}")
                traceback.print_exc(file=sys.stdout)
    finally:
        shutil.rmtree(tree)
    print(f"{len(tests) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
