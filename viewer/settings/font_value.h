// A font description as the settings store keeps and stores it: the 60-byte layout of the
// ANSI LOGFONT (5 x i32, 8 x u8, 32 bytes of face name), on every build width.  The Win32
// layer converts it to and from LOGFONTA (settings_win.h).
#pragma once

#include <cstdint>

constexpr int kLogFontSize = 60;

struct LogFontBytes {
  uint8_t bytes[kLogFontSize] = {};
};
