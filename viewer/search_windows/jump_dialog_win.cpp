// The jump dialog "Jump": the row number to show at the top of the window, stepped with the
// spin within 1 .. the row count.  The spin's range is 16 bits wide: beyond 65,535 rows it
// stops there, and the edit field takes any row; a row past the end goes to the last row.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "viewer/document/document.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/search_windows/search_commands_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kRowDigits = 9;
constexpr int32_t kSpinLimit = 0xFFFF;

BOOL OnInitDialog(HWND dialog) {
  char text[16];
  std::snprintf(text, sizeof text, "%ld", long(TheDocument.TopLine) + 1);
  SendDlgItemMessageA(dialog, IDC_JUMP_ROW, EM_LIMITTEXT, kRowDigits, 0);
  SetDlgItemTextA(dialog, IDC_JUMP_ROW, text);
  const int32_t last = std::clamp<int32_t>(TheDocument.RowCount, 1, kSpinLimit);
  SendDlgItemMessageA(dialog, IDC_JUMP_SPIN, BM_SETSTYLE, 0, MAKELPARAM(1, last));
  return TRUE;
}

// The row typed (1-based), within 1 .. RowCount.
int32_t TypedRow(HWND dialog) {
  char text[kRowDigits + 1] = "";
  GetDlgItemTextA(dialog, IDC_JUMP_ROW, text, sizeof text);
  const long typed = std::strtol(text, nullptr, 10);
  return int32_t(std::clamp<long>(typed, 1, std::max<long>(TheDocument.RowCount, 1)));
}

}  // namespace

INT_PTR CALLBACK JumpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        GoToPosition(TypedRow(dialog) - 1, TheDocument.LeftColumn);
        EndDialog(dialog, 0);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void JumpCommand(HWND window) {
  LoadAll();
  RunDialog(IDD_JUMP, window, JumpDialogProc);
}
