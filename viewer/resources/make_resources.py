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

from art import filer, formats, icons, marks, preview
from art.toolbar import tool_bar

HERE = Path(__file__).resolve().parent


def bitmaps():
    """(file name, canvas, monochrome) of every bitmap."""
    return [
        ("toolbar.bmp", tool_bar(), False),
        ("logo.bmp", marks.logo(), True),
        ("flag.bmp", marks.flag_strip(), False),
        ("icon.bmp", filer.entry_icons(), False),
        ("cr.bmp", marks.cr_mark(), True),
        ("tab.bmp", marks.tab_mark(), True),
        ("atoolbar.bmp", filer.archive_tool_bar(), False),
        ("ftoolbar.bmp", filer.filer_tool_bar(), False),
        ("drive.bmp", filer.drive_icons(), False),
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", type=Path, help="folder for enlarged PNG copies")
    args = parser.parse_args()
    out = HERE / "images"
    out.mkdir(exist_ok=True)
    pictures = []
    for name, canvas, monochrome in bitmaps():
        (out / name).write_bytes(formats.bmp_bytes(canvas, monochrome))
        pictures.append((name, canvas))
    for name, images in icons.all_icons():
        (out / (name.lower() + ".ico")).write_bytes(formats.ico_bytes(images))
        pictures += [(f"{name.lower()}_{image.width}.ico", image) for image in images]
    for name, canvas, (hot_x, hot_y) in icons.all_cursors():
        (out / (name.lower() + ".cur")).write_bytes(formats.cur_bytes(canvas, hot_x, hot_y))
        pictures.append((name.lower() + ".cur", canvas))
    if args.preview:
        for name, canvas in pictures:
            preview.write_png(args.preview / (name.replace(".", "_") + ".png"), canvas, 4)


if __name__ == "__main__":
    main()
