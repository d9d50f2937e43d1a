"""The small bitmaps of the text window and the main window: "Flag" (mark flags with the
label mask and the four mark glyphs), "CR" and "TAB" (line-end and tab marks) and "Logo"."""
from .canvas import Canvas, SPRITES

FLAG_SIZE = (33, 10)


def flag_strip():
    """The flag (inverted onto the text, so it is drawn white on black), whose cloth at
    (3, 1) doubles as the 6 x 5 mask that clears the label; glyph k at (9 + 6k, 1)."""
    c = Canvas(*FLAG_SIZE, fill="K")
    c.rect(0, 0, 1, 10, "W")
    c.rect(1, 0, 8, 7, "W")
    c.put(8, 0, "K"); c.put(8, 6, "K")
    for k, digit in enumerate("1234"):
        c.text(digit, 9 + 6 * k + 2, 1, "W")
    return c


def cr_mark():
    """12 x 12, black on white: a return arrow."""
    c = Canvas(12, 12, "W")
    c.rect(9, 2, 1, 6, "K")
    c.rect(3, 7, 7, 1, "K")
    for k in range(1, 3):
        c.rect(3 + k, 7 - k, 1, 2 * k + 1, "K")
    return c


def tab_mark():
    """6 x 12, black on white: an arrow to a stop."""
    c = Canvas(6, 12, "W")
    c.rect(0, 6, 4, 1, "K")
    c.rect(3, 5, 1, 3, "K")
    c.rect(2, 4, 1, 1, "K"); c.rect(2, 8, 1, 1, "K")
    c.rect(5, 3, 1, 7, "K")
    return c


def _draw_word(c, word, x, top, gap):
    for letter in word:
        if letter == " ":
            x += 5
            continue
        rows = SPRITES["logo_" + letter]
        c.sprite("logo_" + letter, x, top + 12 - len(rows))
        x += len(rows[0]) + gap
    return x - gap


def logo():
    """152 x 18 monochrome: "Zelko View" in bold italics with a line under it, and "32"
    white in a black plate."""
    c = Canvas(152, 18, "W")
    end = _draw_word(c, "Zelko View", 14, 2, 2)
    c.rect(14, 15, end - 14, 1, "K")
    plate_x = end + 7
    c.rect(plate_x + 1, 0, 24, 18, "K"); c.rect(plate_x, 1, 26, 16, "K")
    text = Canvas(26, 18)
    _draw_word(text, "32", 4, 3, 2)
    text.replace("K", "W")
    c.paste(text, plate_x, 0)
    italic = Canvas(152, 18, "W")
    for y, row in enumerate(c.pixels):
        shift = (17 - y) // 5
        for x, pixel in enumerate(row):
            if 0 <= x + shift - 2 < 152:
                italic.pixels[y][x + shift - 2] = pixel
    return italic
