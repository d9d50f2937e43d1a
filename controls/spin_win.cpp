// "PlimSpin": two stacked arrow buttons that step the number in the entry field before them
// (buddy mode, created with style 1) within a range, or report each step to the parent; a
// press steps at once, again after 400 ms and then every 100 ms until released.
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

#include <cstdio>

using namespace plim;
using namespace win;

namespace {

enum SpinSlot { SpinRangeSlot = 1 };

SpinRange RangeOf(HWND hwnd) { return SpinRangeFromParam(uint32_t(ButtonSlot(hwnd, SpinRangeSlot))); }

bool InUpperHalf(HWND hwnd, LPARAM lParam) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return short(HIWORD(lParam)) < rc.bottom / 2;
}

void Step(HWND hwnd) {
  uint16_t state = State(hwnd);
  bool upward = (state & UpperHalf) != 0;
  if (!(state & IsDefault)) {
    PostMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), upward ? 1 : 0xFFFF),
                 LPARAM(hwnd));
    return;
  }
  HWND buddy = GetWindow(hwnd, GW_HWNDPREV);
  if (!buddy) return;
  bool stepping = (state & Tracking) && !(state & Outside);
  long value = SpinBuddyValue(WindowText(buddy, 63), stepping, upward, RangeOf(hwnd));
  char text[24];
  std::snprintf(text, sizeof text, "%ld", value);
  SetWindowTextA(buddy, text);
}

void FitSize(HWND hwnd, const CREATESTRUCTA* create) {
  Size size = SpinCreateSize(create->cy);
  SetWindowPos(hwnd, nullptr, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintHalf(HDC dc, RECT half, bool pressed, int arrowX) {
  int offset = 0;
  if (pressed) {
    PressedEdge(dc, half);
    offset = 1;
  } else {
    Draw3DFrame(dc, half, 1, true);
    Pen shadow(ShadePen(3));
    Selection use(dc, shadow);
    MoveToEx(dc, half.left + 1, half.bottom - 2, nullptr);
    LineTo(dc, half.right - 2, half.bottom - 2);
    LineTo(dc, half.right - 2, half.top);
  }
  int x = offset + (half.left + half.right - 10) / 2 + 1;
  int y = offset + (half.top + half.bottom - 9) / 2 + 1;
  CopyBitmap(dc, Lib.spin, x, y, 7, 6, arrowX, 0);
}

void PaintSpin(HWND hwnd) {
  PaintDC dc(hwnd);
  uint16_t state = State(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  RECT inner = ButtonFace(dc, rc, 1);
  int middle = (inner.top + inner.bottom) / 2;
  bool held = (state & Tracking) && !(state & Outside);
  bool upper = (state & UpperHalf) != 0;
  PaintHalf(dc, RECT{inner.left, inner.top, inner.right, middle}, held && upper, 0);
  PaintHalf(dc, RECT{inner.left, middle, inner.right, inner.bottom}, held && !upper, 7);
}

void StopTimers(HWND hwnd) {
  KillTimer(hwnd, SpinRepeatTimer);
  KillTimer(hwnd, SpinDelayTimer);
}

}  // namespace

extern "C" LRESULT CALLBACK PlimSpinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  uint16_t state = State(hwnd);
  switch (message) {
    case WM_CREATE:
      FitSize(hwnd, reinterpret_cast<CREATESTRUCTA*>(lParam));
      SetButtonSlot(hwnd, SpinRangeSlot, MAKELONG(0, 99));
      break;
    case BM_SETSTYLE:
      SetButtonSlot(hwnd, SpinRangeSlot, LONG_PTR(DWORD(lParam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetStateBits(hwnd, UpperHalf, InUpperHalf(hwnd, lParam));
      if (!(state & Pressed)) {
        PostMessageA(hwnd, WM_TIMER, 0, 0);
        SetTimer(hwnd, SpinDelayTimer, SpinFirstDelayMs, nullptr);
      }
      break;
    case WM_MOUSEMOVE:
      if (state & Tracking) SetStateBits(hwnd, UpperHalf, InUpperHalf(hwnd, lParam));
      break;
    case WM_TIMER:
      Step(hwnd);
      if (wParam == SpinDelayTimer) {
        KillTimer(hwnd, SpinDelayTimer);
        SetTimer(hwnd, SpinRepeatTimer, SpinRepeatMs, nullptr);
      }
      return 0;
    case WM_LBUTTONUP:
      if (state & Tracking) {
        ReleaseCapture();
        StopTimers(hwnd);
        SetStateBits(hwnd, Tracking | Outside, false);
      }
      return 0;
    case WM_DESTROY:
      StopTimers(hwnd);
      break;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT:
      PaintSpin(hwnd);
      return 0;
  }
  return ButtonBaseProc(hwnd, message, wParam, lParam);
}
