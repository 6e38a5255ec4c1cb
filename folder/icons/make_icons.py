#!/usr/bin/env python3
"""Draws the folder's list icons, one per device kind and state, as 16- and
32-pixel PNGs (<id>-16.png, <id>-32.png). Run it after a change; the PNGs are
checked in. Needs nothing beyond the standard library."""
import struct
import zlib

# id per kind and state: available, new, not responding, firmware damaged
KINDS = {
    "box": (2501, 2510, 2509, 2508),
    "pro": (1404, 1405, 1407, 1406),
    "pci": (173, 172, 1002, 171),
    "card": (2503, 181, 2505, 2504),
}
LAMP = [(40, 190, 60), (250, 200, 30), None, (225, 50, 35)]
SAMPLES = 4


def png(size, pixels):
    raw = b"".join(b"\0" + bytes(sum((list(p) for p in row), [])) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def inside_rect(x, y, x0, y0, x1, y1, r=0.0):
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r + 1e-9


def shade(colour, grey):
    if not grey:
        return colour
    g = sum(colour) // 3
    return (g, g, g)


def paint(kind, state, x, y):
    """Colour (r, g, b, a) of the point (x, y) in the unit square, or None."""
    grey = state == 2
    lamp = LAMP[state]
    # the state lamp sits in the lower right corner above everything else
    if (x - 0.78) ** 2 + (y - 0.76) ** 2 <= 0.17 ** 2:
        if (x - 0.78) ** 2 + (y - 0.76) ** 2 >= 0.13 ** 2:
            return (40, 40, 45, 255)
        if lamp is None:
            return (90, 90, 95, 255)
        if state == 3 and abs(x - 0.78) < 0.03 and (0.66 < y < 0.78 or 0.81 < y < 0.86):
            return (255, 255, 255, 255)
        return lamp + (255,)
    edge = (50, 55, 70)
    if kind == "box":
        if inside_rect(x, y, 0.05, 0.30, 0.95, 0.80, 0.08):
            if not inside_rect(x, y, 0.09, 0.34, 0.91, 0.76, 0.05):
                return shade(edge, grey) + (255,)
            if 0.60 <= y <= 0.64 and 0.16 <= x <= 0.50:
                return shade((60, 60, 75), grey) + (255,)
            return shade((150, 170, 215), grey) + (255,)
        if 0.23 <= x <= 0.28 and 0.08 <= y <= 0.30:
            return shade(edge, grey) + (255,)
    elif kind == "pro":
        if inside_rect(x, y, 0.05, 0.20, 0.95, 0.85, 0.08):
            if not inside_rect(x, y, 0.09, 0.24, 0.91, 0.81, 0.05):
                return shade(edge, grey) + (255,)
            if inside_rect(x, y, 0.16, 0.32, 0.44, 0.50, 0.04):
                return shade((40, 40, 50), grey) + (255,)
            if 0.62 <= y <= 0.66 and 0.16 <= x <= 0.50:
                return shade((60, 60, 75), grey) + (255,)
            return shade((95, 120, 185), grey) + (255,)
    elif kind == "pci":
        if 0.05 <= x <= 0.95 and 0.15 <= y <= 0.72:
            if x < 0.09 or x > 0.91 or y < 0.19 or y > 0.68:
                return shade((20, 80, 35), grey) + (255,)
            if inside_rect(x, y, 0.20, 0.28, 0.50, 0.55, 0.02):
                return shade((30, 30, 35), grey) + (255,)
            return shade((40, 150, 70), grey) + (255,)
        if 0.72 < y <= 0.86 and 0.15 <= x <= 0.85 and int(x * 20) % 2 == 0:
            return shade((215, 175, 40), grey) + (255,)
    elif kind == "card":
        if inside_rect(x, y, 0.12, 0.08, 0.88, 0.92, 0.06):
            if not inside_rect(x, y, 0.16, 0.12, 0.84, 0.88, 0.04):
                return shade(edge, grey) + (255,)
            if y < 0.24:
                return shade((70, 70, 80), grey) + (255,)
            if 0.34 <= y <= 0.38 and 0.24 <= x <= 0.70:
                return shade((250, 250, 250), grey) + (255,)
            return shade((200, 70, 60), grey) + (255,)
    return None


def draw(kind, state, size):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = paint(kind, state, (px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c:
                        for i in range(3):
                            acc[i] += c[i] * c[3]
                        acc[3] += c[3]
            n = SAMPLES * SAMPLES
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3)) + (round(acc[3] / n),))
        rows.append(row)
    return rows


if __name__ == "__main__":
    for kind, ids in KINDS.items():
        for state, icon in enumerate(ids):
            for size in (16, 32):
                with open(f"{icon}-{size}.png", "wb") as f:
                    f.write(png(size, draw(kind, state, size)))
