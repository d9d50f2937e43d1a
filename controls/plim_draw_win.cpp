// The drawing helpers every plim32 control paints with: shades, lines, caption measuring and
// drawing (embossed when "GiraGira" is on, grey when disabled), 3D frames and the push-style body.
#include "platform/win/owners.h"
#include "controls/plim_shared_win.h"

namespace plim {
using namespace win;

COLORREF ShadeColor(int shade) {
  switch (shade) {
    case 1: return RGB(255, 255, 255);
    case 2: return GetSysColor(COLOR_BTNFACE);
    case 3: return GetSysColor(COLOR_BTNSHADOW);
    default: return RGB(0, 0, 0);
  }
}

HPEN ShadePen(int shade) { return CreatePen(PS_SOLID, 1, ShadeColor(shade)); }
HBRUSH ShadeBrush(int shade) { return CreateSolidBrush(ShadeColor(shade)); }

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void LineIn(HDC dc, int shade, int x0, int y0, int x1, int y1) {
  Pen pen(ShadePen(shade));
  Selection use(dc, pen);
  Line(dc, x0, y0, x1, y1);
}

std::string WindowText(HWND hwnd, int maxBytes) {
  std::string text(size_t(maxBytes) + 1, '\0');
  int length = GetWindowTextA(hwnd, text.data(), maxBytes + 1);
  text.resize(length > 0 ? size_t(length) : 0);
  return text;
}

SIZE LabelExtent(HDC dc, const std::string& caption) {
  std::string shown = StripMnemonics(caption);
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, shown.c_str(), int(shown.size()), &size);
  if (shown.empty()) {
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    size.cy = metrics.tmHeight;
  }
  return size;
}

static void DrawCaptionOnce(HDC dc, int x, int y, int width, int height, const std::string& caption,
                            bool disabled) {
  if (disabled) {
    std::string shown = StripMnemonics(caption);
    RECT clip{x, y, x + width, y + height};
    UINT options = width < 0 ? 0 : ETO_CLIPPED;
    ExtTextOutA(dc, x, y, options, &clip, shown.c_str(), UINT(shown.size()), nullptr);
    return;
  }
  RECT rect{x, y, width < 0 ? x : x + width, width < 0 ? y : y + height};
  DrawTextA(dc, caption.c_str(), int(caption.size()), &rect, width < 0 ? DT_NOCLIP : 0);
}

void DrawLabel(HDC dc, int x, int y, int width, int height, const std::string& caption,
               const COLORREF* background, bool disabled) {
  SavedDC keep(dc);
  if (background) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, *background);
  } else {
    SetBkMode(dc, TRANSPARENT);
  }
  if (Lib.settings.GiraGira) {
    SetTextColor(dc, RGB(255, 255, 255));
    DrawCaptionOnce(dc, x, y, width, height, caption, false);
    SetBkMode(dc, TRANSPARENT);  // the second copy must not cover the white one
    ++x;
    ++y;
  }
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawCaptionOnce(dc, x, y, width, height, caption, disabled);
}

void Draw3DFrame(HDC dc, RECT rect, int thickness, bool raised) {
  int rings = FrameRingCount(thickness, rect.right - rect.left, rect.bottom - rect.top);
  Pen white(ShadePen(1)), shadow(ShadePen(3));
  SavedDC keep(dc);
  for (int ring = 0; ring < rings; ++ring) {
    RECT r = Inset(rect, ring);
    SelectObject(dc, raised ? white : shadow);
    MoveToEx(dc, r.left, r.bottom - 2, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, raised ? shadow : white);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.right - 1, r.top - 1);
  }
}

RECT Inset(RECT rect, int by) {
  return RECT{rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void PressedEdge(HDC dc, RECT inner) {
  Pen shadow(ShadePen(3));
  Selection use(dc, shadow);
  MoveToEx(dc, inner.right - 1, inner.top, nullptr);
  LineTo(dc, inner.left, inner.top);
  LineTo(dc, inner.left, inner.bottom);
}

RECT ButtonFace(HDC dc, RECT rect, int outline) {
  Brush black(ShadeBrush(0));
  FillRect(dc, &rect, black);
  RECT inner = Inset(rect, outline);
  FillRect(dc, &inner, Lib.faceBrush);
  COLORREF face = ShadeColor(2);
  SetPixel(dc, rect.left, rect.top, face);
  SetPixel(dc, rect.right - 1, rect.top, face);
  SetPixel(dc, rect.left, rect.bottom - 1, face);
  SetPixel(dc, rect.right - 1, rect.bottom - 1, face);
  return inner;
}

void CopyBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int sourceX,
                int sourceY, DWORD rop) {
  if (!bitmap) return;
  MemoryDC memory(dc);
  Selection use(memory, bitmap);
  BitBlt(dc, x, y, width, height, memory, sourceX, sourceY, rop);
}

LONG_PTR StaticSlot(HWND hwnd, int slot) {
  return GetWindowLongPtrA(hwnd, Lib.staticExtra + slot * SlotBytes);
}
void SetStaticSlot(HWND hwnd, int slot, LONG_PTR value) {
  SetWindowLongPtrA(hwnd, Lib.staticExtra + slot * SlotBytes, value);
}
LONG_PTR ButtonSlot(HWND hwnd, int slot) {
  return GetWindowLongPtrA(hwnd, Lib.buttonExtra + slot * SlotBytes);
}
void SetButtonSlot(HWND hwnd, int slot, LONG_PTR value) {
  SetWindowLongPtrA(hwnd, Lib.buttonExtra + slot * SlotBytes, value);
}

uint16_t State(HWND hwnd) { return uint16_t(ButtonSlot(hwnd, 0)); }

void SetState(HWND hwnd, uint16_t state) {
  if (state == State(hwnd)) return;
  SetButtonSlot(hwnd, 0, state);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void SetStateBits(HWND hwnd, uint16_t bits, bool on) { SetState(hwnd, WithBits(State(hwnd), bits, on)); }

bool ClassNameIs(HWND hwnd, const char* name, int compared) {
  char cls[64] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  return _strnicmp(cls, name, size_t(compared)) == 0;
}

void NotifyParent(HWND hwnd) {
  SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0), LPARAM(hwnd));
}

}  // namespace plim
