// Small platform queries the portable core needs: memory status, the tick count and the local
// time zone.
// platform_posix.cpp reads /proc/meminfo; platform_win.cpp asks the memory status call.
#pragma once

#include <cstddef>
#include <cstdint>

// Available physical memory plus available page file (swap), in bytes.
uint64_t AvailableMemoryBytes();
// A hint that a large, freshly allocated block will be filled from start to end (lets the
// system back it with large pages).  Does nothing where there is no such hint.
void AdviseSequentialFill(void* block, size_t size);
// Backs the pages of [start, start + size) with memory now, in one call instead of one page
// fault per page as they are first written.  Does nothing where the system has no such call.
void PrefaultForWrite(void* start, size_t size);
// Milliseconds since some fixed point, wrapping at 2^32.
uint32_t TickCount();
// How far local time is ahead of UTC at the moment `unixSeconds` (seconds since 1970, UTC),
// daylight saving included; 0 when the system cannot say.
int64_t LocalTimeOffsetSeconds(int64_t unixSeconds);
