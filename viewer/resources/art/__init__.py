"""Pixel-art drawing of the viewer's bitmaps, icons and cursors (see make_resources.py)."""
