// placeholder
#include "viewer/shell/process_watch_win.h"
void PollWatchedProcesses(HWND) {}
