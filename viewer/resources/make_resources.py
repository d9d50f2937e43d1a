#!/usr/bin/env python3
"""Draws every picture of ZV32.EXE and writes the files zv32.rc names into images/:
the bitmaps (16-colour or monochrome BMP), the icons (ICO) and the cursors (CUR).

    make_resources.py                 rewrite images/
    make_resources.py --preview DIR   also write each picture enlarged four times as PNG

The generated files are committed, so building the program needs no Python.  Run this again
after changing a picture under art/.
"""
import argparse
from pathlib import Path

from art import formats, preview
from art.toolbar import tool_bar

HERE = Path(__file__).resolve().parent


def bitmaps():
    """(file name, canvas, monochrome) of every bitmap."""
    return [("toolbar.bmp", tool_bar(), False)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", type=Path, help="folder for enlarged PNG copies")
    args = parser.parse_args()
    out = HERE / "images"
    out.mkdir(exist_ok=True)
    for name, canvas, monochrome in bitmaps():
        (out / name).write_bytes(formats.bmp_bytes(canvas, monochrome))
        if args.preview:
            preview.write_png(args.preview / (name[:-4] + ".png"), canvas, 4)


if __name__ == "__main__":
    main()
