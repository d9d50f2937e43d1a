// Text of the owner-drawn file lists (Zelko Filer and the archive filer), drawn so that every
// underscore shows: some faces draw no ink for "_" at some sizes (their hinting thins the low
// stroke away; under Wine the Japanese system face does so at the lists' 18-pixel cell), which
// turned "a_locale.txt" into "a locale.txt".  Where the selected font leaves "_" blank, each
// underscore is drawn as a bar where the glyph's own box lies.
#pragma once

#include <windows.h>

// TextOutA at (x, y) under the DC's text alignment, then the underscores when the font
// leaves them blank.  Shift-JIS trail bytes 0x5F are not underscores.
void ListTextOut(HDC dc, int x, int y, const char* text, int length);
// Whether the font selected into `dc` draws no ink for "_" (found out once per font).
bool UnderscoreIsBlank(HDC dc);
