// The "Chdir" dialog of Zelko Filer: a directory typed or chosen from the history (newest
// first) becomes current and the newest history entry.
#include <windowsx.h>

#include "viewer/filer/filer_text.h"
#include "viewer/filer/filer_win.h"
#include "viewer/frame/directories_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kPathTextSize = 256;

void OnInitDialog(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_CHDIR_PATH);
  for (const std::string& entry : ListEntries(DirHistory, kDirHistorySize))
    SendMessageA(combo, CB_INSERTSTRING, 0, LPARAM(entry.c_str()));
  SendMessageA(combo, CB_LIMITTEXT, kPathTextSize - 1, 0);
  SetFocus(combo);
}

void OnOk(HWND dialog) {
  char path[kPathTextSize] = {};
  GetDlgItemTextA(dialog, IDC_CHDIR_PATH, path, sizeof path);
  if (path[0]) {
    ChangeDirectory(path);
    RecordHistory(DirHistory, kDirHistorySize, path);
  }
  EndDialog(dialog, IDC_OK);
}

}  // namespace

INT_PTR CALLBACK ChdirDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_OK) OnOk(dialog);
      else if (LOWORD(wParam) == IDC_CANCEL) EndDialog(dialog, IDC_CANCEL);
      return TRUE;
  }
  return FALSE;
}
