// Test helpers for the clipboard copies: the CF_TEXT on the clipboard as another program
// reads it, and an emptied clipboard to start from.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win/owners.h"

inline std::string ClipboardTextNow() {
  win::ClipboardScope clipboard(nullptr);
  if (!clipboard.open()) return "(cannot open)";
  win::GlobalLockScope<const char> bytes(GetClipboardData(CF_TEXT));
  if (!bytes.data()) return "(no text)";
  return std::string(bytes.data(), strnlen(bytes.data(), bytes.size()));
}

// False when the clipboard could not be opened.
inline bool EmptyClipboardNow() {
  win::ClipboardScope clipboard(nullptr);
  if (!clipboard.open()) return false;
  EmptyClipboard();
  return true;
}
