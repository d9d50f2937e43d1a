// WindowPlacementValue: where a window stood when it closed, as 17 bytes of REG_BINARY:
// left, top, width, height (i32, screen coordinates of the window rectangle) and the show
// state (3 maximized, 6 minimized, 5 otherwise).  The main window keeps the same fields in
// PrevWinRect (16 bytes) and PrevWinStyle (DWORD).
#pragma once

#include <cstdint>

constexpr int kPlacementValueSize = 17;
constexpr int kShowMaximized = 3;
constexpr int kShowNormal = 5;
constexpr int kShowMinimized = 6;

struct WindowPlacementValue {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint8_t showState = kShowNormal;
};

int ShowStateOf(bool maximized, bool minimized);

void EncodeWindowPlacement(const WindowPlacementValue& placement, uint8_t bytes[kPlacementValueSize]);
WindowPlacementValue DecodeWindowPlacement(const uint8_t bytes[kPlacementValueSize]);

// Reads a value of exactly 17 bytes; false (placement untouched) otherwise.  Key must be open.
bool ReadWindowPlacement(const char* name, WindowPlacementValue& placement);
[[nodiscard]] bool WriteWindowPlacement(const char* name, const WindowPlacementValue& placement);

// Writes PrevWinRect and PrevWinStyle of the main window (opens the key itself).
[[nodiscard]] bool SaveMainPlacement(const WindowPlacementValue& placement);
