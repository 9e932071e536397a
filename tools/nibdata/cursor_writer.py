"""RGBA image + hotspot -> CUR bytes.

A CUR file is an ICO file whose header type is 2 and whose directory entries
hold the hotspot where an icon keeps its plane count and bit depth.
"""

import struct

from .icon_writer import ENTRY, HEADER, encode_ico

CURSOR_TYPE = 2


def encode_cur(image, hotspot):
    x, y = hotspot
    width, height = image.size
    if not (0 <= x < width and 0 <= y < height):
        raise ValueError(f"hotspot {hotspot} outside the {width}x{height} cursor")
    data = bytearray(encode_ico([image]))
    struct.pack_into("<H", data, 2, CURSOR_TYPE)
    planes_at = HEADER.size + 4              # after width, height, colours, reserved
    struct.pack_into("<HH", data, planes_at, x, y)
    assert ENTRY.size == 16
    return bytes(data)
