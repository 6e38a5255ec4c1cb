#!/usr/bin/env python3
"""Writes the sample firmware images of this folder: one per type code and
region, each a few records long, with a valid record structure (type byte,
3-byte big-endian length counting the header, a multiple of 4, and an 8-bit
sum of 0 over the record) and a version record behind "SYS_VER ".

Run it from anywhere: python3 data/firmware/make_samples.py
"""
import os
import random

VERSION = "2.20"
# (file name, type code, region byte): "R" international, "N" North America.
SAMPLES = [
    ("taboxna.elm", "TBX", "N"), ("taboxint.elm", "TBX", "R"),
    ("tablna.elm", "TBL", "N"), ("tablint.elm", "TBL", "R"),
    ("taprona.elm", "T2B", "N"), ("taproint.elm", "T2B", "R"),
    ("t71na.elm", "T71", "N"), ("t71int.elm", "T71", "R"),
    ("t3mna.elm", "T3M", "N"), ("t3mint.elm", "T3M", "R"),
]


def record(kind, data):
    body = bytearray(data)
    body.append(0)  # the sum byte
    while (4 + len(body)) % 4:
        body.insert(len(body) - 1, 0)
    length = 4 + len(body)
    rec = bytearray([kind]) + length.to_bytes(3, "big") + body
    rec[-1] = (-sum(rec[:-1])) & 0xFF
    return bytes(rec)


def image(type_code, region, seed):
    rnd = random.Random(seed)
    version = VERSION.encode().ljust(13, b"\0")
    header = b"SYS_VER " + version + type_code.encode() + region.encode() + b"\0\0\0"
    out = record(0x01, b"Velka Tamo firmware sample\0" + header)
    for kind in (0x02, 0x03, 0x03, 0x04):
        out += record(kind, bytes(rnd.randrange(256) for _ in range(1500)))
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for n, (name, type_code, region) in enumerate(SAMPLES):
        with open(os.path.join(here, name), "wb") as f:
            f.write(image(type_code, region, n))


if __name__ == "__main__":
    main()
