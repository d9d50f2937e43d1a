// The passive plim32 controls: captions ("PlimStatic"), sunken trays ("PlimTray"), etched
// dividing lines ("PlimBorder"), the window-corner sizing grip ("PlimSizeGrip") and group
// frames ("PlimGroup").
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

using namespace plim;
using namespace win;

namespace {

RECT ClientRect(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return rc;
}

void PaintStatic(HWND hwnd) {
  PaintDC dc(hwnd);
  RECT rc = ClientRect(hwnd);
  // The class has no background of its own: clear the old caption before drawing the new one.
  FillRect(dc, &rc, Lib.faceBrush);
  std::string caption = WindowText(hwnd);
  SIZE size = LabelExtent(dc, caption);
  COLORREF face = ShadeColor(2);
  bool disabled = !IsWindowEnabled(hwnd);
  switch (GetWindowLongPtrA(hwnd, GWL_STYLE) & 0x0F) {
    case 0:
      DrawLabel(dc, 0, 0, rc.right, rc.bottom, caption, &face, disabled);
      break;
    case 1:
      DrawLabel(dc, (rc.right - (size.cx + 1)) / 2, (rc.bottom - size.cy) / 2, -1, 0, caption, &face,
                disabled);
      break;
    case 2:
      DrawLabel(dc, rc.right - (size.cx + 1), rc.bottom - size.cy, size.cx + 1, size.cy, caption,
                &face, disabled);
      break;
    default:
      break;
  }
}

void PaintBorder(HWND hwnd) {
  PaintDC dc(hwnd);
  RECT rc = ClientRect(hwnd);
  if (rc.bottom > rc.right) {
    LineIn(dc, 3, 0, 0, 0, rc.bottom);
    LineIn(dc, 1, 1, 0, 1, rc.bottom);
  } else {
    LineIn(dc, 3, 0, 0, rc.right, 0);
    LineIn(dc, 1, 0, 1, rc.right, 1);
  }
}

void PaintSizeGrip(HWND hwnd) {
  PaintDC dc(hwnd);
  RECT rc = ClientRect(hwnd);
  FillRect(dc, &rc, Lib.faceBrush);
  int w = rc.right, h = rc.bottom;
  for (int d : {4, 7, 10}) {
    LineIn(dc, 1, w - d, h - 1, w, h - d - 1);
    LineIn(dc, 3, w - d + 1, h - 1, w, h - d);
  }
}

void PaintGroup(HWND hwnd) {
  PaintDC dc(hwnd);
  RECT rc = ClientRect(hwnd);
  LONG units = GetDialogBaseUnits();
  RECT frame{rc.left, rc.top + HIWORD(units) / 2, rc.right - 1, rc.bottom - 1};
  Brush shadow(ShadeBrush(3)), white(ShadeBrush(1));
  FrameRect(dc, &frame, shadow);
  OffsetRect(&frame, 1, 1);
  FrameRect(dc, &frame, white);
  COLORREF face = ShadeColor(2);
  DrawLabel(dc, LOWORD(units), 0, -1, 0, WindowText(hwnd), &face, !IsWindowEnabled(hwnd));
}

}  // namespace

extern "C" {

LRESULT CALLBACK PlimStaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintStatic(hwnd);
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case WM_SETTEXT: {
      LRESULT result = CallWindowProcA(Lib.staticProc, hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      UpdateWindow(hwnd);
      return result;
    }
  }
  return CallWindowProcA(Lib.staticProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PlimTrayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintDC dc(hwnd);
    Draw3DFrame(dc, ClientRect(hwnd), 1, false);
    return 0;
  }
  return CallWindowProcA(Lib.staticProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PlimBorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintBorder(hwnd);
    return 0;
  }
  return CallWindowProcA(Lib.staticProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PlimSizeGripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintSizeGrip(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      SendMessageA(GetParent(hwnd), WM_SYSCOMMAND, 0xF008, lParam);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PlimGroupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintGroup(hwnd);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // extern "C"
