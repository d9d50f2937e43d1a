// placeholder
#include "viewer/shell/main_window_win.h"
LRESULT CALLBACK MainWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }
void LayOutMainWindow(HWND, int, int) {}
