// Platform queries on Linux.
#include <sys/mman.h>
#include <time.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

uint64_t AvailableMemoryBytes() {
  FILE* file = std::fopen("/proc/meminfo", "r");
  if (!file) return 0;
  uint64_t available = 0, swapFree = 0;
  char line[256];
  while (std::fgets(line, sizeof line, file)) {
    unsigned long long kib = 0;
    if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) available = kib * 1024;
    if (std::sscanf(line, "SwapFree: %llu kB", &kib) == 1) swapFree = kib * 1024;
  }
  std::fclose(file);
  return available + swapFree;
}

uint32_t TickCount() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint32_t(uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1000000);
}

void PrefaultForWrite(void* start, size_t size) {
#ifndef MADV_POPULATE_WRITE
  constexpr int MADV_POPULATE_WRITE = 23;  // Linux 5.14; older kernels refuse it, harmlessly
#endif
  constexpr uintptr_t kPage = 4096;
  uintptr_t first = (reinterpret_cast<uintptr_t>(start) + kPage - 1) & ~(kPage - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(start) + size) & ~(kPage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}

void AdviseSequentialFill(void* block, size_t size) {
  constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
  uintptr_t start = (reinterpret_cast<uintptr_t>(block) + kLargePage - 1) & ~(kLargePage - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(block) + size) & ~(kLargePage - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

int64_t LocalTimeOffsetSeconds(int64_t unixSeconds) {
  time_t moment = time_t(unixSeconds);
  tm local{};
  if (int64_t(moment) != unixSeconds || !localtime_r(&moment, &local)) return 0;
  return int64_t(local.tm_gmtoff);
}
