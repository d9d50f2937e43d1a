// The clipboard copies of the main window (commands 110-115): the top row, the screen, the
// selection, the quoted selection, the selection appended, the whole text, put on the
// clipboard as CF_TEXT.
#pragma once

#include <windows.h>

#include <string_view>

// Puts `text` on the clipboard as CF_TEXT (NUL-terminated, its line ends made CR LF as other
// programs expect them), replacing its contents; with
// `append`, after the text the clipboard holds.  When the clipboard cannot be opened the
// user is told in a message box owned by `owner` and nothing changes.
void ClipboardPut(HWND owner, std::string_view text, bool append);

// Carries out copy command `id` (110-115); returns false for other ids.
bool CopyCommand(HWND window, int id);
