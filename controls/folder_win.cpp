// "PlimFolder": a row of tabs over a framed page area.  The folder holds no pages: on a change
// of tab it posts its parent WM_VSCROLL (hide the old page) and WM_HSCROLL (show the new one).
// The page area is transparent to the mouse, so the page's own controls get their clicks.
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

using namespace plim;
using namespace win;

namespace {

enum FolderSlot { Selected, HasFocus };

int CaptionHeight(HWND hwnd) { return int(GetClassLongPtrA(hwnd, Lib.staticClassExtra)); }

void MeasureCaptionHeight(HWND hwnd) {
  WindowDC dc(hwnd);
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, "TEST", 4, &size);
  SetClassLongPtrA(hwnd, Lib.staticClassExtra, size.cy);
}

struct Tabs {
  std::vector<std::string> captions;
  std::vector<int> edges;
};

Tabs ReadTabs(HWND hwnd, HDC dc) {
  Tabs tabs;
  tabs.captions = SplitTabCaptions(WindowText(hwnd, MaxFolderTextBytes));
  std::vector<int> widths;
  for (const std::string& caption : tabs.captions) widths.push_back(LabelExtent(dc, caption).cx);
  tabs.edges = TabEdges(widths);
  return tabs;
}

void InvalidateStrip(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  rc.bottom = FolderStripBottom(CaptionHeight(hwnd));
  InvalidateRect(hwnd, &rc, TRUE);
}

void PaintPageFrame(HDC dc, RECT frame) {
  Brush black(ShadeBrush(0));
  FrameRect(dc, &frame, black);
  COLORREF face = ShadeColor(2);
  SetPixel(dc, frame.left, frame.top, face);
  SetPixel(dc, frame.right - 1, frame.top, face);
  SetPixel(dc, frame.left, frame.bottom - 1, face);
  SetPixel(dc, frame.right - 1, frame.bottom - 1, face);
  RECT in = Inset(frame, 1);
  LineIn(dc, 1, in.left, in.bottom - 1, in.left, in.top);
  LineIn(dc, 1, in.left, in.top, in.right, in.top);
  LineIn(dc, 3, in.left, in.bottom - 1, in.right - 1, in.bottom - 1);
  LineIn(dc, 3, in.right - 1, in.bottom - 1, in.right - 1, in.top);
}

void PaintTab(HWND hwnd, HDC dc, const std::string& caption, int x, int m, int top, bool selected) {
  int y0 = selected ? 0 : 1;
  if (!selected) LineIn(dc, 2, x, 0, m, 0);
  {
    Pen black(ShadePen(0));
    Selection use(dc, black);
    Line(dc, x, top, x, y0);
    Line(dc, x + 1, y0, m, y0);
    Line(dc, m, y0 + 1, m, top);
  }
  RECT fill{x + 1, y0 + 1, m, selected ? top + 2 : top};
  FillRect(dc, &fill, Lib.faceBrush);
  if (!selected) {
    SavedDC keep(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutA(dc, x + 6, 5, caption.c_str(), int(caption.size()));
    return;
  }
  LineIn(dc, 1, x + 1, top + 1, x + 1, y0 + 1);
  LineIn(dc, 1, x + 1, y0 + 1, m - 1, y0 + 1);
  LineIn(dc, 3, m - 1, y0 + 2, m - 1, top + 2);
  DrawLabel(dc, x + 4, 3, -1, 0, caption, nullptr, !IsWindowEnabled(hwnd));
  if (StaticSlot(hwnd, HasFocus)) {
    SIZE size = LabelExtent(dc, caption);
    RECT focus{x + 4, 3, x + 4 + size.cx + 1, 3 + size.cy + 1};
    DrawFocusAround(dc, focus);
  }
}

void PaintFolder(HWND hwnd) {
  PaintDC dc(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  int top = FolderPageTop(CaptionHeight(hwnd));
  PaintPageFrame(dc, RECT{rc.left, top, rc.right, rc.bottom});
  Tabs tabs = ReadTabs(hwnd, dc);
  int selected = int(StaticSlot(hwnd, Selected));
  for (size_t i = 0; i < tabs.captions.size(); ++i)
    PaintTab(hwnd, dc, tabs.captions[i], tabs.edges[i], tabs.edges[i + 1], top, int(i) == selected);
}

LRESULT SelectTab(HWND hwnd, int oneBased) {
  int old = int(StaticSlot(hwnd, Selected));
  if (oneBased == old + 1) return 0;
  HWND parent = GetParent(hwnd);
  PostMessageA(parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, old + 1), LPARAM(hwnd));
  PostMessageA(parent, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, oneBased), LPARAM(hwnd));
  SetStaticSlot(hwnd, Selected, oneBased - 1);
  InvalidateStrip(hwnd);
  return 0;
}

int TabCount(HWND hwnd) {
  return int(SplitTabCaptions(WindowText(hwnd, MaxFolderTextBytes)).size());
}

void ClickTabs(HWND hwnd, LPARAM lParam) {
  SetFocus(hwnd);
  int x = short(LOWORD(lParam));
  if (x < FirstTabX) return;
  WindowDC dc(hwnd);
  int tab = TabAtX(ReadTabs(hwnd, dc).edges, x);
  if (tab >= 0) SendMessageA(hwnd, BM_SETSTATE, WPARAM(tab + 1), 0);
}

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
  POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
  ScreenToClient(hwnd, &pt);
  return pt.y >= FolderPageTop(CaptionHeight(hwnd)) ? HTTRANSPARENT : HTCLIENT;
}

}  // namespace

extern "C" LRESULT CALLBACK PlimFolderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetStaticSlot(hwnd, Selected, 0);
      MeasureCaptionHeight(hwnd);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SetStaticSlot(hwnd, HasFocus, message == WM_SETFOCUS);
      InvalidateStrip(hwnd);
      return 0;
    case WM_PAINT:
      PaintFolder(hwnd);
      return 0;
    case WM_NCHITTEST:
      return HitTest(hwnd, lParam);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case BM_GETSTATE:
      return StaticSlot(hwnd, Selected) + 1;
    case BM_SETSTATE:
      return SelectTab(hwnd, int(wParam));
    case WM_KEYDOWN:
      if (wParam == VK_LEFT || wParam == VK_RIGHT) {
        int next = WrappedTab(int(StaticSlot(hwnd, Selected)), TabCount(hwnd), wParam == VK_LEFT ? -1 : 1);
        SendMessageA(hwnd, BM_SETSTATE, WPARAM(next + 1), 0);
      }
      return 0;
    case WM_LBUTTONDOWN:
      ClickTabs(hwnd, lParam);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
