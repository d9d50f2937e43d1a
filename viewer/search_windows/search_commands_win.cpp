// The search commands of the main window: 200 opens the search dialog (and runs the repeat
// search it asks for once it has closed), 201 and 202 step to the previous or next hit, 302
// opens the jump dialog.
#include "platform/win/owners.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/search_windows/line_list_win.h"
#include "viewer/search_windows/search_commands_win.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/search_session.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/viewer_globals_win.h"

const char kSearchNotFound[] = "検索文字列が見つかりません";

namespace {

void ReportNotFound(HWND window) {
  MessageBeep(0);
  if (ShowStatusBar)
    ShowStatusMessage(kSearchNotFound, 1);
  else
    ShowInformation(window, kSearchNotFound);
}

void OpenSearchDialog(HWND window) {
  RepeatAfterSearchDialog = 0;
  RunDialog(IDD_SEARCH, window, SearchDialogProc);
  if (RepeatAfterSearchDialog) PostMessageA(window, WM_COMMAND, WPARAM(RepeatAfterSearchDialog), 0);
  RepeatAfterSearchDialog = 0;
}

}  // namespace

void RepeatSearch(HWND window, bool forward) {
  if (SearchPattern[0] == '\0') {
    PostMessageA(window, WM_COMMAND, IDM_SEARCH, 0);
    return;
  }
  char* hit = nullptr;
  int length = 0;
  int32_t row = -1;
  {
    win::BusyScope<SetBusy> busy;
    row = SearchNext(forward, &hit, &length);
  }
  if (row < 0) {
    ReportNotFound(window);
    return;
  }
  SelectRange(row, hit, length);
  ShowRowAtTab(row);
}

void SearchCommand(HWND window, int id) {
  switch (id) {
    case IDM_SEARCH:
      OpenSearchDialog(window);
      return;
    case IDM_SEARCH_BACKWARD:
    case IDM_SEARCH_FORWARD:
      RepeatSearch(window, id == IDM_SEARCH_FORWARD);
      return;
    case IDM_JUMP:
      JumpCommand(window);
      return;
  }
}
