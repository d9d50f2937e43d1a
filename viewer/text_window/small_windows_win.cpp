// The search-position tab and the mark strip of the main window (see small_windows_win.h).
#include "viewer/text_window/small_windows_win.h"

#include "platform/win/owners.h"
#include "viewer/document/document.h"
#include "viewer/document/row_layout.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/text_window/mark_commands_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kPosProperty[] = "Pos";
constexpr char kSelectModeProperty[] = "SelectMode";
constexpr char kLineProperty[] = "Line";
constexpr int32_t kDefaultSearchPos = 5;

INT_PTR Property(HWND window, const char* name) { return INT_PTR(GetPropA(window, name)); }
void SetProperty(HWND window, const char* name, INT_PTR value) {
  SetPropA(window, name, reinterpret_cast<HANDLE>(value));
}

// The text window's rectangle in the main window's client coordinates.
RECT TextWindowArea() {
  RECT area{};
  if (!TextWindow) return area;
  GetWindowRect(TextWindow, &area);
  MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

int32_t RowHeightOrOne() { return TheDocument.RowHeight > 0 ? TheDocument.RowHeight : 1; }

// ---- search-position tab ----

void PaintLeftTab(HWND window) {
  win::PaintDC paint(window);
  RECT client;
  GetClientRect(window, &client);
  int32_t row = TheDocument.TopLine + int32_t(Property(window, kPosProperty));
  bool inverted = row < TheDocument.RowCount && SelectedBytesOfRow(TheDocument.Selection, row).WholeRow();
  COLORREF back = inverted ? (BackColor ^ 0xFFFFFF) : BackColor;
  win::Brush backBrush(CreateSolidBrush(back));
  FillRect(paint, &client, backBrush.get());
  int h = client.bottom;
  POINT triangle[3] = {{0, 0}, {h / 2, h / 2}, {0, h - 1}};
  win::Brush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  win::Pen facePen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
  {
    win::Selection brush(paint, face.get());
    win::Selection pen(paint, facePen.get());
    Polygon(paint, triangle, 3);
  }
  win::Pen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  win::Selection pen(paint, shadow.get());
  MoveToEx(paint, h / 2 - 1, h / 2, nullptr);
  LineTo(paint, 0, h - 2);
  SelectObject(paint, GetStockObject(BLACK_PEN));
  MoveToEx(paint, h / 2, h / 2, nullptr);
  LineTo(paint, -1, h);
}

// Moves the tab to row offset `offset` (-1: the current one), kept within the rows that fit.
LRESULT SetTabPosition(HWND window, INT_PTR offset) {
  INT_PTR old = Property(window, kPosProperty);
  if (offset == -1) offset = old;
  RECT text = TextWindowArea();
  INT_PTR last = (text.bottom - text.top) / RowHeightOrOne() - 1;
  if (offset > last) offset = last;
  if (offset < 0) offset = 0;
  SetWindowPos(window, nullptr, text.left - 3, int(offset * RowHeightOrOne() + text.top + 2), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (offset != old) InvalidateRect(window, nullptr, FALSE);
  SetProperty(window, kPosProperty, offset);
  return 0;
}

void DragLeftTab(HWND window, LPARAM lParam) {
  if (!Property(window, kSelectModeProperty)) return;
  POINT point = {short(LOWORD(lParam)), short(HIWORD(lParam))};
  MapWindowPoints(window, MainWindow, &point, 1);
  RECT text = TextWindowArea();
  if (point.y >= text.top && point.y < text.bottom)
    SendMessageA(window, WM_ZV_SETTABPOS, WPARAM((point.y - text.top) / RowHeightOrOne()), 0);
}

void LoadSearchPos(HWND window) {
  SettingsKeyScope key;
  SetProperty(window, kPosProperty, INT_PTR(int32_t(ReadDwordSetting("SearchPos", kDefaultSearchPos))));
}

void SaveSearchPos(HWND window) {
  SettingsKeyScope key;
  (void)WriteDwordSetting("SearchPos", uint32_t(Property(window, kPosProperty)));  // best effort: the window is closing
}

// ---- mark strip ----

// The slot (0..3) under client x, for a strip of client width `width`.
int MarkSlot(HWND window, int x) {
  RECT client;
  GetClientRect(window, &client);
  int slot = client.right > 0 ? x * 4 / client.right : 0;
  return slot < 0 ? 0 : slot > 3 ? 3 : slot;
}

// Marks 1-4: red, blue, yellow, green.
constexpr COLORREF kMarkColors[4] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 0)};

