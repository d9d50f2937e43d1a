// The pause between two looks at a followed file on POSIX systems.
#include <poll.h>

#include "utilities/zvcat/zvcat_follow.h"

void WaitBeforeNextLook(uint32_t milliseconds) { ::poll(nullptr, 0, int(milliseconds)); }
