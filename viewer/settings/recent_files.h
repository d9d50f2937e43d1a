// The recent-file list: File00 (newest) .. File04 in the settings.
#pragma once

constexpr int kRecentFileCount = 5;
constexpr unsigned kRecentFileSize = 200;

// Makes fileName the newest entry: an entry equal to it (ignoring case) or the first empty
// one is reused, else the oldest falls out.  Nothing happens for "(未表示)" (no file shown)
// or for a name of kRecentFileSize bytes or more, which an entry cannot hold.  False when an
// entry could not be stored.
[[nodiscard]] bool PushRecentFile(const char* fileName);
// Reads entry i (0..4) into buffer (kRecentFileSize bytes); "" when unset.
void ReadRecentFile(int i, char* buffer);
// Shift-JIS aware comparison ignoring the case of ASCII letters (trail bytes are compared
// exactly).
bool SameNameIgnoringCase(const char* a, const char* b);
