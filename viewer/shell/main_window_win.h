// The main window "Zelko View 32": its children (tool bar, text window, gutter tab, status
// items), their layout, its painting (logo and sunken frame) and the messages it routes.
#pragma once

#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Places the text window, the tool buttons and the status items for a client area of
// width x height.
void LayOutMainWindow(HWND window, int width, int height);
