// The two lists of the dialog "Main": the assignment list (one line per used slot, ordered by
// command code, item data = slot) and the command drop-down list (every command of the table
// in table order, item data = code).
#pragma once

#include <windows.h>

#include <string_view>

void FillCommandList(HWND dialog);
// The code of the selected command.
uint16_t SelectedCommand(HWND dialog);

// Adds the line of used slot `slot`, named `keyName`, in code order; returns its index.
int InsertAssignmentLine(HWND dialog, int slot, std::string_view keyName);
// The list anew from Assignments, keys named by the keyboard driver.
void FillAssignmentList(HWND dialog);
// Selects line `index` (the nearest line when it is past the end) and scrolls it into view.
void SelectAssignmentLine(HWND dialog, int index);
// The line whose item data is `slot`; -1 when it is not listed.
int LineOfSlot(HWND dialog, int slot);
