// Following the shown file while it grows (command "ファイル追従"): the watch of its folder, the
// looks at its size, the view that keeps showing the last row, and the status-bar item that
// says so.
#pragma once

#include <windows.h>

#include <cstdint>

// The command: turns following on (the view goes to the end) or off.
void ToggleFollowCommand();
[[nodiscard]] bool FollowingFile();
// Turns following off, with `message` (may be null) in the status bar.
void StopFollowing(const char* message);
// The menu item: checked while following, greyed when the shown file cannot be followed.
void UpdateFollowMenuItem(HMENU popup);

// For the main loop's idle wait: the folder's change notification (0 or 1 handle written to
// `handles`), and how long the wait may last before the next look is due (INFINITE when not
// following).
DWORD FollowWaitHandles(HANDLE* handles);
DWORD FollowWaitTimeout();
// After the wait: `notified` when the folder's handle ended it.  Looks at the file when a look
// is due.
void FollowAfterWait(bool notified);
