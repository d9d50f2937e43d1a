// "PlimButton" (push button with a centred caption) and "PlimBitmapButton" (push button with a
// centred bitmap): a raised 3D body that sinks while pressed, a two-pixel outline when default.
#include "controls/plim32_win.h"
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

using namespace plim;
using namespace win;

namespace {

enum BitmapSlot { BitmapSize = 1, BitmapHandle = 2 };

// Draws the body and returns the inner rectangle; `pressed` tells whether it looks pushed.
RECT PaintPushBody(HWND hwnd, HDC dc, bool* pressed) {
  uint16_t state = State(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  RECT inner = ButtonFace(dc, rc, (state & IsDefault) ? 2 : 1);
  *pressed = LooksPressed(state);
  if (*pressed) {
    PressedEdge(dc, inner);
  } else {
    Draw3DFrame(dc, inner, 2, true);
  }
  return inner;
}

// The w x h rectangle centred in `inner`, one pixel right and down while pressed.
RECT CentredIn(RECT inner, int w, int h, bool pressed) {
  int left = inner.left + (inner.right - inner.left - w) / 2;
  int top = inner.top + (inner.bottom - inner.top - h) / 2;
  RECT r{left, top, left + w + 2, top + h};
  if (pressed) OffsetRect(&r, 1, 1);
  return r;
}

void PaintButton(HWND hwnd) {
  PaintDC dc(hwnd);
  bool pressed;
  RECT inner = PaintPushBody(hwnd, dc, &pressed);
  std::string caption = WindowText(hwnd);
  SIZE size = LabelExtent(dc, caption);
  RECT label = CentredIn(inner, size.cx, size.cy, pressed);
  uint16_t state = State(hwnd);
  DrawLabel(dc, label.left, label.top, -1, 0, caption, nullptr, (state & Disabled) != 0);
  if (state & Focused) DrawFocusAround(dc, label);
}

void PaintBitmapButton(HWND hwnd) {
  PaintDC dc(hwnd);
  bool pressed;
  RECT inner = PaintPushBody(hwnd, dc, &pressed);
  LONG_PTR size = ButtonSlot(hwnd, BitmapSize);
  int w = LOWORD(size), h = HIWORD(size);
  RECT area = CentredIn(inner, w, h, pressed);
  CopyBitmap(dc, HBITMAP(ButtonSlot(hwnd, BitmapHandle)), area.left, area.top, w + 2, h, 0, 0);
  if (State(hwnd) & Focused) DrawFocusAround(dc, area);
}

LRESULT PushDialogCode(HWND hwnd) {
  return DLGC_BUTTON | ((State(hwnd) & IsDefault) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void KeepBitmapParam(HWND hwnd, LPARAM lParam) {
  auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
  auto* param = static_cast<const PlimBitmapCreate*>(create->lpCreateParams);
  if (!param) return;
  SetButtonSlot(hwnd, BitmapSize, MAKELONG(param->Width, param->Height));
  SetButtonSlot(hwnd, BitmapHandle, LONG_PTR(param->Bitmap));
}

// What the two push classes share; `paint` draws the face.
LRESULT PushProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void (*paint)(HWND)) {
  LRESULT result;
  if (HandleClickRelease(hwnd, message, wParam, Click::Push, &result)) return result;
  switch (message) {
    case WM_PAINT:
      paint(hwnd);
      return 0;
    case WM_GETDLGCODE:
      return PushDialogCode(hwnd);
    case WM_ERASEBKGND:
      return 0;
  }
  return ButtonBaseProc(hwnd, message, wParam, lParam);
}

}  // namespace

extern "C" {

LRESULT CALLBACK PlimButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return PushProc(hwnd, message, wParam, lParam, PaintButton);
}

LRESULT CALLBACK PlimBitmapButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) KeepBitmapParam(hwnd, lParam);
  return PushProc(hwnd, message, wParam, lParam, PaintBitmapButton);
}

}  // extern "C"
