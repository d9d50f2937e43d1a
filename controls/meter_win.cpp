// "PlimMeter": a sunken progress bar with a centred percentage whose digits take the
// background colour where the bar runs under them.  It reuses the button message numbers.
#include "controls/plim32_win.h"
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

using namespace plim;
using namespace win;

namespace {

enum MeterSlot { Position, Maximum, BarColour, BackColour };

void PaintMeter(HWND hwnd) {
  PaintDC dc(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  Draw3DFrame(dc, rc, 1, false);
  RECT inner = Inset(rc, 1);
  unsigned position = unsigned(StaticSlot(hwnd, Position));
  unsigned maximum = unsigned(StaticSlot(hwnd, Maximum));
  COLORREF bar = COLORREF(StaticSlot(hwnd, BarColour));
  COLORREF back = COLORREF(StaticSlot(hwnd, BackColour));
  int e = MeterBarEnd(inner.left, inner.right, position, maximum);

  RECT filled{inner.left, inner.top, e, inner.bottom}, rest{e, inner.top, inner.right, inner.bottom};
  Brush barBrush(CreateSolidBrush(bar)), backBrush(CreateSolidBrush(back));
  FillRect(dc, &filled, barBrush);
  FillRect(dc, &rest, backBrush);

  std::string text = MeterPercentText(position, maximum);
  SavedDC keep(dc);
  SetBkMode(dc, TRANSPARENT);
  const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  SetTextColor(dc, bar);
  DrawTextA(dc, text.c_str(), int(text.size()), &inner, centred);
  IntersectClipRect(dc, filled.left, filled.top, filled.right, filled.bottom);
  SetTextColor(dc, back);
  DrawTextA(dc, text.c_str(), int(text.size()), &inner, centred);
}

}  // namespace

extern "C" LRESULT CALLBACK PlimMeterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetStaticSlot(hwnd, Position, 50);
      SetStaticSlot(hwnd, Maximum, 100);
      SetStaticSlot(hwnd, BarColour, LONG_PTR(GetSysColor(COLOR_ACTIVECAPTION)));
      SetStaticSlot(hwnd, BackColour, LONG_PTR(RGB(255, 255, 255)));
      return 0;
    case BM_SETSTATE:
      SetStaticSlot(hwnd, Position, LONG_PTR(WORD(wParam)));
      return 0;
    case BM_GETSTATE:
      return StaticSlot(hwnd, Position);
    case BM_SETCHECK:
      SetStaticSlot(hwnd, Position, LONG_PTR(WORD(StaticSlot(hwnd, Position) + 1)));
      return 0;
    case BM_SETSTYLE:
      SetStaticSlot(hwnd, Maximum, LONG_PTR(WORD(wParam)));
      return 0;
    case BM_GETCHECK:
      SetStaticSlot(hwnd, BarColour, LONG_PTR(DWORD(lParam)));
      return 0;
    case PLIM_METER_SETBACKGROUND:
      SetStaticSlot(hwnd, BackColour, LONG_PTR(DWORD(lParam)));
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT:
      PaintMeter(hwnd);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
