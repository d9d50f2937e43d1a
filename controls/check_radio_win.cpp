// "PlimCheckBox" and "PlimRadio": a 12 x 12 mark from the "Check" or "Radio" bitmap (columns:
// normal, pressed, disabled; rows: clear, checked) beside the caption.
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

using namespace plim;
using namespace win;

namespace {

void PaintMarked(HWND hwnd, HBITMAP marks) {
  PaintDC dc(hwnd);
  uint16_t state = State(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  int column = (state & Disabled) ? 24 : LooksPressed(state) ? 12 : 0;
  int row = (state & Checked) ? 12 : 0;
  CopyBitmap(dc, marks, 0, (rc.bottom - 12) / 2, 12, 12, column, row);

  std::string caption = WindowText(hwnd);
  SIZE size = LabelExtent(dc, caption);
  int top = (rc.bottom - size.cy) / 2;
  RECT label{12, top, size.cx + 14, top + size.cy};
  FrameRect(dc, &label, Lib.faceBrush);
  DrawLabel(dc, 12, top, -1, 0, caption, nullptr, (state & Disabled) != 0);
  if (state & Focused) DrawFocusAround(dc, label);
}

LRESULT MarkedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, HBITMAP marks, Click kind) {
  LRESULT result;
  if (HandleClickRelease(hwnd, message, wParam, kind, &result)) return result;
  switch (message) {
    case WM_PAINT:
      PaintMarked(hwnd, marks);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
  }
  return ButtonBaseProc(hwnd, message, wParam, lParam);
}

}  // namespace

extern "C" {

LRESULT CALLBACK PlimCheckBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return MarkedProc(hwnd, message, wParam, lParam, Lib.check, Click::Toggle);
}

LRESULT CALLBACK PlimRadioProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return MarkedProc(hwnd, message, wParam, lParam, Lib.radio, Click::Radio);
}

}  // extern "C"
