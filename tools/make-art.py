#!/usr/bin/env python3
"""Draws the program's icon (res/vantrel.ico): a sheet of list lines with a
red "blocked" sign. Run it again after changing the drawing."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "res")


def draw(size):
    """Returns rows (top to bottom) of (r, g, b, a) pixels."""
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 32.0
    # The sheet.
    for y in range(int(2 * s), int(30 * s)):
        for x in range(int(5 * s), int(25 * s)):
            edge = x in (int(5 * s), int(25 * s) - 1) or y in (int(2 * s), int(30 * s) - 1)
            px[y][x] = (40, 70, 140, 255) if edge else (250, 250, 245, 255)
    # List lines.
    for i in range(6):
        y = int((7 + i * 4) * s)
        for x in range(int(8 * s), int(22 * s)):
            px[y][x] = (60, 110, 200, 255)
    # The blocked sign: a red ring with a slash, bottom right.
    cx, cy, r = 22 * s, 22 * s, 8.5 * s
    for y in range(size):
        for x in range(size):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = (dx * dx + dy * dy) ** 0.5
            if r - 2.6 * s <= d <= r:
                px[y][x] = (210, 30, 30, 255)
            elif d < r - 2.6 * s and abs(dx + dy) < 1.6 * s:
                px[y][x] = (210, 30, 30, 255)
    return px


def dib(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(
        bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    andmask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    return header + xor + bytes(andmask)


def write_ico(path, sizes):
    images = [dib(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    write_ico(os.path.join(RES, "vantrel.ico"), [16, 32])
