// Window linking for the viewer's top-level windows: creating a window into its place in the
// link tree, opening sub-windows at their saved placement, following moves and resizes of a
// linked window with the whole group, and taking a closing window out of the tree.
#pragma once

#include <windows.h>

#include "viewer/settings/link_tree.h"

// The process's link tree.
extern LinkTree TheLinkTree;

// Link path slots of WindowLink.
constexpr int kViewerLinkPath = 0;
constexpr int kFilerLinkPath = 1;
constexpr int kArchFilerLinkPath = 2;
constexpr int kListLinkPath = 3;

// CreateWindowEx (no extended style), then the window takes its place on `path`.
HWND CreateLinkedWindow(const char* className, const char* title, DWORD style, int x, int y, int width,
                        int height, HWND parent, HMENU menu, HINSTANCE instance, void* parameter,
                        const char* path);
// After the main window is shown: the root's (and the spare node's) rectangle becomes the
// rectangle the main window had when it was linked.
void InitLinkRootFromMainWindow(HWND mainWindow);
// The one way sub-windows are created: saved placement (value `placementName`), link path
// slot `pathSlot`, owner unless UnownedSubWindows.
HWND OpenSubWindow(const char* className, const char* title, DWORD style, HWND owner, HMENU menu,
                   void* parameter, const char* placementName, int pathSlot);
void SaveSubWindowPlacement(HWND window, const char* placementName);
// WM_WINDOWPOSCHANGED of every linked window, before default processing.
void OnLinkedWindowPosChanged(HWND window, const WINDOWPOS* position);
// With linking on and `window` linked, the group's rectangle (what the linked windows share);
// false otherwise.  The main window saves it as its placement, so that the group comes back
// as large as it was and the sub-windows take their shares of it again.
bool LinkedGroupRect(HWND window, RECT& rect);
// WM_DESTROY of every linked window.
void UnlinkWindow(HWND window);
