// "PlimTool": a tool-bar button showing one 20 x 16 image of a strip.  It never takes the
// focus, can latch (style bit 0 or 2), tells its parent when the mouse moves over it, and a
// latched button shows its image over a dotted background.
#include "controls/plim32_win.h"
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

using namespace plim;
using namespace win;

namespace {

enum ToolSlot { ToolStrip = 1, ToolIndex = 2 };
constexpr int ImageWidth = 20, ImageHeight = 16;

HBRUSH DottedBrush() {
  static const WORD rows[8] = {0xAA, 0x00, 0x55, 0x00, 0xAA, 0x00, 0x55, 0x00};
  Bitmap pattern(CreateBitmap(8, 8, 1, 1, rows));
  return CreatePatternBrush(pattern);
}

// The image over what is already there, with its button-face pixels left transparent.
void DrawImageTransparent(HDC dc, HDC image, int x, int y, int sourceX) {
  MemoryDC maskDC(dc), copyDC(dc);
  Bitmap mask(CreateBitmap(ImageWidth, ImageHeight, 1, 1, nullptr));
  Bitmap copy(CreateCompatibleBitmap(dc, ImageWidth, ImageHeight));
  Selection useMask(maskDC, mask), useCopy(copyDC, copy);
  SetBkColor(image, ShadeColor(2));
  BitBlt(maskDC, 0, 0, ImageWidth, ImageHeight, image, sourceX, 0, SRCCOPY);
  BitBlt(copyDC, 0, 0, ImageWidth, ImageHeight, image, sourceX, 0, SRCCOPY);
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, ImageWidth, ImageHeight, maskDC, 0, 0, SRCAND);
  SetBkColor(copyDC, RGB(255, 255, 255));
  SetTextColor(copyDC, RGB(0, 0, 0));
  BitBlt(copyDC, 0, 0, ImageWidth, ImageHeight, maskDC, 0, 0, 0x00220326);  // DSna
  BitBlt(dc, x, y, ImageWidth, ImageHeight, copyDC, 0, 0, SRCPAINT);
}

void PaintTool(HWND hwnd) {
  PaintDC dc(hwnd);
  uint16_t state = State(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  RECT inner = ButtonFace(dc, rc, 1);
  bool pressed = LooksPressed(state), latched = (state & Checked) != 0;
  int offset = 2;
  if (pressed || latched) {
    PressedEdge(dc, inner);
    offset = 3;
  } else {
    Draw3DFrame(dc, inner, 2, true);
  }
  HBITMAP strip = HBITMAP(ButtonSlot(hwnd, ToolStrip));
  if (!strip) return;
  int sourceX = int(ButtonSlot(hwnd, ToolIndex)) * ImageWidth;
  MemoryDC image(dc);
  Selection useImage(image, strip);
  if (!latched || pressed) {
    BitBlt(dc, offset, offset, ImageWidth, ImageHeight, image, sourceX, 0, SRCCOPY);
    return;
  }
  Brush dots(DottedBrush());
  SavedDC keep(dc);
  SetTextColor(dc, ShadeColor(2));
  SetBkColor(dc, RGB(255, 255, 255));
  RECT area{offset, offset, offset + ImageWidth, offset + ImageHeight};
  FillRect(dc, &area, dots);
  DrawImageTransparent(dc, image, offset, offset, sourceX);
}

void KeepToolParam(HWND hwnd, LPARAM lParam) {
  auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
  auto* param = static_cast<const PlimToolCreate*>(create->lpCreateParams);
  if (!param) return;
  SetButtonSlot(hwnd, ToolStrip, LONG_PTR(param->Strip));
  SetButtonSlot(hwnd, ToolIndex, param->Index);
}

}  // namespace

extern "C" LRESULT CALLBACK PlimToolButtonProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  LRESULT result;
  Click kind = ToolButtonClick(uint32_t(GetWindowLongPtrA(hwnd, GWL_STYLE)));
  if (HandleClickRelease(hwnd, message, wParam, kind, &result)) return result;
  switch (message) {
    case WM_CREATE:
      KeepToolParam(hwnd, lParam);
      break;
    case WM_PAINT:
      PaintTool(hwnd);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_ERASEBKGND:
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!(State(hwnd) & Pressed)) {
        SetStateBits(hwnd, Tracking, true);
        SetCapture(hwnd);
      }
      return 0;
    case WM_MOUSEMOVE:
      SendMessageA(GetParent(hwnd), WM_PARENTNOTIFY,
                   WPARAM((UINT_PTR(GetDlgCtrlID(hwnd)) << 16) + WM_MOUSEMOVE), LPARAM(hwnd));
      break;
  }
  return ButtonBaseProc(hwnd, message, wParam, lParam);
}
