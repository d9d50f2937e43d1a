// Zelko Filer, the viewer's file-manager window ("ZelkoView!Filer"), as the rest of the viewer
// sees it: its window procedures, the commands that open it, and the way a settings dialog
// replaces it after the filer settings changed (it reads FilerSortKey, FilerInfoColumns,
// FilerTypeFilter, FilerCustomType, FilerMask, FilerVertical, ShowDriveBar and the filer
// font from the settings globals each time it is created).
#pragma once

#include <windows.h>

#include "viewer/settings/settings_store.h"

LRESULT CALLBACK FilerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DriveBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ChdirDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Command 100: restores and activates the filer, or opens it at its saved placement.
void OpenFilerWindow(HWND mainWindow);
// Saves the filer's placement and destroys it; nothing when it is not open.
void CloseFilerWindow();
// After the filer settings changed: when the filer is open, destroys it and posts command 100
// to the main window, which creates it anew with the new layout, columns and font.
void RecreateFilerWindow();

// The filer font's height in pixels (a six-character sample on the desktop's DC), measured
// whenever the filer is created; MeasureFilerFont measures it again after a font change.
extern int FilerFontHeight;
void MeasureFilerFont();

// The directory history (a string list, oldest first): read when the filer is created,
// written when it is destroyed; the "Chdir" dialog records into it.
extern char DirHistory[kDirHistorySize];
