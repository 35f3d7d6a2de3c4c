#!/usr/bin/env python3
"""Draws Quarvel's icon, a gas cylinder under a piston, and writes it as a 16-colour .ico.

Usage: make_icon.py OUTPUT.ico

The picture is drawn from rectangles on the standard 16-colour palette, once at 32 x 32 and
once at 16 x 16, so the icon file is made by this script alone and can be made again. The web
app's icons (`smooth`, `png_file`) are the same picture drawn afresh at their sizes, with smooth
edges and round details.
"""
import struct
import sys
import zlib

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


# The large picture as shapes in its 32 x 32 plan, drawn in order: left, top, right and bottom
# edges, the radius of the corners, the colour.
SHAPES = [(5, 4, 27, 30, 2, BLACK), (6, 4, 26, 29, 1.5, GREY), (8, 3, 24, 27, 0.5, CLEAR),
          (14, 1, 18, 10, 0.5, BLACK), (15, 1, 17, 10, 0, SILVER), (8, 10, 24, 14, 0, BLACK),
          (8, 11, 24, 13, 0, SILVER), (8, 14, 24, 27, 0.5, BLUE)] + [
    (x, y, x + 2, y + 2, 1, WHITE) for x, y in [(10, 16), (17, 15), (13, 20), (20, 19), (10, 24),
                                                (17, 23), (21, 25)]] + [
    (28, 8, 30, 28, 1, RED), (26.5, 25.5, 31.5, 30.5, 2.5, RED)]
# A maskable icon's picture lies within the middle circle of 80 % of its width, on a ground that
# fills it (a launcher cuts it to its own shape); the plan's drawing spans (5, 1)-(31.5, 30.5).
DRAWN_MIDDLE, DRAWN_REACH = (18.25, 15.75), 19.7


def smooth(size, ground=None):
    """RGBA rows of the picture at `size` pixels square: each shape's cover of a pixel is its
    distance from the pixel's centre, so edges are smooth at any size. With a `ground` (red,
    green, blue), the icon is maskable."""
    scale = size / 32 if ground is None else 0.4 * size / DRAWN_REACH
    shift = [0, 0] if ground is None else [size / 2 - m * scale for m in DRAWN_MIDDLE]
    clear = (0, 0, 0, 0) if ground is None else ground + (255,)
    pixels = [[list(clear) for _ in range(size)] for _ in range(size)]  # premultiplied
    for left, top, right, bottom, radius, colour in SHAPES:
        paint = clear if colour is CLEAR else PALETTE[colour] + (255,)
        left, right = left * scale + shift[0], right * scale + shift[0]
        top, bottom = top * scale + shift[1], bottom * scale + shift[1]
        radius *= scale
        half_x, half_y = (right - left) / 2 - radius, (bottom - top) / 2 - radius
        for y in range(max(0, int(top)), min(size, int(bottom) + 1)):
            for x in range(max(0, int(left)), min(size, int(right) + 1)):
                out_x = abs(x + 0.5 - (left + right) / 2) - half_x
                out_y = abs(y + 0.5 - (top + bottom) / 2) - half_y
                distance = (max(out_x, 0) ** 2 + max(out_y, 0) ** 2) ** 0.5 + min(
                    max(out_x, out_y), 0) - radius
                cover = min(max(0.5 - distance, 0), 1)
                if cover:
                    pixel = pixels[y][x]
                    pixel[:] = [p + (c - p) * cover for p, c in zip(pixel, paint)]
    return [[tuple(round(c * 255 / p[3]) if p[3] else 0 for c in p[:3]) + (round(p[3]),)
             for p in row] for row in pixels]


def png_file(rows):
    """An RGBA PNG of the rows, unfiltered, compressed by this Python's zlib."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


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
