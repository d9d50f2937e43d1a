// Small platform queries the portable core needs: memory status and the tick count.
// platform_posix.cpp reads /proc/meminfo; platform_win.cpp asks the memory status call.
#pragma once

#include <cstdint>

// Available physical memory plus available page file (swap), in bytes.
uint64_t AvailableMemoryBytes();
// Milliseconds since some fixed point, wrapping at 2^32.
uint32_t TickCount();
