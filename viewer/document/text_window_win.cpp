// placeholder until built
#include "viewer/document/text_window_win.h"

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
void GoToPosition(int32_t, int32_t) {}
void InvalidateRows(int32_t, int32_t) {}
