// The commands that choose the shown file: open (101), open in a new viewer (102), reload
// (103) and the recent files of the "ﾌｧｲﾙ" menu (150-154).
#pragma once

#include <windows.h>

#include "viewer/text_window/shown_file_win.h"

// The common open dialog; the chosen file replaces the shown one, or with newViewer set is
// opened by a new viewer process.
void OpenFileCommand(HWND window, bool newViewer);
// Opens the shown file again and scrolls back to the row that was at the top.
void ReloadCommand();
// The file of recent-file item `id` of MainMenu replaces the shown one.
void OpenRecentFileCommand(int id);
