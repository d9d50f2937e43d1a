// The settings dialog "Zelko Viewの設定" (template "Font"): display, tool bar, window linking,
// right-button menus, external tools and start-up settings on seven tab pages, applied to the
// running viewer and saved on OK.  Menu 420, command 954 and the system-menu item open it.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ChooseFontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void ShowSettingsDialog(HWND owner);
