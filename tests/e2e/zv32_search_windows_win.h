// What the programs that drive ZV32.EXE's searching from outside know of it: the commands,
// the ids of the search, progress and jump dialogs and the line-list window, and a posted
// press of a control library button.
#pragma once

#include <windows.h>

#include "tests/e2e/e2e_driver_win.h"
#include "viewer/resources/zv32_ids.h"

namespace e2e {

constexpr int kSearchCommand = IDM_SEARCH;
constexpr int kBackwardCommand = IDM_SEARCH_BACKWARD;
constexpr int kForwardCommand = IDM_SEARCH_FORWARD;
constexpr int kEndOfFileCommand = IDM_BOTTOM;
constexpr int kJumpCommand = IDM_JUMP;
constexpr int kSearchText = IDC_SEARCH_TEXT;  // the combo box of "文字列の検索"
constexpr int kIgnoreCase = IDC_SEARCH_IGNORE_CASE;
constexpr int kRegex = IDC_SEARCH_REGEX;
constexpr int kSearchClipboardButton = IDC_SEARCH_CLIPBOARD;
constexpr int kSearchBackwardButton = IDC_SEARCH_BACKWARD;
constexpr int kSearchForwardButton = IDC_SEARCH_FORWARD;
constexpr int kSearchAllButton = IDC_SEARCH_ALL;
constexpr int kAbortText = IDC_ABORT_TEXT;  // "検索数:%d" in the progress dialog
constexpr int kJumpRow = IDC_JUMP_ROW;
constexpr int kJumpSpin = IDC_JUMP_SPIN;
constexpr int kListBox = IDC_LINE_LIST_BOX;  // the list box of a line-list window
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
