// placeholder until built
#include "viewer/shell/tool_bar_win.h"
int ToolBarEnd = 0;
void BuildToolBar(HWND) {}
void DestroyToolBar(HWND) {}
