// Where a sub-window (Zelko Filer, the archive filer, the list windows) opens: its saved
// placement, or next to the main window at the default size, kept on the screen; and the
// show state it opens with.
#pragma once

#include <cstdint>

constexpr int32_t kDefaultSubWindowSize = 150;
constexpr int32_t kLeastSubWindowWidth = 240;
constexpr int32_t kLeastSubWindowHeight = 200;
constexpr int32_t kUsualSubWindowWidth = 320;
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
struct SubWindowRect {
  int32_t left, top, width, height;
};
// Where a sub-window with no saved placement opens, beside the main window `main` (screen
// coordinates, right and bottom exclusive): right of it, as tall, when the screen has room for
// the least width there; otherwise below it, as wide, moved up as far as needed but never over
// the main window's caption and menu (`topBand` pixels from its top).
SubWindowRect DefaultSubWindowPlacement(const SubWindowRect& main, int32_t screenWidth, int32_t screenHeight,
                                        int32_t topBand);

// A window saved maximized opens maximized; every other saved state (minimized, or a value
// that is no show state) opens it normally.
int ShowStateForOpening(int savedState);
