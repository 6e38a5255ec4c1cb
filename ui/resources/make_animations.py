#!/usr/bin/env python3
"""Draws the suite's small animations and writes them as looping GIF files.

The dialogs play an animation by resource number (the busy dialog per device
kind for reading and writing, the firmware download per kind, the wizard's
line detection, the folder's adapter search). This script is the source of
those pictures: run it from this folder to write <number>.gif next to it.
It needs nothing beyond the Python standard library.
"""
import math
import struct
import sys

W, H = 144, 83
FRAMES = 8
DELAY_CS = 12  # hundredths of a second per frame

# Index 0 is transparent, so the dialog's window colour shows through.
PALETTE = [
    (255, 0, 255),    # 0 transparent
    (0, 0, 0),        # 1 black
    (128, 128, 128),  # 2 grey
    (192, 192, 192),  # 3 light grey
    (255, 255, 255),  # 4 white
    (0, 0, 128),      # 5 navy (screen)
    (0, 128, 255),    # 6 sky blue
    (0, 160, 0),      # 7 green (LED, circuit board)
    (0, 96, 0),       # 8 dark green
    (255, 204, 0),    # 9 gold (contacts, data)
    (220, 40, 40),    # 10 red
    (64, 64, 64),     # 11 dark grey
    (160, 110, 60),   # 12 brown (desk line)
    (255, 255, 160),  # 13 pale yellow
    (96, 160, 224),   # 14 light blue
    (32, 32, 96),     # 15 dark navy
]