void PaintMarkList(HWND window) {
  win::PaintDC paint(window);
  RECT client;
  GetClientRect(window, &client);
  win::MemoryDC flags(paint);
  if (FlagBitmap) SelectObject(flags, FlagBitmap);
  for (int k = 0; k < 4; ++k) {
    int centreX = client.right * (2 * k + 1) / 8;
    int centreY = client.bottom / 2;
    if (TheDocument.Marks[k] < 0) {
      if (FlagBitmap) DrawMarkFlag(paint, flags, centreX - 4, centreY - 5, k);
      continue;
    }
    win::Brush brush(CreateSolidBrush(kMarkColors[k]));
    win::Selection selectedBrush(paint, brush.get());
    win::Selection pen(paint, GetStockObject(NULL_PEN));
    Ellipse(paint, centreX - 4, centreY - 4, centreX + 5, centreY + 5);
  }
}

void BeginMarkDrag(HWND window, int k) {
  SetProperty(window, kLineProperty, k);
  SetCapture(window);
  if (FlagCursor) SetCursor(FlagCursor);
  RECT main;
  GetWindowRect(MainWindow, &main);
  ClipCursor(&main);
}

void DropMark(HWND window, LPARAM lParam) {
  if (GetCapture() != window) return;
  POINT point = {short(LOWORD(lParam)), short(HIWORD(lParam))};
  MapWindowPoints(window, MainWindow, &point, 1);
  RECT text = TextWindowArea();
  if (point.y >= text.top && point.y < text.bottom)
    SetMark(int(Property(window, kLineProperty)), TheDocument.TopLine + (point.y - text.top) / RowHeightOrOne());
  ReleaseCapture();
  ClipCursor(nullptr);
}

}  // namespace

void StartMarkDrag(int k) {
  HWND strip = MainWindow ? GetDlgItem(MainWindow, kMarkListId) : nullptr;
  if (strip && k >= 0 && k < 4) BeginMarkDrag(strip, k);
}

void DrawMarkFlag(HDC dc, HDC flagDc, int x, int y, int k) {
  BitBlt(dc, x, y, 9, 10, flagDc, 0, 0, SRCINVERT);
  constexpr DWORD kAndNotSource = 0x00220326;  // destination AND NOT source
  BitBlt(dc, x + 1, y + 1, 6, 5, flagDc, 3, 1, kAndNotSource);
  BitBlt(dc, x + 1, y + 1, 6, 5, flagDc, 9 + 6 * k, 1, SRCPAINT);
}

LRESULT CALLBACK LeftTabWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      LoadSearchPos(window);
      return 0;
    case WM_DESTROY:
      SaveSearchPos(window);
      RemovePropA(window, kPosProperty);
      RemovePropA(window, kSelectModeProperty);
      return 0;
    case WM_PAINT:
      PaintLeftTab(window);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      SetProperty(window, kSelectModeProperty, 1);
      return 0;
    case WM_MOUSEMOVE:
      DragLeftTab(window, lParam);
      return 0;
    case WM_LBUTTONUP:
      ReleaseCapture();
      SetProperty(window, kSelectModeProperty, 0);
      return 0;
    case WM_ZV_SETTABPOS:
      return SetTabPosition(window, INT_PTR(int32_t(wParam)));
    case WM_ZV_GETTABPOS:
      return Property(window, kPosProperty);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MarkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintMarkList(window);
      return 0;
    case WM_LBUTTONDOWN:
      BeginMarkDrag(window, MarkSlot(window, short(LOWORD(lParam))));
      return 0;
    case WM_LBUTTONUP:
      DropMark(window, lParam);
      return 0;
    case WM_LBUTTONDBLCLK: {
      int32_t row = TheDocument.Marks[MarkSlot(window, short(LOWORD(lParam)))];
      if (row >= 0) GoToPosition(row, TheDocument.LeftColumn);
      return 0;
    }
    case WM_RBUTTONDOWN:
      SetMark(MarkSlot(window, short(LOWORD(lParam))), -1);
      return 0;
    case WM_DESTROY:
      RemovePropA(window, kLineProperty);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
