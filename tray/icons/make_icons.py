#!/usr/bin/env python3
"""Draws the status monitor's three icons (resource ids 1006, 1011, 1012) as
32-pixel PNGs: a terminal adapter box with its status lamp. Run it after a
change; the PNGs are checked in. Needs nothing beyond the standard library."""
import math
import struct
import sys
import zlib

SIZE = 32
# lamp colour (inner, rim) per state; None draws the lamp dark and a cross
STATES = {
    1006: ((64, 200, 64), (16, 110, 16)),    # ready
    1011: ((235, 60, 40), (140, 20, 10)),    # firmware damaged
    1012: None,                              # no adapter
}


def png(pixels):
    raw = b"".join(b"\0" + bytes(sum((list(p) for p in row), [])) for row in pixels)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def blend(under, over, alpha):
    return tuple(round(u * (1 - alpha) + o * alpha) for u, o in zip(under, over))


def draw(state):
    clear = (0, 0, 0, 0)
    img = [[clear for _ in range(SIZE)] for _ in range(SIZE)]
    lamp = STATES[state]
    for y in range(SIZE):
        for x in range(SIZE):
            # the box: a rounded slab in the lower two thirds
            if 9 <= y <= 27 and 1 <= x <= 30:
                corner = (x < 4 or x > 27) and (y < 12 or y > 24)
                if corner and math.hypot(min(abs(x - 4), abs(x - 27)), min(abs(y - 12), abs(y - 24))) > 3:
                    continue
                shade = 200 - (y - 9) * 4
                edge = x in (1, 30) or y in (9, 27)
                img[y][x] = (70, 70, 80, 255) if edge else (shade, shade, shade + 12, 255)
            # the front slot
            if y == 22 and 5 <= x <= 16:
                img[y][x] = (60, 60, 70, 255)
            # the antenna-like cable on top
            if 3 <= y <= 8 and x == 8:
                img[y][x] = (70, 70, 80, 255)
    cx, cy, r = 23, 18, 5.0
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            if d > r + 0.5:
                continue
            a = max(0.0, min(1.0, r + 0.5 - d))
            if lamp is None:
                colour = (110, 110, 115) if d > r - 1.2 else (150, 150, 155)
            else:
                inner, rim = lamp
                colour = rim if d > r - 1.2 else inner
                if math.hypot(x - cx + 1.5, y - cy + 1.5) < 1.6:
                    colour = (240, 255, 240)
            base = img[y][x][:3] if img[y][x][3] else colour
            img[y][x] = blend(base, colour, a) + (255,)
    if lamp is None:  # a red stroke through the box: nothing attached
        for i in range(SIZE - 4):
            for w in (0, 1, 2):
                x, y = 2 + i, 2 + i + w - 1
                if 0 <= y < SIZE:
                    img[y][x] = (200, 30, 30, 255)
    return img


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for state in STATES:
        with open(f"{folder}/{state}.png", "wb") as out:
            out.write(png(draw(state)))
