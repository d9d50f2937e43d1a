// DispatchCommand: every WM_COMMAND of the main window (menu items, tool buttons, right-button
// menus, the window list and key commands 20000 + code) carried out.
#pragma once

#include <windows.h>

// Returns 1 when the id was handled, 0 for default window processing.
int DispatchCommand(HWND window, int id);

