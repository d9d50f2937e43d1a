// The About box "About": the program icon, its name and version, and OK.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the About box, owned by `owner`, until it is closed.
void ShowAboutBox(HWND owner);
