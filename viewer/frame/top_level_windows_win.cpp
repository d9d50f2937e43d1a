// Walking the top-level windows and matching their class names.
#include "viewer/frame/top_level_windows_win.h"

namespace {

constexpr int kComparedClassChars = 28;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

// Class names are ASCII; only the letters A-Z fold.
bool SameClassName(const char* a, const char* b) {
  for (int i = 0; i < kComparedClassChars; ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    if (a[i] == '\0') return true;
  }
  return true;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) windows.push_back(w);
  return windows;
}

bool HasWindowClass(HWND window, const char* className) {
  char name[kComparedClassChars + 1] = "";
  if (GetClassNameA(window, name, sizeof name) == 0) return false;
  return SameClassName(name, className);
}

HWND FindOwnWindow(const char* className) {
  const DWORD self = GetCurrentProcessId();
  for (HWND w : TopLevelWindows()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == self && HasWindowClass(w, className)) return w;
  }
  return nullptr;
}
