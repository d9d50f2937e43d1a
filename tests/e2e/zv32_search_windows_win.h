// What the programs that drive ZV32.EXE's searching from outside know of it: the commands,
// the ids of the search, progress and jump dialogs and the line-list window, and a posted
// press of a control library button.
#pragma once

#include <windows.h>

#include "tests/e2e/e2e_driver_win.h"

namespace e2e {

constexpr int kSearchCommand = 200;
constexpr int kBackwardCommand = 201;
constexpr int kForwardCommand = 202;
constexpr int kEndOfFileCommand = 301;
constexpr int kJumpCommand = 302;
constexpr int kSearchText = 100;  // the combo box of "文字列の検索"
constexpr int kIgnoreCase = 101;
constexpr int kRegex = 102;
constexpr int kSearchClipboardButton = 110;
constexpr int kSearchBackwardButton = 200;
constexpr int kSearchForwardButton = 201;
constexpr int kSearchAllButton = 202;
constexpr int kAbortText = 100;  // "検索数:%d" in the progress dialog
constexpr int kJumpRow = 900;
constexpr int kJumpSpin = 901;
constexpr int kListBox = 100;  // the list box of a line-list window
constexpr char kDialogClass[] = "PlimDialog";
constexpr char kListClass[] = "ZelkoView!LList";
constexpr char kSearchTitle[] = "文字列の検索";
constexpr char kBatchProgressTitle[] = "一括検索";

// A press whose handler may run long or open a modal box: the pointer goes onto the button (a
// button tracking the mouse takes the pointer's real position) and the click is posted, so
// the driver goes on at once.
inline void PostClick(HWND control) {
  RECT rc{};
  GetWindowRect(control, &rc);
  SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  GetClientRect(control, &rc);
  const LPARAM centre = MAKELPARAM(rc.right / 2, rc.bottom / 2);
  Post(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  Post(control, WM_LBUTTONUP, 0, centre);
}

}  // namespace e2e
