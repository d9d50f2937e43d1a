// The pause between two looks at a followed file on Windows.
#include <windows.h>

#include "utilities/zvcat/zvcat_follow.h"

void WaitBeforeNextLook(uint32_t milliseconds) { Sleep(milliseconds); }
