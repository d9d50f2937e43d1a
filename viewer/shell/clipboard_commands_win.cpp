// The clipboard copies: the texts come from the document (clipboard_text.h); this file reads
// the quote prefix, opens the clipboard and hands it a moveable block with CR LF line ends.
#include "viewer/shell/clipboard_commands_win.h"

#include <cstring>
#include <string>

#include "viewer/document/clipboard_text.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kDefaultQuote[] = "》";
constexpr int kQuoteSize = 80;  // at most 79 bytes and the NUL

// The CF_TEXT the clipboard holds now (up to its NUL), or nothing.
std::string ClipboardText() {
  if (!IsClipboardFormatAvailable(CF_TEXT)) return {};
  win::GlobalLockScope<const char> held(GetClipboardData(CF_TEXT));
  if (!held.data()) return {};
  return std::string(held.data(), strnlen(held.data(), held.size()));
}

std::string QuotePrefix() {
  char prefix[kQuoteSize];
  SettingsKeyScope key;
  ReadStringSetting("ClipStr", kDefaultQuote, prefix, sizeof prefix);
  return prefix;
}

}  // namespace

void ClipboardPut(HWND owner, std::string_view text, bool append) {
  win::ClipboardScope clipboard(owner);
  if (!clipboard.open()) {
    MessageBoxA(owner, "クリップボードが開けません", kProgramTitle, MB_OK | MB_ICONERROR);
    return;
  }
  const std::string before = append ? ClipboardText() : std::string();
  const std::string added = WithCrLfLineEnds(text);
  win::GlobalMemory block = win::AllocateGlobal(before.size() + added.size() + 1);
  {
    win::GlobalLockScope<char> bytes(block);
    if (!bytes.data()) return;
    std::memcpy(bytes.data(), before.data(), before.size());
    std::memcpy(bytes.data() + before.size(), added.data(), added.size());
  }
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block)) (void)block.Take();  // the clipboard owns it now
}

bool CopyCommand(HWND window, int id) {
  const int32_t* selection = TheDocument.Selection;
  switch (id) {
    case IDM_COPY_ROW:
      ClipboardPut(window, CopyRows(TheDocument.TopLine, 1), false);
      return true;
    case IDM_COPY_SCREEN:
      ClipboardPut(window, ScreenText(PageRowCount), false);
      return true;
    case IDM_COPY_SELECTION:
      ClipboardPut(window, SelectionText(selection, PageRowCount), false);
      ClearSelection();
      return true;
    case IDM_COPY_QUOTED:
      ClipboardPut(window, QuotedSelectionText(selection, PageRowCount, QuotePrefix(), TabSize), false);
      ClearSelection();
      return true;
    case IDM_COPY_APPEND:
      ClipboardPut(window, SelectionText(selection, PageRowCount), true);
      return true;
    case IDM_COPY_ALL:
      ClipboardPut(window, WholeText(), false);
      return true;
    default:
      return false;
  }
}
