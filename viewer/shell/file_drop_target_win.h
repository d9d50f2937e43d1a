// The viewer's main window as an OLE drop target: a shell file list (CF_HDROP in global
// memory) dragged from Zelko Filer or any program that drags through OLE opens as a file
// dropped the older way (WM_DROPFILES) does.
#pragma once

#include <windows.h>

// Registers `mainWindow` (and so the child windows over it) for OLE drops; false when OLE
// refuses.  OLE must be initialised.
bool RegisterFileDropTarget(HWND mainWindow);
// Undoes the registration (window destruction).
void RevokeFileDropTarget(HWND mainWindow);
