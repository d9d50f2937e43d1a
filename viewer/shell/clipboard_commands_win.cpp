// The clipboard copies: the texts come from the document (clipboard_text.h); this file reads
// the quote prefix, opens the clipboard and hands it a moveable block.
#include "viewer/shell/clipboard_commands_win.h"

#include <cstring>
#include <string>

#include "viewer/document/clipboard_text.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/document/text_window_win.h"
#include "viewer/shell/settings_globals.h"
#include "viewer/shell/settings_key.h"
#include "viewer/shell/viewer_globals_win.h"

namespace {

constexpr char kDefaultQuote[] = "》";
constexpr int kQuoteSize = 80;  // at most 79 bytes and the NUL

// The clipboard, open for the object's lifetime.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

// A moveable global block, freed unless handed over with release().
class GlobalBlock {
 public:
  explicit GlobalBlock(SIZE_T size) : handle_(GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, size)) {}
  ~GlobalBlock() {
    if (handle_) GlobalFree(handle_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL get() const { return handle_; }
  HGLOBAL release() {
    HGLOBAL handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  HGLOBAL handle_;
};

// A global block locked for the object's lifetime.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL handle)
      : handle_(handle), bytes_(handle ? static_cast<char*>(GlobalLock(handle)) : nullptr) {}
  ~LockedBlock() {
    if (bytes_) GlobalUnlock(handle_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  char* bytes() const { return bytes_; }

 private:
  HGLOBAL handle_;
  char* bytes_;
};

// The CF_TEXT the clipboard holds now (up to its NUL), or nothing.
std::string ClipboardText() {
  if (!IsClipboardFormatAvailable(CF_TEXT)) return {};
  HGLOBAL handle = GetClipboardData(CF_TEXT);
  LockedBlock held(handle);
  if (!held.bytes()) return {};
  return std::string(held.bytes(), strnlen(held.bytes(), GlobalSize(handle)));
}

std::string QuotePrefix() {
  char prefix[kQuoteSize];
  SettingsKeyScope key;
  ReadStringSetting("ClipStr", kDefaultQuote, prefix, sizeof prefix);
  return prefix;
}

}  // namespace

void ClipboardPut(HWND owner, std::string_view text, bool append) {
  OpenedClipboard clipboard(owner);
  if (!clipboard.open()) {
    MessageBoxA(owner, "クリップボードが開けません", kProgramTitle, MB_OK | MB_ICONERROR);
    return;
  }
  const std::string before = append ? ClipboardText() : std::string();
  GlobalBlock block(before.size() + text.size() + 1);
  {
    LockedBlock bytes(block.get());
    if (!bytes.bytes()) return;
    std::memcpy(bytes.bytes(), before.data(), before.size());
    std::memcpy(bytes.bytes() + before.size(), text.data(), text.size());
  }
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block.get())) block.release();  // the clipboard owns it now
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
