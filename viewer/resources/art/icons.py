"""The program's icons (32 x 32 and 16 x 16 images each) and its cursors (32 x 32).

Icons, by role: 1 the viewer, 2 the lists and the archive filer, 3 Zelko Filer; the "Main"
set is colourful, the "Serious" set the same subjects in sober greys and navy.  "xPlim" is
the small program picture the dialogs show."""
from .canvas import Canvas
from . import shapes, toolbar


def _viewer(c, size, serious):
    ink = "K" if serious else "n"
    if size == 32:
        shapes.page(c, 3, 0, 24, 30, lines=ink, fold=6)
        if serious:
            c.rect(6, 22, 12, 5, "W"); c.disc(21.5, 21.5, 5, "W", edge="K")
            c.line(25, 25, 29, 29, "K"); c.line(25, 26, 29, 30, "K")
        else:
            c.rect(4, 20, 22, 8, "W"); c.sprite("glasses", 6, 20)
    else:
        shapes.page(c, 1, 0, 13, 16, lines=ink)
        if serious:
            c.disc(10.5, 10.5, 3, "W", edge="K"); c.line(13, 13, 15, 15, "K")
        else:
            c.rect(2, 10, 12, 5, "W"); c.sprite("glasses_small", 2, 10)


def _lists(c, size, serious):
    title, rows = ("d", "K") if serious else ("n", "B")
    if size == 32:
        c.frame(0, 1, 28, 24, "K", "W"); c.rect(1, 2, 26, 4, title)
        for y in range(8, 23, 3):
            c.rect(3, y, 2, 2, "R" if not serious else "d"); c.rect(7, y, 17, 1, rows)
        if not serious:
            c.sprite("box", 17, 20)
    else:
        c.frame(0, 1, 16, 14, "K", "W"); c.rect(1, 2, 14, 2, title)
        for y in range(5, 14, 2):
            c.put(2, y, "R" if not serious else "d"); c.rect(4, y, 9, 1, rows)


def _filer(c, size, serious):
    if size == 32:
        c.rect(4, 13, 2, 13, "K"); c.rect(6, 15, 7, 2, "K"); c.rect(6, 25, 7, 2, "K")
        for x, y in ((1, 1), (13, 10), (13, 20)):
            c.sprite("folder", x, y)
    else:
        _small_tree(c)
    if serious:
        c.replace("W", "s"); c.replace("Y", "W"); c.replace("o", "d")


def _small_tree(c):
    tree = toolbar.filer_tree()
    for y in range(16):
        for x in range(16):
            letter = tree.get(x + 1, y)
            c.put(x, y, "." if letter == "s" else letter)


def _plim(c, size, serious):
    edge = size - 1
    c.frame(0, 0, size, size, "K", "s")
    c.rect(1, 1, size - 2, 1, "W"); c.rect(1, 1, 1, size - 2, "W")
    c.rect(1, edge - 1, size - 2, 1, "d"); c.rect(edge - 1, 1, 1, size - 2, "d")
    inner = Canvas(size, size)
    _viewer(inner, 16, serious)
    if size == 32:
        c.paste(inner, 8, 8)
    else:
        c.rect(4, 3, 8, 10, "W"); c.frame(4, 3, 8, 10, "K")
        for y in (5, 7, 9):
            c.rect(5, y, 6, 1, "n")


ROLES = {"1": _viewer, "2": _lists, "3": _filer}


def icon(draw, serious=False):
    images = []
    for size in (32, 16):
        c = Canvas(size, size)
        draw(c, size, serious)
        images.append(c)
    return images


def all_icons():
    """(resource name, [32 x 32 canvas, 16 x 16 canvas]) of every icon."""
    icons = [("Main" + role, icon(draw)) for role, draw in ROLES.items()]
    icons += [("Serious" + role, icon(draw, True)) for role, draw in ROLES.items()]
    return icons + [("xPlim", icon(_plim))]


# Cursors: (resource name, canvas, hot spot).
def _cursor(sprite, x, y):
    c = Canvas(32, 32)
    c.sprite(sprite, x, y)
    return c


def _flag_cursor():
    c = Canvas(32, 32)
    c.rect(0, 0, 3, 19, "W")
    shapes.flag(c, 1, 0, height=18)
    c.frame(2, 1, 11, 8, "K", "R")
    return c


def all_cursors():
    return [("Line", _cursor("cursor_line", 0, 0), (16, 7)),
            ("Flag", _flag_cursor(), (1, 17)),
            ("Tab", _cursor("cursor_tab", 0, 0), (4, 8))]
