#!/usr/bin/python3
"""Writes the small seed inputs of the fuzz targets into fuzz/corpus/<target>/.

Deterministic: running it again rewrites the same bytes. The pictures,
cursors and sounds are built here byte by byte, a few pixels and frames
each, so that every seed stays tiny and the search starts from whole files.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- ICO and CUR -------------------------------------------------------

def bitmap(side, bits):
    """A BMP header, palette, colour rows and mask rows of a square image."""
    colours = {1: 2, 4: 16, 8: 0}.get(bits, 0)
    stride = ((side * bits + 31) // 32) * 4
    mask_stride = ((side + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, side, 2 * side, 1, bits, 0,
                         stride * side + mask_stride * side, 0, 0, colours, 0)
    palette = b"".join(struct.pack("<BBBB", 40 * i % 256, 90, 200, 0) for i in range(colours))
    rows = bytes((x * 37 + y * 11) % 256 for y in range(side) for x in range(stride))
    mask = bytes([0x80] + [0] * (mask_stride * side - 1))
    return header + palette + rows + mask


def png(side):
    raw = b"".join(b"\0" + bytes([255, 0, 0, 255] * side) for _ in range(side))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def icon_file(kind, images):
    """kind 1 icon, 2 cursor; images are (side, body, hot_x, hot_y)."""
    head = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for side, body, hot_x, hot_y in images:
        planes_or_x, bits_or_y = (hot_x, hot_y) if kind == 2 else (1, 32)
        entries += struct.pack("<BBBBHHII", side % 256, side % 256, 0, 0, planes_or_x, bits_or_y,
                               len(body), offset)
        offset += len(body)
    return head + entries + b"".join(body for _, body, _, _ in images)


# A 3x2 GIF89a with a transparent colour: the loaders also take GIF.
GIF = bytes.fromhex(
    "474946383961030002008100" "00ff00ffff000000ff000000ff21f90401000000002c00000000"
    "0300020000080900010410302000808000" "3b")

write("ico_file_fuzz", "two_sizes.ico", icon_file(1, [(8, bitmap(8, 32), 0, 0), (4, bitmap(4, 4), 0, 0)]))
write("ico_file_fuzz", "one_bit.ico", icon_file(1, [(8, bitmap(8, 1), 0, 0)]))
write("ico_file_fuzz", "png_entry.ico", icon_file(1, [(4, png(4), 0, 0)]))
write("ico_file_fuzz", "pointer.cur", icon_file(2, [(8, bitmap(8, 32), 3, 5), (4, bitmap(4, 8), 1, 1)]))
write("ico_file_fuzz", "picture.gif", GIF)

# --- WAV ---------------------------------------------------------------

def wave(tag, channels, bits, frames, extensible=False, extra=b""):
    rate = 8000
    block = channels * bits // 8
    samples = []
    for i in range(frames * channels):
        high = (i // channels) % 4 < 2
        if tag == 3:
            samples.append(struct.pack("<f", 0.25 if high else -0.25))
        elif bits == 8:
            samples.append(bytes([160 if high else 96]))
        else:
            v = (8000 if high else -8000) << (bits - 16)
            samples.append(v.to_bytes(bits // 8, "little", signed=True))
    data = b"".join(samples)
    fmt = struct.pack("<HHIIHH", 0xFFFE if extensible else tag, channels, rate, rate * block, block, bits)
    if extensible:
        fmt += struct.pack("<HHI", 22, bits, 4) + struct.pack("<H", tag) + bytes.fromhex(
            "000000001000800000aa00389b71")
    chunks = b"fmt " + struct.pack("<I", len(fmt)) + fmt + extra
    chunks += b"data" + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")
    return b"RIFF" + struct.pack("<I", 4 + len(chunks)) + b"WAVE" + chunks

write("wave_file_fuzz", "pcm16_mono.wav", wave(1, 1, 16, 12))
write("wave_file_fuzz", "pcm8_stereo.wav", wave(1, 2, 8, 11))
write("wave_file_fuzz", "pcm24.wav", wave(1, 1, 24, 8, extra=b"LIST\x03\0\0\0abc\0"))
write("wave_file_fuzz", "float.wav", wave(3, 2, 32, 6))
write("wave_file_fuzz", "extensible.wav", wave(1, 1, 32, 6, extensible=True))

# --- Settings: two pets' names on the first two lines, then the INI file

def section(name, **values):
    keys = dict(
        InsulatingSheet=0, InsulatingSheetWidthPushed=0, Plugins="", AlwaysOnTop="False",
        AttendTimeLeft=0, AutoShow="True", CharacterNo=3, CurrentColor="Default", FeedMenuIndex=0,
        FormVisible="True", IntervalCount=40, Left="13410", LightMenuIndex=0, LightOff="False",
        MinuteCount=75, MaxMinutes=7200, SecondCount=12, Sound="True", SoundType=0, PlayType=0,
        CurrentTempChar=1, Top="6060", TotalNeedCount=4, Age=2, Weight=15, Discipline=3,
        Happiness=2, Hunger=3, Sickness=0, Dung=1, AttentionHungry="False", AttentionHappy="False",
        AttentionDiscipline="False", AttentionSleep="False", SleepAction="False", DyingAction=0,
        DyingTimeLeft=480, DisciplineWhenNeed=0, PlayCounter=5, SnackCount=1, NeedCount=6,
        CareWhenNeed=4)
    keys.update(values)
    return "[%s]\n" % name + "".join("%s=%s\n" % (k, v) for k, v in keys.items())

write("settings_load_fuzz", "pet.ini", "Nibbet\nSir Wobble\n" + section("Nibbet"))
write("settings_load_fuzz", "new_pet.ini", "Nibbet\nnibbet\n")
write("settings_load_fuzz", "two_pets.ini", "Sir Wobble\nNibbet\n" + section("Nibbet") + "\n" + section(
    "Sir%20Wobble", Plugins="Nachtglas", CurrentColor="Midnight", AttentionSleep="True",
    SleepAction="True", LightOff="True", SoundType=1, PlayType=1))
write("settings_load_fuzz", "dying.ini", "Nibbet\nGeneral\n" + section(
    "Nibbet", DyingAction=7, DyingTimeLeft=0, Sickness=2, Dung=3, AttentionHungry="True",
    AttendTimeLeft=60))
write("settings_load_fuzz", "odd_values.ini", "Nibbet\n\n" + section(
    "Nibbet", Age="  7 ", Weight="+12", Left="1e3", Top="-0", Plugins='"a, b"',
    CurrentColor="@Invalid()", CharacterNo=99, SecondCount=-1, MinuteCount="2147483648"))
write("settings_load_fuzz", "general.ini", "general\nGeneral\n" + section("%General", Age=40))
write("settings_load_fuzz", "slashes.ini", "a/b\\c\na//b\\\\c\n" + section("a%2Fb%5Cc", CharacterNo=12))

# --- Names from the settings: Plugins, CurrentColor, then a raw path ---
# FuzzedDataProvider ends a string at a backslash followed by another
# character, and reads a doubled backslash as one.

def names(plugin, color, raw):
    def quoted(s):
        return s.replace("\\", "\\\\") + "\\|"
    return (quoted(plugin) + quoted(color)).encode("latin-1") + raw.encode("latin-1")

write("path_resolution_fuzz", "plain", names("Skin", "Default", "\\other\\nibscr.gif"))
write("path_resolution_fuzz", "case", names("SKIN", "default", "/Other/NibScr.GIF"))
write("path_resolution_fuzz", "dot_dot", names("..\\..", "..", "..\\default.ini"))
write("path_resolution_fuzz", "inner_dot_dot", names("Skin\\..\\..\\prog-copy\\plugins\\Escaped", "Default",
                                                     "plugins\\Skin\\..\\..\\..\\plugin.ini"))
write("path_resolution_fuzz", "absolute", names("/tmp", "C:\\Windows", "/etc/passwd"))
write("path_resolution_fuzz", "nul", names("Skin\0..", "Def\0ault", "other\0/../nibscr.gif"))
write("path_resolution_fuzz", "long", names("Skin\\" + "a" * 300, "..\\" * 200 + "Default",
                                            "other\\" * 100 + "nibscr.gif"))

# --- Text files: a plugin's own file ----------------------------------

write("plugin_file_fuzz", "plugin.ini", """; A night look.
[Plugin]
name = Nachtglas
description = Blue night glass, with an owlet for a baby.
defaultcolor = Midnight
cheats = Schummeln
characters = Figuren
button a = A: weiter
nibscr.left = 615
nibscr.top = 1140
buttona.left = 705
buttona.top = 3600
nibicon0.left = 600
heart0.top = 1500
walk = true
original.left = 735
eat.top = 1200
""")
write("plugin_file_fuzz", "bare.ini", "name=\ndescription\n=x\ndefaultcolor=..\\..\r\nnibscr.left=-99999\n")
