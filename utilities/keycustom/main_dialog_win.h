// The dialog "Main" of ZVKEY32.EXE: the assignment list, the key box, the modifier boxes and
// the command list, and the buttons that add, delete, load, save, write and show help.
#pragma once

#include <windows.h>

extern "C" INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