class Canvas:
    def __init__(self):
        self.px = bytearray(W * H)

    def set(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y * W + x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(H, y1 + 1)):
            for x in range(max(0, x0), min(W, x1 + 1)):
                self.px[y * W + x] = c

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0, c)
        self.rect(x0, y1, x1, y1, c)
        self.rect(x0, y0, x0, y1, c)
        self.rect(x1, y0, x1, y1, c)

    def bevel(self, x0, y0, x1, y1, face):
        self.rect(x0, y0, x1, y1, face)
        self.rect(x0, y0, x1, y0, 4)
        self.rect(x0, y0, x0, y1, 4)
        self.rect(x0, y1, x1, y1, 1)
        self.rect(x1, y0, x1, y1, 1)

    def disc(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r // 2:
                    self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy


# ---------------------------------------------------------------- pictures

def computer(cv, x, y):
    """A desktop computer, its screen 34 x 24 with the top left at (x, y)."""
    cv.bevel(x - 3, y - 3, x + 36, y + 27, 3)
    cv.rect(x, y, x + 33, y + 23, 5)
    for i in range(3):  # text lines on the screen
        cv.rect(x + 3, y + 4 + i * 6, x + 3 + 18 + (i * 7) % 12, y + 5 + i * 6, 14)
    cv.rect(x + 12, y + 28, x + 21, y + 31, 2)
    cv.bevel(x - 6, y + 32, x + 39, y + 40, 3)
    cv.rect(x + 26, y + 35, x + 35, y + 36, 11)  # drive slot
    cv.rect(x - 3, y + 36, x - 1, y + 37, 7)      # power light


def box(cv, x, y, pro=False):
    """The external box, 40 x 20, lights on its front."""
    cv.bevel(x, y, x + 40, y + 20, 3)
    cv.rect(x + 2, y + 2, x + 38, y + 5, 2)
    for i in range(4):
        cv.disc(x + 7 + i * 8, y + 13, 1, 7 if i < 3 else 10)
    if pro:  # a telephone beside the Pro box
        cv.bevel(x + 10, y - 16, x + 34, y - 4, 11)
        cv.rect(x + 8, y - 20, x + 36, y - 17, 1)
        cv.rect(x + 8, y - 20, x + 11, y - 14, 1)
        cv.rect(x + 33, y - 20, x + 36, y - 14, 1)
        for r in range(2):
            for c in range(3):
                cv.rect(x + 15 + c * 6, y - 13 + r * 4, x + 17 + c * 6, y - 12 + r * 4, 4)


def pci_card(cv, x, y):
    """A plug-in card, 44 x 22, contacts at the bottom, bracket at the left."""
    cv.rect(x, y, x + 44, y + 18, 8)
    cv.frame(x, y, x + 44, y + 18, 1)
    cv.rect(x - 4, y - 4, x - 1, y + 22, 3)
    for i in range(8):
        cv.rect(x + 8 + i * 4, y + 19, x + 9 + i * 4, y + 22, 9)
    cv.rect(x + 8, y + 4, x + 20, y + 12, 1)   # chips
    cv.rect(x + 25, y + 5, x + 33, y + 11, 11)
    cv.rect(x + 37, y + 3, x + 41, y + 7, 9)
    cv.line(x + 20, y + 8, x + 25, y + 8, 9)


def pc_card(cv, x, y):
    """A credit-card sized card, 34 x 22, with its plug end at the left."""
    cv.bevel(x, y, x + 34, y + 22, 3)
    cv.rect(x + 4, y + 4, x + 30, y + 12, 6)
    cv.rect(x + 1, y + 2, x + 2, y + 20, 11)
    cv.rect(x + 31, y + 15, x + 36, y + 19, 1)  # the line connector


def modem(cv, x, y):
    """A device we cannot tell: a plain box with a question mark."""
    cv.bevel(x, y, x + 40, y + 20, 3)
    q = [(17, 5), (18, 4), (20, 4), (22, 4), (23, 5), (23, 7), (22, 8), (20, 9), (20, 11)]
    for px, py in q:
        cv.rect(x + px, y + py, x + px + 1, y + py + 1, 5)
    cv.rect(x + 20, y + 14, x + 21, y + 15, 5)


DEVICES = {
    'box': lambda cv: box(cv, 96, 46),
    'pro': lambda cv: box(cv, 96, 46, pro=True),
    'pci': lambda cv: pci_card(cv, 96, 44),
    'pccard': lambda cv: pc_card(cv, 100, 46),
    'other': lambda cv: modem(cv, 96, 46),
}


def cable(cv):
    cv.rect(46, 63, 96, 63, 11)


def data_dots(cv, frame, towards_device):
    """Packets running along the cable."""
    for k in range(3):
        step = (frame + k * FRAMES // 3) % FRAMES
        x = 48 + step * 6 if towards_device else 90 - step * 6
        cv.rect(x, 60, x + 3, 66, 9)
        cv.frame(x, 60, x + 3, 66, 12)


def transfer(device, towards_device):
    frames = []
    for f in range(FRAMES):
        cv = Canvas()
        computer(cv, 8, 24)
        DEVICES[device](cv)
        cable(cv)
        data_dots(cv, f, towards_device)
        frames.append(cv)
    return frames


def firmware(device):
    """A chip travels into the device while a bar fills."""
    frames = []
    for f in range(FRAMES):
        cv = Canvas()
        computer(cv, 8, 24)
        DEVICES[device](cv)
        cable(cv)
        x = 48 + f * 6
        cv.rect(x, 57, x + 8, 66, 1)
        for i in range(3):
            cv.rect(x - 1, 59 + i * 3, x + 9, 59 + i * 3, 3)
        cv.frame(8, 6, 135, 13, 1)
        cv.rect(9, 7, 9 + (126 * (f + 1)) // FRAMES - 1, 12, 5)
        frames.append(cv)
    return frames


def line_detection():
    """The adapter listening to the ISDN line: waves leave it both ways."""
    frames = []
    for f in range(FRAMES):
        cv = Canvas()
        box(cv, 52, 50)
        cv.rect(72, 40, 73, 49, 11)                # line from the box up
        cv.rect(60, 8, 86, 14, 2)                  # the wall socket
        cv.rect(66, 14, 80, 40, 3)
        cv.frame(66, 14, 80, 40, 1)
        for k in range(3):
            r = 4 + ((f + k * 3) % FRAMES) * 4
            for dy in range(-r, r + 1):
                x = int((r * r - dy * dy) ** 0.5)
                cv.set(73 + x + 10, 27 + dy, 6)
                cv.set(73 - x - 10, 27 + dy, 6)
        frames.append(cv)
    return frames


def search():
    """A magnifying glass passes over the serial ports of the computer."""
    frames = []
    for f in range(FRAMES):
        cv = Canvas()
        computer(cv, 54, 8)
        for i in range(4):
            cv.bevel(30 + i * 22, 66, 44 + i * 22, 76, 3)
            cv.rect(33 + i * 22, 70, 41 + i * 22, 72, 11)
        x = 30 + (f * 80) // FRAMES
        for a in range(0, 360, 10):
            for r in (9, 10):
                cv.set(int(x + r * math.cos(math.radians(a))),
                       int(60 + r * math.sin(math.radians(a))), 1)
        cv.line(x + 7, 67, x + 13, 73, 12)
        cv.line(x + 8, 67, x + 14, 73, 12)
        frames.append(cv)
    return frames


# ---------------------------------------------------------------- GIF writer

def lzw(indices, min_code_size=4):
    """Variable-width LZW as GIF wants it, returned as sub-blocks."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code, width):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    width, next_code = min_code_size + 1, end + 1
    emit(clear, width)
    prefix = (indices[0],)
    for c in indices[1:]:
        candidate = prefix + (c,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table = {(i,): i for i in range(clear)}
            width, next_code = min_code_size + 1, end + 1
        prefix = (c,)
    emit(table[prefix], width)
    emit(end, width)
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray()
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks.append(len(chunk))
        blocks += chunk
    blocks.append(0)
    return bytes(blocks)


def write_gif(path, frames):
    data = bytearray(b'GIF89a')
    data += struct.pack('<HHBBB', W, H, 0xF3, 0, 0)  # global table of 16 colours
    for r, g, b in PALETTE:
        data += bytes((r, g, b))
    data += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00'  # loop for ever
    for cv in frames:
        data += b'\x21\xF9\x04' + struct.pack('<BHBB', 0x09, DELAY_CS, 0, 0)
        data += b'\x2C' + struct.pack('<HHHHB', 0, 0, W, H, 0) + bytes((4,))
        data += lzw(bytes(cv.px))
    data += b'\x3B'
    with open(path, 'wb') as f:
        f.write(data)


ANIMATIONS = {
    # busy dialog, reading by kind
    1381: lambda: transfer('box', False),
    1383: lambda: transfer('pro', False),
    1382: lambda: transfer('pci', False),
    1389: lambda: transfer('pccard', False),
    1192: lambda: transfer('other', False),
    # busy dialog, writing by kind
    1384: lambda: transfer('box', True),
    1386: lambda: transfer('pro', True),
    1385: lambda: transfer('pci', True),
    1388: lambda: transfer('pccard', True),
    1189: lambda: transfer('other', True),
    # firmware download by kind
    1196: lambda: firmware('box'),
    1322: lambda: firmware('pro'),
    1375: lambda: firmware('pci'),
    1194: lambda: firmware('pccard'),
    # the wizard's line detection and the folder's adapter search
    182: line_detection,
    2823: search,
}

if __name__ == '__main__':
    wanted = [int(a) for a in sys.argv[1:]] or sorted(ANIMATIONS)
    for number in wanted:
        write_gif(f'{number}.gif', ANIMATIONS[number]())
        print(f'{number}.gif')
