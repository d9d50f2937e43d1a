// Printing (menu 130): the selected rows or the whole document on the default printer, as the
// rows are shown, in a printer font chosen in the platform's font dialog extended by the
// template "Print" (margins in millimetres, file-name header, page numbers), with a progress
// dialog whose button cancels the job.
#pragma once

#include <windows.h>

void PrintDocument();

// The font dialog's hook: fills in the margins and options on creation, turns them into the
// print offsets and stores "SpaceR" on OK.
UINT_PTR CALLBACK ChooseFontHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The job's abort procedure: lets waiting messages through (the progress dialog's cancel
// button among them); zero once the user has cancelled.
BOOL CALLBACK PrintAbortProc(HDC dc, int code);
