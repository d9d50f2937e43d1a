// Two small windows of the settings dialogs: the font sample "ZelkoView!FontWindow", which asks
// its dialog for the font and colours to show, and the colour box "ZelkoView!ColorBox", a
// framed rectangle of one colour.
#pragma once

#include <windows.h>

// What the font sample asks its parent with WM_COMMAND (its own id, lParam one of these); the
// dialog answers through its message result.
enum FontSampleQuery : LPARAM {
  kSampleFontQuery = 0,        // a new font object (the sample deletes it)
  kSampleTextColorQuery = 1,   // the text colour
  kSampleBackColorQuery = 2,   // the background colour
};

LRESULT CALLBACK FontWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_USER with the colour in lParam sets the box's colour (kept in its 4 extra bytes).
constexpr UINT kSetBoxColor = WM_USER;
LRESULT CALLBACK ColorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
