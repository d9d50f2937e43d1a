#!/usr/bin/env python3
"""Draws the icon "Plim" of PLIMCFG.EXE (32 x 32, 32-bit colour): a raised grey button with
a sunken frame and the letter P.  Run it again after changing the picture."""
import struct
from pathlib import Path

SIZE = 32
FACE, WHITE, SHADOW, DARK, BLUE = (192, 192, 192), (255, 255, 255), (128, 128, 128), (0, 0, 0), (0, 0, 160)
P = ["11111100", "11000110", "11000110", "11000110", "11111100", "11000000", "11000000", "11000000",
     "11000000", "11000000"]


def pixel(x, y):
    if x in (0, 31) or y in (0, 31):
        return DARK
    if x == 1 or y == 1:
        return WHITE
    if x == 30 or y == 30:
        return SHADOW
    if 6 <= x < 26 and 6 <= y < 26 and (x in (6, 25) or y in (6, 25)):
        return SHADOW if (x == 6 or y == 6) else WHITE
    px, py = (x - 10) // 2, (y - 6) // 2 - 0
    if 0 <= px < 8 and 0 <= (y - 8) // 1.5 < 10:
        row = int((y - 8) // 1.5)
        if P[row][px] == "1":
            return BLUE
    return FACE


rows = b""
for y in reversed(range(SIZE)):
    for x in range(SIZE):
        r, g, b = pixel(x, y)
        rows += bytes((b, g, r, 255))
mask = bytes(4 * SIZE)  # all opaque
header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
image = header + rows + mask
icon = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
Path(__file__).resolve().parent.joinpath("plim.ico").write_bytes(icon + image)
