// Test helpers for the clipboard copies: the CF_TEXT on the clipboard as another program
// reads it, and an emptied clipboard to start from.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

inline std::string ClipboardTextNow() {
  if (!OpenClipboard(nullptr)) return "(cannot open)";
  std::string text = "(no text)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text.assign(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// False when the clipboard could not be opened.
inline bool EmptyClipboardNow() {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  CloseClipboard();
  return true;
}
