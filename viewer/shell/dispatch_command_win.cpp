// placeholder until built
#include "viewer/shell/dispatch_command_win.h"
int DispatchCommand(HWND, int) { return 0; }
void ClearMarks() {}
