// The link tree over real windows: a leaf is shown while its window is visible and not
// minimized, and the tree's moves are MoveWindow calls with repainting.  Sub-windows open at
// their saved placement and are linked on the path of their kind.
#include "viewer/frame/link_windows_win.h"

#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/settings/settings_win.h"
#include "viewer/settings/sub_window_placement.h"
#include "viewer/frame/viewer_globals_win.h"
#include "viewer/settings/window_placement.h"

// Reset already, so that a window linked before start-up resets the tree finds free nodes.
LinkTree TheLinkTree = [] {
  LinkTree tree;
  ResetLinkTree(tree);
  return tree;
}();

namespace {

HWND WindowOf(LinkWindowId id) { return reinterpret_cast<HWND>(id); }
LinkWindowId IdOf(HWND window) { return reinterpret_cast<LinkWindowId>(window); }

LinkRect WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

class Win32LinkHost : public LinkWindowHost {
 public:
  bool IsShown(LinkWindowId window) const override {
    return IsWindowVisible(WindowOf(window)) && !IsIconic(WindowOf(window));
  }
  void MoveWindow(LinkWindowId window, const LinkRect& r) override {
    ::MoveWindow(WindowOf(window), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
};

Win32LinkHost& LinkHost() {
  static Win32LinkHost host;
  return host;
}

// Beside the main window, on the work area (the part of the screen no task bar covers).
SubWindowRect DefaultBesideMainWindow() {
  RECT main{};
  if (MainWindow) GetWindowRect(MainWindow, &main);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int32_t captionAndMenu = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) +
                                 2 * GetSystemMetrics(SM_CYFRAME);
  return DefaultSubWindowPlacement({main.left, main.top, main.right - main.left, main.bottom - main.top}, work.right,
                                   work.bottom, captionAndMenu);
}

// The saved placement of a sub-window kind, or a place beside the main window.
WindowPlacementValue OpeningPlacement(const char* placementName) {
  WindowPlacementValue placement;
  bool saved = false;
  {
    SettingsKeyScope key(true);
    saved = key.usable() && ReadWindowPlacement(placementName, placement);
  }
  if (!saved) {
    const SubWindowRect beside = DefaultBesideMainWindow();
    placement = {beside.left, beside.top, beside.width, beside.height, kShowNormal};
  }
  SubWindowOrigin origin =
      ClampSubWindowOrigin(placement.left, placement.top, GetSystemMetrics(SM_CXFULLSCREEN),
                           GetSystemMetrics(SM_CYFULLSCREEN), GetSystemMetrics(SM_CYCAPTION));
  placement.left = origin.left;
  placement.top = origin.top;
  return placement;
}

const char* LinkPathOf(int pathSlot) {
  return pathSlot >= 0 && pathSlot < kLinkSlotCount ? WindowLink[pathSlot] : "";
}

}  // namespace

HWND CreateLinkedWindow(const char* className, const char* title, DWORD style, int x, int y, int width,
                        int height, HWND parent, HMENU menu, HINSTANCE instance, void* parameter,
                        const char* path) {
  HWND window = CreateWindowExA(0, className, title, style, x, y, width, height, parent, menu, instance, parameter);
  if (window) LinkWindow(TheLinkTree, IdOf(window), path, WindowRectOf(window));
  return window;
}

void InitLinkRootFromMainWindow(HWND mainWindow) {
  const int node = FindLinkNode(TheLinkTree, IdOf(mainWindow));
  if (node >= 0) SetLinkRootRect(TheLinkTree, TheLinkTree.Nodes[node].Rect);
}

HWND OpenSubWindow(const char* className, const char* title, DWORD style, HWND owner, HMENU menu,
                   void* parameter, const char* placementName, int pathSlot) {
  const WindowPlacementValue placement = OpeningPlacement(placementName);
  HWND window = CreateLinkedWindow(className, title, style, placement.left, placement.top, placement.width,
                                   placement.height, UnownedSubWindows ? nullptr : owner, menu, Instance,
                                   parameter, LinkPathOf(pathSlot));
  if (!window) return nullptr;
  ShowWindow(window, ShowStateForOpening(placement.showState));
  PlaceNewLinkedWindow(TheLinkTree, LinkHost(), WindowLinking != 0, IdOf(window));
  return window;
}

void SaveSubWindowPlacement(HWND window, const char* placementName) {
  SettingsKeyScope key;
  (void)WriteWindowPlacement(placementName, PlacementOfWindow(window));  // best effort: the window is closing
}

void OnLinkedWindowPosChanged(HWND window, const WINDOWPOS* position) {
  if (!position) return;
  const LinkPosChange change{position->flags, WindowRectOf(window), IsZoomed(window) != 0};
  OnLinkedWindowPosChanged(TheLinkTree, LinkHost(), WindowLinking != 0, IdOf(window), change);
}

bool LinkedGroupRect(HWND window, RECT& rect) {
  if (!WindowLinking || FindLinkNode(TheLinkTree, IdOf(window)) < 0) return false;
  const LinkRect& group = TheLinkTree.Nodes[kLinkRootNode].Rect;
  if (group.right <= group.left || group.bottom <= group.top) return false;
  rect = {group.left, group.top, group.right, group.bottom};
  return true;
}

void UnlinkWindow(HWND window) { UnlinkWindow(TheLinkTree, LinkHost(), WindowLinking != 0, IdOf(window)); }
