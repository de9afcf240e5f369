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


def blank(w, h):
    return [[(0, 0, 0, 0)] * w for _ in range(h)]


def fill(px, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = colour


def draw_open():
    """An opening folder, 45 x 36."""
    px = blank(45, 36)
    dark, body, front = (120, 90, 20, 255), (235, 190, 70, 255), (250, 215, 110, 255)
    fill(px, 4, 6, 18, 10, dark)          # the tab
    fill(px, 4, 9, 38, 32, dark)          # the back
    fill(px, 5, 10, 37, 31, body)
    fill(px, 9, 3, 33, 26, (250, 250, 245, 255))  # a sheet in the folder
    for y in (7, 11, 15, 19):
        fill(px, 12, y, 30, y + 1, (60, 110, 200, 255))
    for i in range(18):                   # the front flap, leaning open
        y = 16 + i
        if y >= 33:
            break
        x0 = 10 - i // 3
        fill(px, max(x0, 1), y, min(x0 + 34, 44), y + 1, front)
        px[y][max(x0, 1)] = dark
        px[y][min(x0 + 33, 43)] = dark
    fill(px, 5, 33, 41, 34, dark)
    return px


def draw_save():
    """A floppy disk, 40 x 40."""
    px = blank(40, 40)
    fill(px, 4, 4, 36, 36, (30, 60, 130, 255))       # the case
    fill(px, 10, 4, 30, 15, (200, 205, 215, 255))    # the shutter
    fill(px, 23, 6, 27, 13, (30, 60, 130, 255))
    fill(px, 8, 20, 32, 36, (250, 250, 245, 255))    # the label
    for y in (24, 28, 32):
        fill(px, 11, y, 29, y + 1, (210, 30, 30, 255))
    return px


def dib(size, px=None):
    px = px or draw(size)
    w, h = len(px[0]), len(px)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(
        bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((w + 31) // 32) * 4
    andmask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    return header + xor + bytes(andmask)


def write_ico(path, pictures):
    images = [dib(0, px) for px in pictures]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for px, img in zip(pictures, images):
        out += struct.pack("<BBBBHHII", len(px[0]), len(px), 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    write_ico(os.path.join(RES, "vantrel.ico"), [draw(16), draw(32)])
    write_ico(os.path.join(RES, "open.ico"), [draw_open()])
    write_ico(os.path.join(RES, "saveas.ico"), [draw_save()])
