// The About box (see about_dialog_win.h).
#include "viewer/shell/about_dialog_win.h"

#include "viewer/frame/dialogs_win.h"
#include "viewer/frame/viewer_globals_win.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_OK || LOWORD(wParam) == IDC_CANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void ShowAboutBox(HWND owner) { RunDialog(IDD_ABOUT, owner, AboutDialogProc); }
