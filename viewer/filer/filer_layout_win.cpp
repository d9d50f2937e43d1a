// Zelko Filer's layout: where the list, the drive bar or drive combo box and the status line
// stand for a client size, in the vertical and the horizontal layout, and the sunken frame
// painted round the list.
#include <algorithm>

#include "platform/win/owners.h"
#include "viewer/filer/filer_parts_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kToolBarBottom = 23;
constexpr int kSizeGripWidth = 10;
constexpr int kComboDropHeight = 240;

void Place(HWND filer, int id, int x, int y, int width, int height) {
  if (HWND child = GetDlgItem(filer, id)) MoveWindow(child, x, y, std::max(width, 0), std::max(height, 0), TRUE);
}

int StatusHeight() {
  int base = FilerBaseUnitY();
  return ShowDriveBar ? base + 2 : base * 3 / 2 + 1;
}

void Line(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2) {
  win::Pen pen(CreatePen(PS_SOLID, 1, colour));
  win::Selection selected(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// One ring of the frame: `topLeft` on the top and left edges, `bottomRight` on the others.
void FrameRing(HDC dc, RECT r, COLORREF topLeft, COLORREF bottomRight) {
  Line(dc, topLeft, r.left, r.bottom - 1, r.left, r.top);
  Line(dc, topLeft, r.left, r.top, r.right, r.top);
  Line(dc, bottomRight, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
  Line(dc, bottomRight, r.left, r.bottom - 1, r.right, r.bottom - 1);
}

}  // namespace

// A drive cell of the drive bar, from the letter "W" of the main window's font.
SIZE DriveCellSize() { return SIZE{FilerLetterWidth + 25, std::max(FilerLetterHeight, 16) + 6}; }

void LayoutFiler(HWND filer, int width, int height) {
  const SIZE cell = DriveCellSize();
  const int status = StatusHeight();
  const int bottomMargin = status + 4;
  const int comboWidth = ShowDriveBar ? 0 : 10 * FilerBaseUnitX() + 1;
  const bool barOnTop = ShowDriveBar && FilerVertical;
  const bool barOnLeft = ShowDriveBar && !FilerVertical;
  int top = kToolBarBottom + 2 + (barOnTop ? cell.cy : 0);
  int left = 2 + (barOnLeft ? cell.cx : 0);
  Place(filer, IDC_FILER_LIST, left, top, width - 2 - left, height - bottomMargin - top);
  if (barOnTop) Place(filer, IDC_FILER_DRIVE_BAR, 0, kToolBarBottom, width, cell.cy);
  if (barOnLeft) Place(filer, IDC_FILER_DRIVE_BAR, 0, kToolBarBottom, cell.cx, height - bottomMargin - kToolBarBottom);
  const int y = height - status - 1;
  if (HWND combo = GetDlgItem(filer, IDC_FILER_DRIVES)) {
    bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    MoveWindow(combo, 1, y - 1, comboWidth, kComboDropHeight, TRUE);
    if (dropped) SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  }
  const int x = comboWidth + 2;
  Place(filer, IDC_FILER_STATUS_FRAME, x, y, width - x - kSizeGripWidth - 1, status);
  Place(filer, IDC_FILER_STATUS, x + 2, y + 1, width - x - kSizeGripWidth - 5, status - 2);
  Place(filer, IDC_FILER_SIZE_GRIP, width - kSizeGripWidth, y, kSizeGripWidth, status + 1);
  InvalidateRect(filer, nullptr, TRUE);
}

void PaintFilerFrame(HWND filer, HDC dc) {
  HWND list = FilerList(filer);
  if (!list) return;
  RECT r;
  GetWindowRect(list, &r);
  MapWindowPoints(nullptr, filer, reinterpret_cast<POINT*>(&r), 2);
  InflateRect(&r, 1, 1);
  FrameRing(dc, r, RGB(0, 0, 0), GetSysColor(COLOR_BTNFACE));
  InflateRect(&r, 1, 1);
  FrameRing(dc, r, GetSysColor(COLOR_BTNSHADOW), RGB(255, 255, 255));
}
