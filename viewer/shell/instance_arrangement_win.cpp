// Arranging and activating the viewer windows of every process.  The rectangles come from
// the arrangement arithmetic; this file lists the windows, asks for the area and moves them.
#include "viewer/shell/instance_arrangement_win.h"

#include <algorithm>

#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"
#include "viewer/settings/window_arrangement.h"

namespace {

constexpr int kCascade = IDM_CASCADE;
constexpr int kTile = IDM_TILE;
constexpr int kSideBySide = IDM_SIDE_BY_SIDE;
constexpr int kStacked = IDM_STACKED;
constexpr int kNextViewer = IDM_NEXT_VIEWER;
constexpr int kPreviousViewer = IDM_PREVIOUS_VIEWER;

// The maximized position and size the main window reports; the screen from that position on
// when it reports no size.
ArrangeRect AreaOf(HWND mainWindow) {
  MINMAXINFO limits{};
  SendMessageA(mainWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  return ArrangementArea(limits.ptMaxPosition.x, limits.ptMaxPosition.y, limits.ptMaxSize.x, limits.ptMaxSize.y,
                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

ArrangeRect CurrentRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveViewers(const std::vector<HWND>& windows, const std::vector<ArrangeRect>& rects) {
  for (size_t i = 0; i < windows.size() && i < rects.size(); ++i)
    MoveWindow(windows[i], rects[i].x, rects[i].y, rects[i].width, rects[i].height, TRUE);
}

void Cascade(HWND mainWindow) {
  std::vector<HWND> windows = ViewerWindows(true);
  std::vector<ArrangeRect> sizes;
  for (HWND w : windows) sizes.push_back(CurrentRectOf(w));
  const int32_t step = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + 1;
  MoveViewers(windows, CascadeWindows(AreaOf(mainWindow), sizes, step));
}

void Divide(HWND mainWindow, int command) {
  std::vector<HWND> windows = ViewerWindows(false);
  const ArrangeRect area = AreaOf(mainWindow);
  const int count = int(windows.size());
  if (command == kTile) MoveViewers(windows, TileWindows(area, count));
  if (command == kSideBySide) MoveViewers(windows, SideBySideWindows(area, count));
  if (command == kStacked) MoveViewers(windows, StackedWindows(area, count));
}

void BringForward(HWND window) { SetForegroundWindow(window); }

// "Next": the main window goes to the bottom of the viewers, the one now on top is activated.
void NextViewer(HWND mainWindow) {
  std::vector<HWND> bottomUp = ViewerWindows(true);
  if (!bottomUp.empty() && bottomUp.front() != mainWindow)
    SetWindowPos(mainWindow, bottomUp.front(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  std::vector<HWND> topDown = ViewerWindows(false);
  if (!topDown.empty()) BringForward(topDown.front());
}

void PreviousViewer() {
  std::vector<HWND> bottomUp = ViewerWindows(true);
  if (!bottomUp.empty()) BringForward(bottomUp.front());
}

}  // namespace

std::vector<HWND> ViewerWindows(bool bottomUp) {
  std::vector<HWND> viewers;
  for (HWND w : TopLevelWindows()) {
    if (IsWindowVisible(w) && HasWindowClass(w, kMainWindowClass)) viewers.push_back(w);
  }
  if (bottomUp) std::reverse(viewers.begin(), viewers.end());
  return viewers;
}

void ArrangeViewers(HWND mainWindow, int command) {
  switch (command) {
    case kCascade:
      Cascade(mainWindow);
      break;
    case kTile:
    case kSideBySide:
    case kStacked:
      Divide(mainWindow, command);
      break;
    case kNextViewer:
      NextViewer(mainWindow);
      break;
    case kPreviousViewer:
      PreviousViewer();
      break;
    default:
      break;
  }
}

void ActivateViewer(int n) {
  std::vector<HWND> windows = ViewerWindows(false);
  if (n >= 1 && n <= int(windows.size())) BringForward(windows[size_t(n - 1)]);
}
