// The dialog utilities (see dialogs_win.h).
#include "viewer/frame/dialogs_win.h"

#include <commdlg.h>

#include "viewer/document/document_host.h"
#include "viewer/frame/viewer_globals_win.h"

INT_PTR RunDialog(const char* name, HWND owner, DLGPROC procedure, LPARAM parameter) {
  return DialogBoxParamA(Instance, name, owner, procedure, parameter);
}

HWND CreateModelessDialog(const char* name, HWND owner, DLGPROC procedure, LPARAM parameter) {
  return CreateDialogParamA(Instance, name, owner, procedure, parameter);
}

void ShowError(HWND owner, const char* text) { MessageBoxA(owner, text, kProgramTitle, MB_OK | MB_ICONERROR); }

void ShowInformation(HWND owner, const char* text) {
  MessageBoxA(owner, text, kProgramTitle, MB_OK | MB_ICONINFORMATION);
}

int AskQuestion(HWND owner, const char* text, UINT style) { return MessageBoxA(owner, text, kProgramTitle, style); }

bool AskFileName(HWND owner, const OpenFileRequest& request, char* name) {
  OPENFILENAMEA dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.hInstance = Instance;
  dialog.lpstrFilter = request.filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = kDialogPathSize;
  dialog.lpstrTitle = request.title;
  dialog.lpstrDefExt = request.defaultExtension;
  dialog.Flags = OFN_HIDEREADONLY | request.extraFlags;
  dialog.Flags |= request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
  if (request.templateName) {
    dialog.Flags |= OFN_ENABLETEMPLATE;
    dialog.lpTemplateName = request.templateName;
  }
  if (request.hook) {
    dialog.Flags |= OFN_ENABLEHOOK;
    dialog.lpfnHook = request.hook;
    dialog.lCustData = request.hookData;
  }
  return (request.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)) != 0;
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}
