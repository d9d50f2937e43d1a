// Extracting the archive filer's checked members into a folder the user chooses: the folder
// chooser "UnPackTo", the same-name question "SameName" with its run-wide answers, the new-name
// dialog "UnpackRename", and the messages of failed members.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/archive/archive_reader.h"

// Tool button 100 and the key "U": nothing when no line is checked.
void ExtractCheckedMembers(HWND window, HWND list, const std::string& startDirectory);

INT_PTR CALLBACK SameNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK UnpackRenameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK UnpackToDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
