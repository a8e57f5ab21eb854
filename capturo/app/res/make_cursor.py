#!/usr/bin/env python3
"""Writes the capture window's cursor: a 32 x 32, 256-colour arrow with a rainbow body, hotspot at the tip.

Usage: make_cursor.py OUT.cur
"""
import colorsys
import struct
import sys

from PIL import Image, ImageDraw

SIZE = 32
ARROW = [(0, 0), (0, 22), (5, 17), (9, 26), (13, 24), (9, 16), (16, 16)]


def palette():
    """Index 0 black, 1 white, then 254 hues of the rainbow."""
    colours = [(0, 0, 0), (255, 255, 255)]
    for i in range(254):
        r, g, b = colorsys.hsv_to_rgb(i / 254 * 0.85, 1.0, 1.0)
        colours.append((int(r * 255), int(g * 255), int(b * 255)))
    return colours


def draw_arrow():
    """Returns (indices, opaque) as two SIZE x SIZE row-major lists, top row first."""
    shape = Image.new("L", (SIZE, SIZE), 0)
    ImageDraw.Draw(shape).polygon(ARROW, fill=255, outline=255)
    body = Image.new("L", (SIZE, SIZE), 0)
    ImageDraw.Draw(body).polygon(ARROW, fill=255)
    inner = [[False] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            inside = all(0 <= x + dx < SIZE and 0 <= y + dy < SIZE and body.getpixel((x + dx, y + dy))
                         for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)))
            inner[y][x] = inside
    indices, opaque = [], []
    for y in range(SIZE):
        for x in range(SIZE):
            on = shape.getpixel((x, y)) > 0
            opaque.append(on)
            if not on:
                indices.append(0)
            elif inner[y][x]:
                indices.append(2 + min(253, (x + y) * 253 // 30))
            else:
                indices.append(0)
    return indices, opaque


def cursor_bytes():
    indices, opaque = draw_arrow()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette())
    xor = b"".join(bytes(indices[y * SIZE:(y + 1) * SIZE]) for y in reversed(range(SIZE)))
    and_rows = []
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if not opaque[y * SIZE + x]:
                bits |= 1 << (SIZE - 1 - x)
        and_rows.append(struct.pack(">I", bits))
    image = header + colours + xor + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 0, 0, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(cursor_bytes())
