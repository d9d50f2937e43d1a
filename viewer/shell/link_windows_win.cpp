// placeholder until built
#include "viewer/shell/link_windows_win.h"
LinkTree TheLinkTree;
HWND CreateLinkedWindow(const char* className, const char* title, DWORD style, int x, int y, int width,
                        int height, HWND parent, HMENU menu, HINSTANCE instance, void* parameter, const char*) {
  return CreateWindowExA(0, className, title, style, x, y, width, height, parent, menu, instance, parameter);
}
void InitLinkRootFromMainWindow(HWND) {}
HWND OpenSubWindow(const char*, const char*, DWORD, HWND, HMENU, void*, const char*, int) { return nullptr; }
void SaveSubWindowPlacement(HWND, const char*) {}
void OnLinkedWindowPosChanged(HWND, const WINDOWPOS*) {}
void UnlinkWindow(HWND) {}
HWND FindOwnWindow(const char*) { return nullptr; }
