"""A small pixel canvas over the 16 standard Windows colours, with the few primitives the
pictures are drawn with: rectangles, lines, discs, sprites from sprites.txt and a 3 x 5 font.

Colours are named by one letter, the same letters the sprite file uses (index order):
  K black   r maroon  g green   o olive   n navy   p purple  t teal   s silver
  d grey    R red     G lime    Y yellow  B blue   M magenta C cyan   W white
and "." is transparent: a sprite leaves the canvas as it is there, and in icons and cursors
it becomes the AND mask.
"""
from pathlib import Path

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
LETTERS = "KrgonptsdRGYBMCW"
TRANSPARENT = -1
COLOUR = {letter: index for index, letter in enumerate(LETTERS)}
COLOUR["."] = TRANSPARENT

# 3 x 5 glyphs, rows top to bottom, "#" set.
FONT = {
    "0": "###/#.#/#.#/#.#/###", "1": ".#./##./.#./.#./###", "2": "###/..#/###/#../###",
    "3": "###/..#/.##/..#/###", "4": "#.#/#.#/###/..#/..#", "5": "###/#../###/..#/###",
    "6": "###/#../###/#.#/###", "7": "###/..#/.#./.#./.#.", "8": "###/#.#/###/#.#/###",
    "9": "###/#.#/###/..#/###", "A": ".#./#.#/###/#.#/#.#", "B": "##./#.#/##./#.#/##.",
    "C": ".##/#../#../#../.##", "E": "###/#../##./#../###", "I": "###/.#./.#./.#./###",
    "J": "..#/..#/..#/#.#/.#.", "S": ".##/#../.#./..#/##.", "T": "###/.#./.#./.#./.#.",
    "X": "#.#/#.#/.#./#.#/#.#", "Z": "###/..#/.#./#../###", ":": ".../.#./.../.#./...",
    "\\": "#../#../.#./..#/..#", ".": ".../.../.../.../.#.", "?": "##./..#/.#./.../.#.",
}


def _read_sprites():
    """sprites.txt: blocks headed "= name", one line a row, "#" lines are comments."""
    sprites, name = {}, None
    for line in (Path(__file__).parent / "sprites.txt").read_text().splitlines():
        if line.startswith("= "):
            name = line[2:].strip()
            sprites[name] = []
        elif name and line.strip() and not line.startswith("#"):
            sprites[name].append(line.rstrip())
    return sprites


SPRITES = _read_sprites()


class Canvas:
    def __init__(self, width, height, fill="."):
        self.width, self.height = width, height
        self.pixels = [[COLOUR[fill]] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = COLOUR[colour]

    def get(self, x, y):
        return LETTERS[self.pixels[y][x]] if self.pixels[y][x] != TRANSPARENT else "."

    def rect(self, x, y, w, h, colour):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.put(i, j, colour)

    def frame(self, x, y, w, h, colour, fill=None):
        if fill:
            self.rect(x + 1, y + 1, w - 2, h - 2, fill)
        self.rect(x, y, w, 1, colour)
        self.rect(x, y + h - 1, w, 1, colour)
        self.rect(x, y, 1, h, colour)
        self.rect(x + w - 1, y, 1, h, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for k in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * k / steps), round(y0 + (y1 - y0) * k / steps), colour)

    def disc(self, cx, cy, radius, colour, edge=None):
        """A filled circle centred on (cx, cy), which may lie between pixels (x.5)."""
        for j in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for i in range(int(cx - radius) - 1, int(cx + radius) + 2):
                d2 = (i - cx) ** 2 + (j - cy) ** 2
                if d2 <= radius ** 2:
                    inner = edge and d2 > (radius - 1) ** 2
                    self.put(i, j, edge if inner else colour)

    def sprite(self, name, x, y):
        for j, row in enumerate(SPRITES[name]):
            for i, letter in enumerate(row):
                if letter != ".":
                    self.put(x + i, y + j, letter)

    def text(self, string, x, y, colour, scale=1):
        """Draws the 3 x 5 font, one blank column between glyphs; returns the end x."""
        for char in string:
            if char != " ":
                for j, row in enumerate(FONT[char].split("/")):
                    for i, bit in enumerate(row):
                        if bit == "#":
                            self.rect(x + i * scale, y + j * scale, scale, scale, colour)
            x += 4 * scale
        return x

    def paste(self, other, x, y):
        for j in range(other.height):
            for i in range(other.width):
                if other.pixels[j][i] != TRANSPARENT:
                    self.pixels[y + j][x + i] = other.pixels[j][i]

    def replace(self, old, new):
        for row in self.pixels:
            for i, pixel in enumerate(row):
                if pixel == COLOUR[old]:
                    row[i] = COLOUR[new]


def strip(cells, cell_width, height, fill):
    """Places equal cells side by side: cell n at x = n * cell_width."""
    canvas = Canvas(cell_width * len(cells), height, fill)
    for n, cell in enumerate(cells):
        canvas.paste(cell, n * cell_width, 0)
    return canvas
