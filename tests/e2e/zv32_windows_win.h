// What the programs that drive ZV32.EXE from outside know of its windows: the class names and
// the ids of the status items of the main window.
#pragma once

#include <windows.h>

#include "viewer/resources/zv32_ids.h"

namespace e2e {

constexpr char kViewerClass[] = "Zelko View 32";
constexpr char kTextWindowClass[] = "ZelkoView!Text";
constexpr int kPositionItem = 1001;  // "top/rows"
constexpr int kMessageItem = 1003;   // the status message
constexpr int kLoadMeterItem = 1004; // BM_GETSTATE: per cent loaded

inline HWND TextWindowOf(HWND main) { return FindWindowExA(main, nullptr, kTextWindowClass, nullptr); }

}  // namespace e2e
