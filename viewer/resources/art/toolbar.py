"""The 45 images of the main tool bar "ToolBar" (20 x 16 each on the button face).  The list
IMAGES is in image-index order; each entry draws one cell."""
from .canvas import Canvas, strip
from . import shapes

CELL_WIDTH, CELL_HEIGHT = 20, 16


def cell():
    return Canvas(CELL_WIDTH, CELL_HEIGHT, "s")


def exit_door():
    c = cell(); c.sprite("exit", 0, 0); return c


def filer_tree():
    c = cell()
    c.sprite("folder_small", 1, 0)
    c.rect(3, 6, 1, 8, "d")
    c.rect(4, 8, 4, 1, "d")
    c.rect(4, 13, 4, 1, "d")
    c.sprite("folder_small", 8, 5)
    c.sprite("folder_small", 8, 10)
    return c


def open_file():
    c = cell(); c.sprite("folder_open", 2, 3)
    shapes.arrow(c, 15, 0, "up", "g", length=5, head=3)
    return c


def open_other():
    c = cell()
    c.frame(7, 0, 12, 10, "K", "W")
    c.rect(8, 1, 10, 2, "n")
    c.sprite("folder_open", 0, 5)
    return c


def reload_file():
    c = cell(); shapes.page(c, 2, 0, 11, 15, lines="d")
    shapes.circular_arrow(c, 13.5, 10.5, 5.2, "g")
    return c


def kanji_code():
    c = cell(); c.frame(1, 1, 15, 14, "K", "W")
    c.sprite("ji", 3, 3); c.replace("K", "n"); c.frame(1, 1, 15, 14, "K")
    shapes.arrow(c, 18, 10, "down", "K", length=3, head=3)
    return c


def printer():
    c = cell(); c.sprite("printer", 2, 1); return c


def _clip(overlay):
    c = cell(); x, y, w, h = shapes.clipboard(c, 1, 0)
    overlay(c, x, y, w, h)
    return c


def copy_selection():
    def lines(c, x, y, w, h):
        for row in range(y + 1, y + h, 2):
            c.rect(x, row, w, 1, "d")
        c.rect(x, y + 3, w, 3, "n")
    return _clip(lines)


def copy_line():
    def one(c, x, y, w, h):
        c.rect(x, y + 1, w, 2, "B")
        for row in range(y + 4, y + h, 2):
            c.rect(x, row, w, 1, "s")
    c = _clip(one); shapes.arrow(c, 15, 4, "left", "R", length=5); return c


def copy_screen():
    def screen(c, x, y, w, h):
        c.frame(x - 1, y, w + 2, h - 1, "n", "C")
        for row in range(y + 2, y + h - 2, 2):
            c.rect(x + 1, row, w - 2, 1, "n")
    c = _clip(screen); c.frame(14, 5, 6, 5, "K", "C"); c.rect(16, 10, 2, 1, "K"); return c


def copy_quoted():
    def quotes(c, x, y, w, h):
        for row in range(y + 1, y + h - 1, 3):
            c.put(x, row, "R"); c.put(x + 1, row + 1, "R"); c.put(x, row + 2, "R")
            c.rect(x + 3, row + 1, w - 3, 1, "K")
    return _clip(quotes)


def copy_append():
    def lines(c, x, y, w, h):
        for row in range(y + 1, y + h, 2):
            c.rect(x, row, w, 1, "d")
    c = _clip(lines)
    c.rect(15, 3, 1, 7, "g"); c.rect(12, 6, 7, 1, "g")
    c.rect(14, 3, 1, 7, "G"); c.rect(12, 5, 7, 1, "G")
    return c


def flashlight(direction=None):
    c = cell(); c.sprite("flashlight", 0, 1 if direction else 4)
    if direction:
        shapes.arrow(c, 5, 10 if direction == "up" else 15, direction, "B", length=6, head=3)
    return c


def glasses(direction=None):
    c = cell(); c.sprite("glasses", 0, 1 if direction else 5)
    if direction:
        shapes.arrow(c, 9, 9 if direction == "up" else 15, direction, "B", length=6, head=3)
    return c


def to_edge(direction):
    c = cell()
    bar_y, tip = (1, 3) if direction == "up" else (13, 12)
    c.rect(3, bar_y, 14, 2, "n")
    shapes.arrow(c, 10, tip, direction, "B", length=10, head=5)
    return c


