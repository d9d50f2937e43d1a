// The settings dialog "Zelko Viewの設定" (template "Font"): display, tool bar, window linking,
// right-button menus, external tools and start-up settings on seven tab pages, applied to the
// running viewer and saved on OK.  Menu 420, command 954 and the system-menu item open it.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ChooseFontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void ShowSettingsDialog(HWND owner);

// The filer settings dialog "Zelko Filerの設定" (template "FilerConfig"): the type filter, the
// custom file types, columns, sort, font, layout and drive bar of Zelko Filer; OK saves them
// and opens an open filer window anew.  Menu 423 and command 957 open it.
INT_PTR CALLBACK FilerConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void ShowFilerSettingsDialog(HWND owner);
