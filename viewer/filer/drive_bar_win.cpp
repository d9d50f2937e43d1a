// Zelko Filer's drive bar ("ZelkoView!DriveBar", child 941): one cell per drive with the
// drive kind's icon and letter, the current drive framed in black.  A click makes a drive
// current; commands 37 and 39 step to the previous and next drive, wrapping round.
#include <memory>

#include "platform/win/owners.h"
#include "viewer/filer/filer_parts_win.h"
#include "viewer/filer/filer_text.h"
#include "viewer/filer/filer_win.h"
#include "viewer/frame/directories_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kListProperty[] = "List";
constexpr int kIconWidth = 18;
constexpr int kIconHeight = 16;
constexpr int kLetterX = 22;

// A drive of the bar: its number (0 = A) and the icon kind of its type.
struct DriveCell {
  int drive;
  int kind;
};
using DriveCells = std::vector<DriveCell>;

int KindOfDriveType(UINT type) {
  switch (type) {
    case DRIVE_FIXED: return 0;
    case DRIVE_REMOVABLE: return 1;
    case DRIVE_REMOTE: return 2;
    case DRIVE_RAMDISK: return 3;
    case DRIVE_CDROM: return 4;
  }
  return -1;
}

DriveCells* Cells(HWND bar) { return static_cast<DriveCells*>(GetPropA(bar, kListProperty)); }

void OnCreate(HWND bar) {
  auto cells = std::make_unique<DriveCells>();
  DWORD drives = GetLogicalDrives();
  for (int drive = 0; drive < 26; ++drive) {
    if (!(drives & (1u << drive))) continue;
    char root[4] = {char('A' + drive), ':', '\\', '\0'};
    int kind = KindOfDriveType(GetDriveTypeA(root));
    if (kind >= 0) cells->push_back({drive, kind});
  }
  SetPropA(bar, kListProperty, cells.release());
}

void OnDestroy(HWND bar) { std::unique_ptr<DriveCells> cells(static_cast<DriveCells*>(RemovePropA(bar, kListProperty))); }

int CurrentDrive() {
  std::string directory = CurrentDirectory();
  if (directory.size() < 2 || directory[1] != ':') return -1;
  return (directory[0] & ~0x20) - 'A';
}

bool Stacked(HWND bar) { return (GetWindowLongPtrA(bar, GWL_STYLE) & 1) != 0; }

RECT CellRect(HWND bar, int index) {
  SIZE cell = DriveCellSize();
  int x = Stacked(bar) ? 0 : index * cell.cx;
  int y = Stacked(bar) ? index * cell.cy : 0;
  return RECT{x, y, x + cell.cx, y + cell.cy};
}

void DrawDriveIcon(HDC dc, const RECT& cell, int kind) {
  if (!DriveBitmap) return;
  win::MemoryDC bitmap(dc);
  win::Selection selected(bitmap, DriveBitmap);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  int y = cell.top + (cell.bottom - cell.top - kIconHeight) / 2;
  BitBlt(dc, cell.left + 3, y, kIconWidth, kIconHeight, bitmap, kind * kIconWidth, 0, SRCAND);
  BitBlt(dc, cell.left + 3, y, kIconWidth, kIconHeight, bitmap, kind * kIconWidth, kIconHeight, SRCPAINT);
}

void DrawCell(HDC dc, RECT cell, const DriveCell& drive, bool current) {
  DrawDriveIcon(dc, cell, drive.kind);
  RECT frame = cell;
  InflateRect(&frame, -1, -1);
  win::Brush brush(CreateSolidBrush(current ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNFACE)));
  FrameRect(dc, &frame, brush);
  char letter = char((FilerLowerCase ? 'a' : 'A') + drive.drive);
  SIZE size{};
  GetTextExtentPoint32A(dc, &letter, 1, &size);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  TextOutA(dc, cell.left + kLetterX, cell.top + (cell.bottom - cell.top - size.cy) / 2, &letter, 1);
}

void OnPaint(HWND bar) {
  win::PaintDC dc(bar);
  const DriveCells* cells = Cells(bar);
  if (!cells) return;
  int current = CurrentDrive();
  for (size_t i = 0; i < cells->size(); ++i) DrawCell(dc, CellRect(bar, int(i)), (*cells)[i], (*cells)[i].drive == current);
}

void MakeDriveCurrent(int drive) {
  char root[3] = {char('A' + drive), ':', '\0'};
  ChangeDirectory(root);
}

void OnClick(HWND bar, int x, int y) {
  const DriveCells* cells = Cells(bar);
  SIZE cell = DriveCellSize();
  int index = Stacked(bar) ? y / cell.cy : x / cell.cx;
  if (!cells || index < 0 || index >= int(cells->size())) return;
  MakeDriveCurrent((*cells)[size_t(index)].drive);
  PostMessageA(GetParent(bar), WM_ZV_REFRESH, 0, 0);
}

void StepDrive(HWND bar, int step) {
  const DriveCells* cells = Cells(bar);
  if (!cells) return;
  std::vector<int> drives;
  for (const DriveCell& cell : *cells) drives.push_back(cell.drive);
  int drive = NextDrive(drives, CurrentDrive(), step);
  if (drive < 0) return;
  MakeDriveCurrent(drive);
  SendMessageA(GetParent(bar), WM_ZV_REFRESH, 0, 0);
}

}  // namespace

LRESULT CALLBACK DriveBarWindowProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(bar);
      return 0;
    case WM_PAINT:
      OnPaint(bar);
      return 0;
    case WM_LBUTTONDOWN:
      OnClick(bar, short(LOWORD(lParam)), short(HIWORD(lParam)));
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kPreviousDriveCommand) StepDrive(bar, -1);
      else if (LOWORD(wParam) == kNextDriveCommand) StepDrive(bar, 1);
      return 0;
    case WM_DESTROY:
      OnDestroy(bar);
      return 0;
  }
  return DefWindowProcA(bar, message, wParam, lParam);
}
