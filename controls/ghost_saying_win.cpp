// "PlimGhost", an invisible control that takes files dropped on its area, and "PlimSaying",
// a speech-balloon text with a pointer at its left.
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

#include <shellapi.h>

using namespace plim;
using namespace win;

namespace {

constexpr int MaxDropPath = 256;
constexpr int MaxSayingText = 255;

void TakeDrop(HWND hwnd, HDROP drop) {
  char path[MaxDropPath + 1] = "";
  if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0) DragQueryFileA(drop, 0, path, sizeof path);
  DragFinish(drop);
  if (GetWindowLongPtrA(hwnd, GWL_STYLE) & 1) {
    HWND next = GetWindow(hwnd, GW_HWNDNEXT);
    if (next) SetWindowTextA(next, path);
    return;
  }
  SendMessageA(GetParent(hwnd), WM_COMMAND, WPARAM(path), LPARAM(hwnd));
}

void PaintSaying(HWND hwnd) {
  PaintDC dc(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  LONG units = GetDialogBaseUnits();
  int bx = LOWORD(units), by = HIWORD(units);
  {
    Pen black(ShadePen(0));
    Brush white(ShadeBrush(1));
    Selection pen(dc, black), brush(dc, white);
    RoundRect(dc, 11, 0, rc.right, rc.bottom, bx, by / 2);
  }
  CopyBitmap(dc, Lib.saying, 0, by / 2, 16, 16, 0, 16, SRCAND);
  CopyBitmap(dc, Lib.saying, 0, by / 2, 16, 16, 0, 0, SRCPAINT);

  std::string text = WindowText(hwnd, MaxSayingText);
  RECT box{16, by / 4, rc.right - bx, rc.bottom - by / 4};
  const UINT format = DT_WORDBREAK | DT_NOPREFIX;
  RECT measured = box;
  DrawTextA(dc, text.c_str(), int(text.size()), &measured, format | DT_CALCRECT);
  int spare = (box.bottom - box.top) - (measured.bottom - measured.top);
  if (spare > 0) InflateRect(&box, 0, -spare / 2);
  SavedDC keep(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, text.c_str(), int(text.size()), &box, format);
}

}  // namespace

extern "C" {

LRESULT CALLBACK PlimGhostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      DragAcceptFiles(hwnd, TRUE);
      return 0;
    case WM_DESTROY:
      DragAcceptFiles(hwnd, FALSE);
      return 0;
    case WM_PAINT: {
      PaintDC dc(hwnd);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_DROPFILES:
      TakeDrop(hwnd, HDROP(wParam));
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PlimSayingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintSaying(hwnd);
      return 0;
    case WM_SETTEXT:
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // extern "C"
