#!/usr/bin/env python3
"""Draws Quarvel's icon, a gas cylinder under a piston, and writes it as a 16-colour .ico.

Usage: make_icon.py OUTPUT.ico

The picture is drawn from rectangles on the standard 16-colour palette, once at 32 x 32 and
once at 16 x 16, so the icon file is made by this script alone and can be made again.
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, RED, BLUE, AQUA, WHITE = 0, 4, 7, 8, 9, 12, 14, 15
CLEAR = None  # transparent


def canvas(size):
    return [[CLEAR] * size for _ in range(size)]


def fill(pixels, left, top, right, bottom, colour):
    """Fills the rectangle from (left, top) to (right, bottom), both corners included."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            pixels[y][x] = colour


def large():
    p = canvas(32)
    fill(p, 5, 4, 26, 29, BLACK)          # cylinder outline
    fill(p, 6, 4, 25, 28, GREY)           # walls and floor
    fill(p, 8, 4, 23, 26, CLEAR)          # the open bore above the piston
    fill(p, 14, 1, 17, 9, BLACK)          # piston rod, outlined
    fill(p, 15, 1, 16, 9, SILVER)
    fill(p, 8, 10, 23, 13, BLACK)         # piston
    fill(p, 8, 11, 23, 12, SILVER)
    fill(p, 8, 14, 23, 26, BLUE)          # the gas
    for x, y in [(10, 16), (17, 15), (13, 20), (20, 19), (10, 24), (17, 23), (21, 25)]:
        fill(p, x, y, x + 1, y + 1, WHITE)  # molecules
    fill(p, 28, 8, 29, 27, RED)           # thermometer
    fill(p, 27, 26, 30, 29, RED)
    return p


def small():
    p = canvas(16)
    fill(p, 1, 2, 13, 15, BLACK)          # cylinder outline
    fill(p, 2, 2, 12, 14, GREY)
    fill(p, 3, 2, 11, 13, CLEAR)
    fill(p, 7, 0, 8, 4, SILVER)           # piston rod
    fill(p, 3, 5, 11, 6, SILVER)          # piston
    fill(p, 3, 7, 11, 13, BLUE)           # the gas
    for x, y in [(4, 8), (8, 9), (5, 11), (9, 12)]:
        p[y][x] = WHITE
    fill(p, 15, 3, 15, 15, RED)           # thermometer
    fill(p, 14, 13, 15, 15, RED)
    return p


def image(pixels):
    """The bitmap of one icon image: header, palette, colour rows and mask, bottom row first."""
    size = len(pixels)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colours, mask = b"", b""
    for row in reversed(pixels):
        nibbles = [0 if c is CLEAR else c for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colours += packed.ljust(colour_stride, b"\0")
        bits = 0
        for x, c in enumerate(row):
            if c is CLEAR:
                bits |= 1 << (size - 1 - x)
        mask += bits.to_bytes((size + 7) // 8, "big").ljust(mask_stride, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + colours + mask


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for pixels in images:
        bitmap = image(pixels)
        size = len(pixels)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(bitmap), offset)
        data += bitmap
        offset += len(bitmap)
    return directory + entries + data


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(icon_file([large(), small()]))
