"""Writers of the three Windows picture formats the viewer's resources use: 4-bit and 1-bit
BMP, and ICO/CUR files holding 4-bit images with their AND masks.  A picture is a Canvas of
palette indices (see canvas.py); TRANSPARENT pixels exist only in icons and cursors."""
import struct

from .canvas import PALETTE, TRANSPARENT


def _rows_bottom_up(pixels, bits, value):
    """Packs rows of pixels, bottom row first, each padded to a multiple of 4 bytes."""
    per_byte = 8 // bits
    stride = ((len(pixels[0]) * bits + 31) // 32) * 4
    packed = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            shift = 8 - bits * (x % per_byte + 1)
            line[x // per_byte] |= value(pixel) << shift
        packed += line
    return bytes(packed)


def _info_header(width, height, bits, image_bytes, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_bytes, 2835, 2835,
                       colours, 0)


def _palette(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def bmp_bytes(canvas, monochrome=False):
    """A 16-colour BMP, or a monochrome one (palette black, white; black pixels are bit 0)."""
    if monochrome:
        colours, bits = [(0, 0, 0), (255, 255, 255)], 1
        rows = _rows_bottom_up(canvas.pixels, 1, lambda p: 0 if PALETTE[p] == (0, 0, 0) else 1)
    else:
        colours, bits = PALETTE, 4
        rows = _rows_bottom_up(canvas.pixels, 4, lambda p: p)
    palette = _palette(colours)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = _info_header(canvas.width, canvas.height, bits, len(rows), len(colours))
    return header + info + palette + rows


def _icon_image(canvas):
    """One ICO/CUR image: the colour rows (black where transparent) and the AND mask."""
    colour = _rows_bottom_up(canvas.pixels, 4, lambda p: 0 if p == TRANSPARENT else p)
    mask = _rows_bottom_up(canvas.pixels, 1, lambda p: 1 if p == TRANSPARENT else 0)
    info = _info_header(canvas.width, canvas.height * 2, 4, len(colour) + len(mask), 16)
    return info + _palette(PALETTE) + colour + mask


def _icon_file(kind, images):
    """kind 1 icon, 2 cursor; images are (canvas, (a, b)) where (a, b) are the planes and bit
    count of an icon or the hot spot of a cursor."""
    directory = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for canvas, (a, b) in images:
        blob = _icon_image(canvas)
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 16, 0,
                                 a, b, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return directory + b"".join(blobs)


def ico_bytes(canvases):
    return _icon_file(1, [(canvas, (1, 4)) for canvas in canvases])


def cur_bytes(canvas, hot_x, hot_y):
    return _icon_file(2, [(canvas, (hot_x, hot_y))])