def jump_line():
    c = cell(); shapes.page(c, 6, 0, 12, 16, lines="d")
    c.rect(8, 9, 7, 2, "R")
    c.line(1, 2, 1, 9, "K"); c.line(2, 1, 2, 9, "K")
    shapes.arrow(c, 7, 10, "right", "K", length=6, head=3)
    return c


def text_mode():
    c = cell(); shapes.page(c, 2, 0, 12, 16, lines="d")
    c.rect(8, 5, 8, 11, "W")
    c.text("A", 9, 6, "n", scale=2)
    return c


def binary_mode():
    c = cell(); shapes.page(c, 2, 0, 14, 16)
    c.text("01", 4, 3, "R"); c.text("10", 4, 9, "R")
    return c


def intelligent():
    c = cell(); c.sprite("bulb", 5, 2)
    for x0, y0, x1, y1 in ((1, 1, 3, 3), (18, 1, 16, 3), (0, 7, 2, 7), (17, 7, 19, 7)):
        c.line(x0, y0, x1, y1, "Y")
    c.put(10, 0, "Y")
    return c


def editor():
    c = cell(); shapes.page(c, 1, 0, 12, 16, lines="d")
    c.sprite("pencil", 7, 2)
    return c


def settings():
    c = cell(); shapes.gear(c, 9.5, 7.5, 7.4); return c


def key_customize():
    c = cell()
    for x, y, glyph in ((1, 1, "A"), (9, 6, "Z")):
        c.frame(x, y, 10, 10, "K", "W")
        c.rect(x + 1, y + 8, 8, 1, "d"); c.rect(x + 8, y + 1, 1, 8, "d")
        c.text(glyph, x + 3, y + 2, "K")
    return c


def about():
    c = cell(); shapes.badge(c, 9.5, 7.5, 7, "B", "i", "W"); return c


def help_badge():
    c = cell(); shapes.badge(c, 9.5, 7.5, 7, "Y", "?", "n"); return c


def mark_jump():
    c = cell(); shapes.flag(c, 10, 0)
    shapes.arrow(c, 8, 4, "right", "B", length=8, head=4)
    return c


def mark_set():
    c = cell(); shapes.flag(c, 5, 0)
    c.rect(15, 9, 1, 7, "g"); c.rect(12, 12, 7, 1, "g")
    return c


def mark_clear():
    c = cell(); shapes.flag(c, 4, 0)
    for k in range(7):
        c.rect(12 + k, 8 + k, 2, 1, "R"); c.rect(18 - k, 8 + k, 2, 1, "R")
    return c


def mark(digit):
    c = cell(); shapes.flag_with_digit(c, 6, 0, digit); return c


def tool_menu():
    c = cell(); c.sprite("toolbox", 0, 2)
    shapes.arrow(c, 16, 15, "down", "K", length=3, head=3)
    return c


def tool(digit):
    c = cell(); shapes.wrench(c, 0, 1)
    c.frame(12, 7, 7, 9, "K", "W"); c.text(digit, 14, 9, "n")
    return c


def follow_file():
    """A log whose new lines are followed: a page, and an arrow down to a growing last line."""
    c = cell(); shapes.page(c, 1, 0, 11, 15, lines="d")
    shapes.arrow(c, 15, 11, "down", "g", length=9, head=3)
    c.rect(13, 13, 6, 2, "R")
    return c


IMAGES = [
    exit_door, filer_tree, open_file, open_other, reload_file, kanji_code, printer,
    copy_selection, copy_line, copy_screen, copy_quoted, copy_append,
    flashlight, lambda: flashlight("up"), lambda: flashlight("down"),
    glasses, lambda: glasses("up"), lambda: glasses("down"),
    lambda: to_edge("up"), lambda: to_edge("down"), jump_line, text_mode, binary_mode,
    intelligent, editor, settings, key_customize, about, help_badge,
    mark_jump, mark_set, mark_clear] + [lambda d=d: mark(d) for d in "1234"] + [
    tool_menu] + [lambda d=d: tool(d) for d in "1234567"] + [follow_file]


def tool_bar():
    assert len(IMAGES) == 45
    return strip([draw() for draw in IMAGES], CELL_WIDTH, CELL_HEIGHT, "s")
