"""RGBA images -> ICO bytes (uncompressed 32-bit entries with an AND mask)."""

import io
import struct

HEADER = struct.Struct("<HHH")               # reserved, type, count
ENTRY = struct.Struct("<BBBBHHII")           # w, h, colours, reserved, planes, bits, size, offset


def encode_ico(images):
    """One entry per image; sizes must differ and be at most 256."""
    ordered = sorted(images, key=lambda im: im.size)
    sizes = [im.size for im in ordered]
    if len(set(sizes)) != len(sizes):
        raise ValueError(f"duplicate icon sizes {sizes}")
    out = io.BytesIO()
    largest = ordered[-1]
    largest.save(out, "ICO", sizes=sizes, append_images=ordered[:-1], bitmap_format="bmp")
    return _append_and_masks(out.getvalue(), ordered)


def _append_and_masks(data, ordered):
    # PIL leaves out the 1-bit AND mask after 32-bit pixels; strict readers
    # (the Windows cursor loader) expect it, so add it from the alpha channel.
    _, kind, count = HEADER.unpack_from(data, 0)
    entries = [list(ENTRY.unpack_from(data, HEADER.size + i * ENTRY.size)) for i in range(count)]
    offset = HEADER.size + count * ENTRY.size
    blobs = []
    for entry, image in zip(entries, ordered):
        blob = data[entry[7]:entry[7] + entry[6]] + _and_mask(image)
        entry[6], entry[7] = len(blob), offset
        offset += len(blob)
        blobs.append(blob)
    head = HEADER.pack(0, kind, count) + b"".join(ENTRY.pack(*e) for e in entries)
    return head + b"".join(blobs)


def _and_mask(image):
    width, height = image.size
    stride = (width + 31) // 32 * 4
    alpha = image.getchannel("A")
    rows = []
    for y in reversed(range(height)):   # DIB rows run bottom-up
        bits = bytearray(stride)
        for x in range(width):
            if alpha.getpixel((x, y)) < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bits))
    return b"".join(rows)
