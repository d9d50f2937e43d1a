// The font sample and the colour box (see font_window_win.h).
#include "viewer/shell/font_window_win.h"

#include "platform/win/owners.h"

namespace {

constexpr char kSampleText[] = "サンプル文字列";

LRESULT AskParent(HWND window, LPARAM query) {
  return SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), 0), query);
}

void PaintFontSample(HWND window) {
  win::PaintDC dc(window);
  win::Font font(reinterpret_cast<HFONT>(AskParent(window, kSampleFontQuery)));
  const COLORREF back = COLORREF(AskParent(window, kSampleBackColorQuery));
  const COLORREF text = COLORREF(AskParent(window, kSampleTextColorQuery));
  RECT client;
  GetClientRect(window, &client);
  win::Brush brush(CreateSolidBrush(back));
  FillRect(dc, &client, brush);
  win::Selection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  DrawTextA(dc, kSampleText, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintColorBox(HWND window) {
  win::PaintDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  win::Brush fill(CreateSolidBrush(COLORREF(GetWindowLongA(window, 0))));
  win::Pen frame(CreatePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0)));
  win::Selection brush(dc, fill);
  win::Selection pen(dc, frame);
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
}

}  // namespace

LRESULT CALLBACK FontWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintFontSample(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ColorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kSetBoxColor:
      SetWindowLongA(window, 0, LONG(lParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintColorBox(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
