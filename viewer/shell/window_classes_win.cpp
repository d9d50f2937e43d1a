// placeholder
#include "viewer/shell/window_classes_win.h"
bool RegisterViewerClasses(HINSTANCE, bool) { return true; }
