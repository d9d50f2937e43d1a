// The four marks of the document: setting one on a row (redrawing the rows and the mark
// strip) and the mark commands of the menus, keys and tool buttons.
#pragma once

#include <windows.h>

#include <cstdint>

// Stores `row` in mark k (0..3); -1 unsets it.  Rows outside the document and marks outside
// 0..3 are ignored.  Returns whether the mark now holds `row`.
bool SetMark(int k, int32_t row);
// Sets the four marks to unset.
void ClearMarks();

// 310-313: mark k takes the top row; 320-323: the view jumps to mark k; 801-804: set mark k
// when it is unset, else jump to it (posted to `window`).  Each reports in the status bar.
void SetMarkCommand(int k);
void JumpToMarkCommand(int k);
void MarkButtonCommand(HWND window, int k);

// Where the mark commands report (ShowStatusMessage; tests put a recorder here).
using StatusReporter = void (*)(const char* text, int priority);
extern StatusReporter MarkStatusReporter;
