// The key box of the dialog "Main": an edit control whose procedure is replaced by
// NewEditProc, so that it takes every key, names it and remembers it as CapturedKey, while
// Shift and Ctrl toggle the "SHIFT" and "CTRL" boxes.  Also the naming of keys for the list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

void SubclassKeyBox(HWND box);

extern "C" LRESULT CALLBACK NewEditProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// The keyboard driver's name of a virtual key (its scan code with the extended-key bit first,
// except for Enter and Esc, then without it); "VK%04X" when there is none.
std::string KeyNameOfVirtualKey(uint16_t virtualKey);
