// The ten window classes of the viewer, registered at start-up with the chosen icon set.
#pragma once

#include <windows.h>

bool RegisterViewerClasses(HINSTANCE instance, bool seriousIcons);
