// The tool bar of the main window: "PlimTool" buttons built from ToolBarList.
#pragma once

#include <windows.h>

// Creates one "PlimTool" child per entry of ToolBarList (0xFF a gap, 0xFE the end) and sets
// ToolBarEnd.  Buttons are created whatever ToolBarPlacement says; the layout hides them.
void BuildToolBar(HWND mainWindow);
// Destroys every "PlimTool" child of the main window.
void DestroyToolBar(HWND mainWindow);
// Shows or hides every "PlimTool" child of the main window.
void ShowToolBar(HWND mainWindow, bool show);

// The running position after the last button + 8 (the logo is drawn only right of it).
extern int ToolBarEnd;
