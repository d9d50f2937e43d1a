// Files dropped on the main window: without Shift the first one is shown in this viewer, with
// Shift each one opens in a viewer of its own.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "viewer/shell/file_commands_win.h"
#include "viewer/frame/process_watch_win.h"

namespace {

void OpenEachInNewViewer(HDROP drop) {
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH];
    if (!DragQueryFileA(drop, i, path, sizeof path)) continue;
    char command[MAX_PATH + 16];
    std::snprintf(command, sizeof command, "ZV32.EXE %s", path);
    WinExec(command, SW_SHOW);
  }
}

void ShowFirst(HWND mainWindow, HDROP drop) {
  char path[MAX_PATH];
  if (!DragQueryFileA(drop, 0, path, sizeof path)) return;
  ReplaceShownFile(path);
  ShowWindow(mainWindow, IsIconic(mainWindow) ? SW_RESTORE : SW_SHOW);
}

}  // namespace

void OpenDropList(HWND mainWindow, HDROP drop) {
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) OpenEachInNewViewer(drop);
  else ShowFirst(mainWindow, drop);
}

void OpenDroppedFiles(HWND mainWindow, HDROP drop) {
  OpenDropList(mainWindow, drop);
  DragFinish(drop);
}
