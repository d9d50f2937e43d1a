// The archive filer's member list (control 930): its item data (member number, type code,
// check mark), the check marks, the owner drawing of its column-coded lines, and the
// subclass ArchiveListBoxFrontEnd that turns a click on a line's icon into a check mark.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr LPARAM kArchiveItemData = 0x10000;  // type code 1 (an associated file) in bits 16-22
constexpr LPARAM kArchiveFolderItemData = 0;   // type code 0: the folder icon
constexpr LPARAM kArchiveItemChecked = 0x800000;

// Creates the list box and subclasses it.
HWND CreateArchiveList(HWND window);
int MemberOfLine(HWND list, int line);
bool IsLineChecked(HWND list, int line);
void ToggleLineCheck(HWND list, int line);
void ToggleAllChecks(HWND list);
// The lines whose check mark is set, in list order.
std::vector<int> CheckedLines(HWND list);
// The line's file name: its first two columns joined, without their "L" marks.
std::string FileNameOfLine(HWND list, int line);

// The list's font (the filer font, or the system font) and its line height.
HFONT ArchiveListFont();
void MeasureArchiveLine(MEASUREITEMSTRUCT* measure);
void DrawArchiveLine(const DRAWITEMSTRUCT* draw, const int* positions);

LRESULT CALLBACK ArchiveListBoxFrontEnd(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
