// placeholder until built
#include "viewer/document/text_window_win.h"

void BuildMarkGlyphs(HWND) {}
