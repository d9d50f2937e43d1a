// placeholder
#include "viewer/shell/status_bar_win.h"
#include "viewer/shell/viewer_globals_win.h"
void ShowStatusMessage(const char*, int) {}
void SetBusy(bool) {}
void StatusMessageText(char* b, int) { b[0] = 0; }
