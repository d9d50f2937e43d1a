"""The pictures of the two file windows: "Icon" (entry kinds of the file lists, with the check
overlay), "Drive" (drive kinds), "FToolBar" (Zelko Filer's buttons) and "AToolBar" (the
archive filer's buttons).  "Icon" and "Drive" keep a mask row (white where the picture is
transparent) above the picture row (black there), for drawing with AND then OR."""
from .canvas import Canvas, COLOUR, TRANSPARENT, strip
from . import shapes, toolbar


def masked_strip(cells, cell_width, cell_height):
    pictures = strip(cells, cell_width, cell_height, ".")
    c = Canvas(pictures.width, 2 * cell_height, "K")
    for y, row in enumerate(pictures.pixels):
        for x, pixel in enumerate(row):
            opaque = pixel != TRANSPARENT
            c.pixels[y][x] = COLOUR["K" if opaque else "W"]
            c.pixels[cell_height + y][x] = pixel if opaque else COLOUR["K"]
    return c


# Entry kinds, 16 x 16: folder, associated file, archive, program, other file, check mark.
def _entry(draw):
    c = Canvas(16, 16)
    draw(c)
    return c


ENTRY_KINDS = [
    lambda c: c.sprite("folder", 0, 2),
    lambda c: shapes.page(c, 2, 0, 12, 16, lines="B"),
    lambda c: c.sprite("box", 1, 3),
    lambda c: (c.frame(0, 1, 16, 14, "K", "W"), c.rect(1, 2, 14, 3, "n"),
               c.rect(12, 3, 2, 1, "s"), c.frame(3, 7, 10, 5, "d", "C")),
    lambda c: shapes.page(c, 2, 0, 12, 16),
    lambda c: c.sprite("check", 0, 8),
]


def entry_icons():
    return masked_strip([_entry(draw) for draw in ENTRY_KINDS], 16, 16)


# Drive kinds, 18 x 16: fixed, removable, remote, RAM disk, CD-ROM, unknown.
def _ram(c):
    c.frame(1, 4, 16, 8, "K", "g")
    for x in (3, 8, 13):
        c.rect(x, 5, 3, 4, "K")
    for x in range(2, 16, 2):
        c.put(x, 10, "Y")


def _cd(c):
    c.disc(8.5, 7.5, 7.5, "s", edge="K")
    c.line(3, 6, 6, 3, "W"); c.line(11, 12, 14, 9, "C"); c.line(4, 9, 6, 11, "M")
    c.disc(8.5, 7.5, 2.5, ".", edge="K")
    c.disc(8.5, 7.5, 1.5, ".")


def _remote(c):
    shapes.drive_slab(c, 1, 1)
    c.rect(8, 8, 2, 4, "t")
    c.rect(1, 12, 16, 2, "t")


def _unknown(c):
    shapes.drive_slab(c, 1, 5, light="R")
    c.text("?", 13, 0, "R")


DRIVE_KINDS = [
    lambda c: shapes.drive_slab(c, 1, 5),
    lambda c: c.sprite("floppy", 2, 2),
    _remote, _ram, _cd, _unknown,
]


def drive_icons():
    cells = []
    for draw in DRIVE_KINDS:
        c = Canvas(18, 16)
        draw(c)
        cells.append(c)
    return masked_strip(cells, 18, 16)


# Zelko Filer's tool bar.
def _change_directory():
    c = toolbar.cell(); c.sprite("folder_small", 1, 0)
    c.frame(1, 7, 18, 9, "K", "W"); c.text("C:\\", 3, 9, "K")
    c.rect(15, 9, 1, 5, "K")
    return c


def _sort_order(first, last):
    c = toolbar.cell()
    c.text(first, 2, 1, "n"); c.text(last, 2, 10, "n")
    shapes.arrow(c, 12, 15, "down", "B", length=14, head=4)
    return c


def _label(text):
    c = toolbar.cell()
    width = 4 * len(text) + 3
    c.frame((20 - width) // 2, 4, width, 9, "K", "W")
    c.text(text, (20 - width) // 2 + 2, 6, "n")
    return c


def _by_time():
    c = toolbar.cell(); shapes.clock(c, 9.5, 7.5, 7.5); return c


def _by_size():
    c = toolbar.cell()
    for k, height in enumerate((4, 8, 13)):
        c.frame(2 + 6 * k, 15 - height, 5, height, "K", "B")
    return c


FILER_IMAGES = [toolbar.exit_door, toolbar.help_badge, _change_directory,
                lambda: _sort_order("A", "Z"), lambda: _sort_order("Z", "A"),
                lambda: _label("ABC"), lambda: _label(".TXT"), _by_time, _by_size,
                toolbar.settings]


def filer_tool_bar():
    return strip([draw() for draw in FILER_IMAGES], 20, 16, "s")


# The archive filer's tool bar: extract the checked members, check them all, help.
def _extract():
    c = toolbar.cell(); c.sprite("box", 0, 0)
    c.sprite("folder_small", 11, 10)
    shapes.arrow(c, 14, 9, "down", "g", length=6, head=3)
    return c


def _check_all():
    c = toolbar.cell()
    for y in (1, 6, 11):
        c.frame(2, y, 5, 5, "K", "W")
        c.rect(10, y + 2, 8, 1, "K")
        for x, dy in ((3, 2), (4, 3), (5, 2), (6, 1), (7, 0), (8, -1)):
            c.put(x, y + dy, "R")
            c.put(x, y + dy + 1, "R")
    return c


ARCHIVE_IMAGES = [_extract, _check_all, toolbar.help_badge]


def archive_tool_bar():
    return strip([draw() for draw in ARCHIVE_IMAGES], 20, 16, "s")
