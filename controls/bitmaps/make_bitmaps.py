#!/usr/bin/env python3
"""Draws the bitmaps of PLIM32.DLL ("Check", "Radio", "Saying", "Spin") as 8-bit BMP files.

Greys are the classic 3D colours (192 face, 128 shadow, 223 light), so the library can load
them mapped to the system's own colours.  Run it again after changing a picture.
"""
import struct
from pathlib import Path

BLACK, WHITE, FACE, SHADOW, LIGHT, GREY = 0, 1, 2, 3, 4, 5
PALETTE = [(0, 0, 0), (255, 255, 255), (192, 192, 192), (128, 128, 128), (223, 223, 223),
           (128, 128, 128)]


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width + 3) & ~3
    rows = b"".join(bytes(row) + bytes(stride - width) for row in reversed(pixels))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    palette += bytes(4 * (256 - len(PALETTE)))
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    Path(path).write_bytes(header + info + palette + rows)


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def box_cell(image, ox, oy, inside, mark, checked):
    for i in range(12):
        for j in range(12):
            image[oy + j][ox + i] = inside
    for i in range(12):
        image[oy][ox + i] = SHADOW; image[oy + i][ox] = SHADOW
        image[oy + 11][ox + i] = WHITE; image[oy + i][ox + 11] = WHITE
    for i in range(1, 11):
        image[oy + 1][ox + i] = BLACK; image[oy + i][ox + 1] = BLACK
        image[oy + 10][ox + i] = LIGHT; image[oy + i][ox + 10] = LIGHT
    image[oy + 11][ox] = WHITE
    if checked:
        for k, (x, y) in enumerate([(3, 5), (4, 6), (5, 7), (6, 6), (7, 5), (8, 4)]):
            for d in range(3):
                image[oy + y + d][ox + x] = mark


def radio_cell(image, ox, oy, inside, mark, checked):
    c = 5.5
    for j in range(12):
        for i in range(12):
            r2 = (i - c) ** 2 + (j - c) ** 2
            if r2 <= 3.6 ** 2:
                image[oy + j][ox + i] = inside
            elif r2 <= 4.7 ** 2:
                image[oy + j][ox + i] = BLACK if i + j < 11 else LIGHT
            elif r2 <= 5.9 ** 2:
                image[oy + j][ox + i] = SHADOW if i + j < 11 else WHITE
    if checked:
        for j in range(4, 8):
            for i in range(4, 8):
                if (i, j) not in [(4, 4), (7, 4), (4, 7), (7, 7)]:
                    image[oy + j][ox + i] = mark


def marks(cell):
    image = canvas(36, 24, FACE)
    looks = [(WHITE, BLACK), (FACE, BLACK), (FACE, GREY)]
    for column, (inside, mark) in enumerate(looks):
        for row in range(2):
            cell(image, column * 12, row * 12, inside, mark, row == 1)
    return image


def spin():
    image = canvas(14, 6, FACE)
    for row in range(4):
        for i in range(3 - row, 4 + row):
            image[row + 1][i] = BLACK          # up arrow, point at the top
            image[4 - row][7 + i] = BLACK      # down arrow, point at the bottom
    return image


def saying():
    """16 x 32: the balloon's pointer (a wedge from a tip at the left into the balloon, black
    where clear) above, its mask (black where the picture is) below."""
    image = canvas(16, 32, BLACK)
    for y in range(16):
        image[16 + y] = [WHITE] * 16
    for x in range(1, 16):
        top = round(10 - 7 * (x - 1) / 14)
        bottom = round(10 - (x - 1) / 14)
        for y in range(top, bottom + 1):
            image[y][x] = BLACK if y in (top, bottom) or x == 1 else WHITE
            image[16 + y][x] = BLACK
    return image


here = Path(__file__).resolve().parent
write_bmp(here / "check.bmp", marks(box_cell))
write_bmp(here / "radio.bmp", marks(radio_cell))
write_bmp(here / "spin.bmp", spin())
write_bmp(here / "saying.bmp", saying())
