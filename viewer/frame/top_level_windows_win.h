// The top-level windows of the desktop in Z order, and finding them by window class: every
// viewer process's windows (the instance commands and the window list) or only this
// process's own (whether the filer, the archive filer or a list window is already open).
#pragma once

#include <windows.h>

#include <vector>

// The desktop's children from the top of the Z order down.
std::vector<HWND> TopLevelWindows();
// The window's class is `className`, ignoring case, comparing at most 28 characters.
bool HasWindowClass(HWND window, const char* className);
// The first top-level window of this process whose class is `className`; null when none.
HWND FindOwnWindow(const char* className);
