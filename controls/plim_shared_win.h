// What the plim32 window procedures share: the library's process-wide objects (settings,
// bitmaps, face brush, the system classes' procedures and extra sizes), the drawing helpers
// and access to each control's extra window values.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win/owners.h"

#include "controls/plim_logic.h"

namespace plim {

struct Library {
  HINSTANCE instance = nullptr;
  Settings settings;
  win::Bitmap check, radio, saying, spin;
  win::Brush faceBrush;
  WNDPROC staticProc = nullptr, buttonProc = nullptr, dialogProc = nullptr;
  int staticExtra = 0, staticClassExtra = 0, buttonExtra = 0;
};
extern Library Lib;

// Shades: 1 white, 2 button face, 3 button shadow, anything else black.
COLORREF ShadeColor(int shade);
HPEN ShadePen(int shade);
HBRUSH ShadeBrush(int shade);

void Line(HDC dc, int x0, int y0, int x1, int y1);
void LineIn(HDC dc, int shade, int x0, int y0, int x1, int y1);

std::string WindowText(HWND hwnd, int maxBytes = MaxCaptionBytes);
SIZE LabelExtent(HDC dc, const std::string& caption);
// width -1: at (x, y), unclipped.  background nullptr: transparent.
void DrawLabel(HDC dc, int x, int y, int width, int height, const std::string& caption,
               const COLORREF* background, bool disabled);
void Draw3DFrame(HDC dc, RECT rect, int thickness, bool raised);
// The outlined, face-filled body of push-style controls; returns the rectangle inside the outline.
RECT ButtonFace(HDC dc, RECT rect, int outline);
RECT Inset(RECT rect, int by);
// The look of a pushed body: one shadow line along the top (right to left) and down the left.
void PressedEdge(HDC dc, RECT inner);
void CopyBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int sourceX,
                int sourceY, DWORD rop = SRCCOPY);

// Extra window values, as LONG_PTR slots after the copied system class's own bytes.
constexpr int SlotBytes = int(sizeof(LONG_PTR));
LONG_PTR StaticSlot(HWND hwnd, int slot);
void SetStaticSlot(HWND hwnd, int slot, LONG_PTR value);
LONG_PTR ButtonSlot(HWND hwnd, int slot);
void SetButtonSlot(HWND hwnd, int slot, LONG_PTR value);

// The button state word (slot 0 of the button classes).
uint16_t State(HWND hwnd);
// Stores a new word, or new bits; repaints (with erasing) only when the word changes.
void SetState(HWND hwnd, uint16_t state);
void SetStateBits(HWND hwnd, uint16_t bits, bool on);

bool ClassNameIs(HWND hwnd, const char* name, int compared);
void NotifyParent(HWND hwnd);

}  // namespace plim
