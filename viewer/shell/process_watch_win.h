// The processes the viewer started and watches (archive members run from a temporary copy,
// the editor): polled after every message and load step.
#pragma once

#include <windows.h>

// Checks the watched processes; those that ended get their follow-up (a temporary copy is
// deleted, the shown file reloaded after the editor).  Nothing is watched yet.
void PollWatchedProcesses(HWND owner);
