// Starting the editor and the external tools with the shown file, the top row and the
// selection (command templates), and watching the editor so the file is reloaded when it ends.
#pragma once

#include <windows.h>

// Expands `commandTemplate` and starts it; with `watch` the process is watched and the shown
// file reloaded when it ends.  A start that fails shows nothing.  False when nothing started.
bool RunExternalCommand(const char* commandTemplate, bool watch);
// Tool n (0..6, the setting Tool0..Tool6); an unset tool ("*" or empty) starts nothing.
bool RunExternalTool(int n);
