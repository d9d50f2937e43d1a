// The button base: the one state machine under "PlimButton", "PlimCheckBox", "PlimRadio",
// "PlimBitmapButton", "PlimTool" and "PlimSpin" (focus, enabling, the standard button
// messages, space bar and mouse tracking) and the three kinds of click.
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

namespace plim {

namespace {

bool PointInClient(HWND hwnd, LPARAM lParam) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
  return PtInRect(&rc, pt) != FALSE;
}

void CheckRadioGroup(HWND hwnd) {
  HWND dialog = GetParent(hwnd);
  HWND item = hwnd;
  do {
    if (ClassNameIs(item, "PlimRadio", 9))
      SendMessageA(item, BM_SETCHECK, item == hwnd ? 1 : 0, 0);
    item = GetNextDlgGroupItem(dialog, item, TRUE);
  } while (item && item != hwnd);
}

}  // namespace

void ClickButton(HWND hwnd, Click kind) {
  SetState(hwnd, AfterClick(State(hwnd), kind));
  if (kind == Click::Radio) CheckRadioGroup(hwnd);
  NotifyParent(hwnd);
}

bool HandleClickRelease(HWND hwnd, UINT message, WPARAM wParam, Click kind, LRESULT* result) {
  uint16_t state = State(hwnd);
  if (message == BM_CLICK) {
    // The dialog manager's click for a mnemonic (and any program's): as a press and release
    // of the left button, so the control takes the focus first (a tool button never does).
    if (!(state & Disabled)) {
      if (GetFocus() != hwnd && !ClassNameIs(hwnd, "PlimTool", 9)) SetFocus(hwnd);
      ClickButton(hwnd, kind);
    }
    *result = 0;
    return true;
  }
  if (message == WM_KEYUP && wParam == VK_SPACE && (state & Pressed)) {
    ClickButton(hwnd, kind);
    *result = 0;
    return true;
  }
  if (message == WM_LBUTTONUP && (state & Tracking)) {
    ReleaseCapture();
    Release release = OnTrackingRelease(State(hwnd));
    if (release.clicked)
      ClickButton(hwnd, kind);
    else
      SetState(hwnd, release.state);
    *result = 0;
    return true;
  }
  return false;
}

LRESULT ButtonBaseProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  uint16_t state = State(hwnd);
  switch (message) {
    case WM_CREATE: {
      LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
      SetButtonSlot(hwnd, 0, InitialButtonState(uint32_t(style), (style & WS_DISABLED) != 0));
      return 0;
    }
    case WM_SETFOCUS:
      SetStateBits(hwnd, Focused, true);
      return 0;
    case WM_KILLFOCUS:
      SetStateBits(hwnd, Focused, false);
      return 0;
    case WM_ENABLE:
      SetStateBits(hwnd, Disabled, !wParam);
      return 0;
    case BM_GETCHECK:
      return (state & Checked) ? 1 : 0;
    case BM_SETCHECK:
      SetStateBits(hwnd, Checked, wParam != 0);
      return 0;
    case BM_GETSTATE:
      return LRESULT(ReportedButtonState(state));
    case BM_SETSTATE:
      SetStateBits(hwnd, Pressed, wParam != 0);
      return 0;
    case BM_SETSTYLE:
      SetButtonSlot(hwnd, 0, WithBits(state, IsDefault, wParam == 1));
      if (LOWORD(lParam)) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SetState(hwnd, OnSpaceDown(state));
      return 0;
    case WM_MOUSEMOVE:
      if (state & Tracking) SetStateBits(hwnd, Outside, !PointInClient(hwnd, lParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!(state & Pressed)) {
        if (GetFocus() != hwnd) SetFocus(hwnd);
        SetStateBits(hwnd, Tracking, true);
        SetCapture(hwnd);
      }
      return 0;
    case WM_USER + 99:
      return CallWindowProcA(Lib.buttonProc, hwnd, message, wParam, lParam);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void DrawFocusAround(HDC dc, RECT label) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &label);
}

}  // namespace plim
