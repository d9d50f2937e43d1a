"""Enlarged PNG copies of the pictures, for looking at them (make_resources.py --preview).
Transparent pixels are shown in a light pink so that masks can be checked by eye."""
import struct
import zlib
from pathlib import Path

from .canvas import PALETTE, TRANSPARENT

SHOWN_TRANSPARENT = (255, 200, 220)


def write_png(path, canvas, scale):
    Path(path).parent.mkdir(parents=True, exist_ok=True)
    raw = bytearray()
    for row in canvas.pixels:
        line = b"".join(bytes(SHOWN_TRANSPARENT if p == TRANSPARENT else PALETTE[p]) * scale
                        for p in row)
        raw += (b"\0" + line) * scale

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", canvas.width * scale, canvas.height * scale, 8, 2, 0, 0, 0)
    Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                           + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))
