// placeholder
#include "viewer/shell/document_host_win.h"
void InstallWin32DocumentHost() {}
