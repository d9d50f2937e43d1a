// Loading every setting at start-up and SaveSettings at exit, in their fixed orders, between
// the registry values and the globals of settings_globals.h.
#pragma once

#include <cstddef>

// Reads every value into the globals (the key stays open throughout).  showCommand is the
// show command the program was started with, the default of PrevWinStyle.  With
// RememberDirectory set, the stored LastDir becomes the current directory.
void LoadSettings(int showCommand);
// Writes every value marked for exit, LastDir being the current directory; false when any
// value was not stored (the others are written all the same).
[[nodiscard]] bool SaveSettings();

// The directory history of Zelko Filer (a string list, default the one entry "C:\").
constexpr size_t kDirHistorySize = 1536;
void LoadDirHistory(char (&block)[kDirHistorySize]);
[[nodiscard]] bool SaveDirHistory(const char (&block)[kDirHistorySize]);
