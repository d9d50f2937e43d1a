// The small dialog utilities every window of the viewer uses: modal dialogs from the program's
// templates, message boxes under the program's caption, the open-file dialog and check boxes.
#pragma once

#include <windows.h>
#include <commdlg.h>

// A modal dialog from template `name` of the program's resources; its EndDialog result, or -1
// when the template could not be created.
INT_PTR RunDialog(const char* name, HWND owner, DLGPROC procedure, LPARAM parameter = 0);

// A modeless dialog from template `name`; null when it could not be created.
HWND CreateModelessDialog(const char* name, HWND owner, DLGPROC procedure, LPARAM parameter = 0);

// Message boxes captioned "Zelko View 32".
void ShowError(HWND owner, const char* text);
void ShowInformation(HWND owner, const char* text);
// A question with the buttons and icon of `style` (MB_YESNO | MB_ICONQUESTION, say); the answer.
int AskQuestion(HWND owner, const char* text, UINT style);

constexpr DWORD kDialogPathSize = 256;

struct OpenFileRequest {
  const char* filter = nullptr;        // "name\0pattern\0...\0\0"; the first one is selected
  const char* title = nullptr;         // null: the platform's title
  const char* defaultExtension = nullptr;  // added to a name typed without one
  const char* templateName = nullptr;  // a child template of the program's resources
  LPOFNHOOKPROC hook = nullptr;
  LPARAM hookData = 0;
  DWORD extraFlags = 0;
  bool save = false;  // the save dialog (no must-exist check, overwrite question)
};

// Shows the open (or save) dialog; true with the chosen path in `name` (kDialogPathSize bytes,
// which also gives the initial name).
bool AskFileName(HWND owner, const OpenFileRequest& request, char* name);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
