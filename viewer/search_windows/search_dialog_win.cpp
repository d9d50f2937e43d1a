// The search dialog "Search": the history newest first in the combo box, the edit field from
// the selection or the last pattern, the two options, the clipboard button, and the three
// ways out (search backward, forward, or all rows at once).
#include <cstring>
#include <string>
#include <string_view>

#include "platform/win/owners.h"
#include "viewer/search_windows/search_commands_win.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/search_history.h"
#include "viewer/search/search_session.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr size_t kPatternLimit = kSearchPatternSize - 1;

void FillHistory(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_SEARCH_TEXT);
  for (const std::string& entry : SearchHistoryEntries(SearchHistory))
    SendMessageA(combo, CB_INSERTSTRING, 0, LPARAM(entry.c_str()));
}

BOOL OnInitDialog(HWND dialog) {
  FillHistory(dialog);
  SendDlgItemMessageA(dialog, IDC_SEARCH_TEXT, CB_LIMITTEXT, kPatternLimit, 0);
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, InitialSearchText(PageRowCount).c_str());
  SetChecked(dialog, IDC_SEARCH_IGNORE_CASE, CaseSensitive == 0);
  SetChecked(dialog, IDC_SEARCH_REGEX, RegexMode != 0);
  SendMessageA(dialog, DM_SETDEFID, IDC_SEARCH_FORWARD, 0);  // Enter searches forward
  StartSearchAtTopRow();
  return TRUE;
}

void PasteClipboardText(HWND dialog) {
  if (!IsClipboardFormatAvailable(CF_TEXT)) return;
  win::ClipboardScope clipboard(dialog);
  if (!clipboard.open()) return;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return;
  win::GlobalLockScope<const char> text(data);
  if (!text.data()) return;
  const std::string_view bytes(text.data(), strnlen(text.data(), text.size()));
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, SearchTextFrom(bytes, kPatternLimit).c_str());
}

void Close(HWND dialog, bool recordHistory) {
  if (recordHistory) RecordSearchHistory(SearchHistory, SearchPattern);
  EndDialog(dialog, 0);
}

// 200 and 201: the repeat search in that direction runs once the dialog is gone.
void SearchOnce(HWND dialog, int repeatCommand) {
  ReadSearchDialog(dialog);
  RepeatAfterSearchDialog = repeatCommand;
  Close(dialog, true);
}

BOOL OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_SEARCH_CLIPBOARD:
      PasteClipboardText(dialog);
      return TRUE;
    case IDC_SEARCH_BACKWARD:
      SearchOnce(dialog, IDM_SEARCH_BACKWARD);
      return TRUE;
    case IDC_SEARCH_FORWARD:
      SearchOnce(dialog, IDM_SEARCH_FORWARD);
      return TRUE;
    case IDC_SEARCH_ALL:
      BatchSearch(dialog);
      return TRUE;
    case IDOK:
      Close(dialog, true);
      return TRUE;
    case IDCANCEL:
      Close(dialog, false);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

int RepeatAfterSearchDialog = 0;

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

void ReadSearchDialog(HWND dialog) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text, sizeof text);
  const std::string pattern = SearchTextFrom(text, kPatternLimit);
  std::memcpy(SearchPattern, pattern.c_str(), pattern.size() + 1);
  CaseSensitive = !IsChecked(dialog, IDC_SEARCH_IGNORE_CASE);
  RegexMode = IsChecked(dialog, IDC_SEARCH_REGEX);
  if (!PrepareSearch()) ShowInformation(dialog, kInvalidRegexMessage);
}
