"""Shapes drawn at any size and shared by several pictures: pages, clipboards, arrows,
badges, gears, clocks, flags, wrenches and disk drives."""
import math


def page(c, x, y, w, h, lines=None, fold=3):
    """A sheet of paper with a folded top-right corner; lines = colour of text lines."""
    c.frame(x, y, w, h, "K", "W")
    for k in range(fold):
        c.rect(x + w - fold + k, y, fold - k, 1, ".")
        c.put(x + w - fold + k, y + k, "K")
        c.put(x + w - fold - 1, y + k, "K")
    c.rect(x + w - fold, y + fold, fold, 1, "K")
    c.rect(x + w - fold - 1, y + fold, 1, 1, "K")
    for k in range(1, fold):
        c.rect(x + w - fold, y + k, k, 1, "s")
    if lines:
        for row in range(y + 3, y + h - 2, 2):
            c.rect(x + 2, row, w - 4 - (fold if row < y + fold + 1 else 0), 1, lines)


def clipboard(c, x, y, w=13, h=15):
    """A brown board with a silver clip and a white sheet; returns the sheet's (x, y, w, h)."""
    c.frame(x, y + 1, w, h - 1, "K", "o")
    c.frame(x + 2, y + 3, w - 4, h - 5, "d", "W")
    mid = x + w // 2
    c.frame(mid - 3, y, 7, 4, "K", "s")
    c.rect(mid - 1, y + 1, 3, 1, "K")
    return x + 3, y + 4, w - 6, h - 7


def arrow(c, x, y, direction, colour, length=7, head=3):
    """A solid arrow whose point is at (x, y), pointing "up", "down", "left" or "right"."""
    dx, dy = {"up": (0, 1), "down": (0, -1), "left": (1, 0), "right": (-1, 0)}[direction]
    for k in range(head):
        for s in range(-k, k + 1):
            c.put(x + dx * k + dy * s, y + dy * k + dx * s, colour)
    for k in range(head, length):
        for s in (-1, 0, 1) if head > 2 else (0,):
            if abs(s) < head - 1:
                c.put(x + dx * k + dy * s, y + dy * k + dx * s, colour)


def badge(c, cx, cy, radius, fill, glyph, ink, scale=2):
    """A round badge with one glyph of the 3 x 5 font in it ("i", "?", digits)."""
    c.disc(cx, cy, radius, fill, edge="K")
    gx, gy = round(cx - 1.5 * scale), round(cy - 2.5 * scale)
    if glyph == "i":
        c.rect(gx + scale, gy, scale, scale, ink)
        c.rect(gx + scale, gy + 2 * scale, scale, 3 * scale, ink)
    elif glyph == "?":
        c.sprite("question", round(cx - 2.5), round(cy - 4))
    else:
        c.text(glyph, gx, gy, ink, scale)


def filled(c, cx, cy, radius, inside, fill, edge="K"):
    """Fills the pixels near (cx, cy) for which inside(dx, dy) holds, outlined in edge."""
    for y in range(int(cy - radius) - 2, int(cy + radius) + 3):
        for x in range(int(cx - radius) - 2, int(cx + radius) + 3):
            if inside(x - cx, y - cy):
                rim = any(not inside(x + i - cx, y + j - cy)
                          for i, j in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                c.put(x, y, edge if rim else fill)


def gear(c, cx, cy, radius, teeth=8, fill="d"):
    """A cog wheel with a round hole."""
    def inside(dx, dy):
        r = math.hypot(dx, dy)
        tooth = math.cos(teeth * math.atan2(dy, dx)) > 0
        return radius * 0.3 < r <= (radius if tooth else radius * 0.72)
    filled(c, cx, cy, radius, inside, fill)


def clock(c, cx, cy, radius):
    c.disc(cx, cy, radius, "W", edge="K")
    c.line(round(cx), round(cy), round(cx), round(cy - radius + 2), "K")
    c.line(round(cx), round(cy), round(cx + radius - 3), round(cy), "R")
    for angle in range(0, 360, 90):
        c.put(round(cx + (radius - 1.5) * math.cos(math.radians(angle))),
              round(cy + (radius - 1.5) * math.sin(math.radians(angle))), "n")


def circular_arrow(c, cx, cy, radius, colour):
    """A clockwise turning arrow: a thick ring open at the upper right, its head at the top
    pointing right."""
    for j in range(int(cy - radius) - 1, int(cy + radius) + 2):
        for i in range(int(cx - radius) - 1, int(cx + radius) + 2):
            r = math.hypot(i - cx, j - cy)
            angle = math.degrees(math.atan2(cy - j, i - cx)) % 360
            if radius - 2 <= r <= radius and not 0 <= angle <= 88:
                c.put(i, j, colour)
    tip_x, mid_y = round(cx + 3), round(cy - radius + 1)
    for k in range(4):
        c.rect(tip_x - k, mid_y - k, 1, 2 * k + 1, colour)


def flag(c, x, y, cloth="R", height=15):
    """A flag on a pole: the pole at x, the 8 x 7 cloth to its right (top-left at x+1, y+1)."""
    c.rect(x, y, 1, height, "K")
    c.frame(x + 1, y + 1, 8, 7, "K", cloth)
    c.rect(x - 1, y + height - 1, 3, 1, "K")


def flag_with_digit(c, x, y, digit):
    flag(c, x, y)
    c.text(digit, x + 3, y + 2, "W")


def wrench(c, x, y):
    """A spanner from lower left to upper right, its open jaw at (x + 8 .. x + 12, y)."""
    c.disc(x + 9.5, y + 3.5, 3.6, "s", edge="K")
    for k in range(3):
        c.rect(x + 9 + k, y + k, 3 - k, 1, ".")
    c.line(x + 10, y + 2, x + 12, y + 1, "K")
    c.line(x + 9, y + 2, x + 10, y + 0, "K")
    for k in range(7):
        c.rect(x + 1 + k, y + 12 - k, 2, 1, "s")
        c.put(x + k, y + 12 - k, "K")
        c.put(x + 3 + k, y + 12 - k, "K")
    c.rect(x, y + 13, 2, 1, "K")


def drive_slab(c, x, y, w=16, h=7, light="G"):
    """The front of a disk drive: a silver box with a slot and a lamp."""
    c.frame(x, y, w, h, "K", "s")
    c.rect(x + 1, y + 1, w - 2, 1, "W")
    c.rect(x + 1, y + h - 2, w - 2, 1, "d")
    c.rect(x + 3, y + h // 2, w - 8, 1, "K")
    c.rect(x + w - 4, y + h // 2, 2, 1, light)
