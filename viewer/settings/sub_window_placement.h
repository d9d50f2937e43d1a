// Where a sub-window (Zelko Filer, the archive filer, the list windows) opens: its saved
// placement, or next to the main window at the default size, kept on the screen; and the
// show state it opens with.
#pragma once

#include <cstdint>

constexpr int32_t kDefaultSubWindowSize = 150;
constexpr int kSubWindowShowMaximized = 3;
constexpr int kSubWindowShowNormal = 5;

struct SubWindowOrigin {
  int32_t left;
  int32_t top;
};

// A left edge below 0 or beyond the full-screen width, or a top edge below 0 or beyond the
// full-screen height plus a caption, becomes 0.
SubWindowOrigin ClampSubWindowOrigin(int32_t left, int32_t top, int32_t fullScreenWidth, int32_t fullScreenHeight,
                                     int32_t captionHeight);
// A window saved maximized opens maximized; every other saved state (minimized, or a value
// that is no show state) opens it normally.
int ShowStateForOpening(int savedState);
