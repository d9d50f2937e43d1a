// Platform queries on Windows.
#include <windows.h>

#include "platform/platform.h"

uint64_t AvailableMemoryBytes() {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  // ullAvailPageFile already includes the physical memory on Windows, so it is the commit
  // space that remains; the physical memory is added as the viewer has always counted it.
  return status.ullAvailPhys + status.ullAvailPageFile;
}

uint32_t TickCount() { return GetTickCount(); }

void AdviseSequentialFill(void*, size_t) {}

void PrefaultForWrite(void*, size_t) {}

int64_t LocalTimeOffsetSeconds(int64_t unixSeconds) {
  constexpr int64_t kTicksPerSecond = 10000000;            // FILETIME counts 100 ns
  constexpr int64_t kUnixEpochInTicks = 116444736000000000;  // 1970-01-01 since 1601-01-01
  constexpr int64_t kEarliest = -kUnixEpochInTicks / kTicksPerSecond;  // 1601-01-01
  constexpr int64_t kLatest = int64_t(1) << 40;                         // far beyond any archive's date
  if (unixSeconds < kEarliest || unixSeconds > kLatest) return 0;
  int64_t ticks = unixSeconds * kTicksPerSecond + kUnixEpochInTicks;
  FILETIME utcFile{DWORD(uint64_t(ticks)), DWORD(uint64_t(ticks) >> 32)};
  SYSTEMTIME utc, local;
  FILETIME localFile;
  if (!FileTimeToSystemTime(&utcFile, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
      !SystemTimeToFileTime(&local, &localFile))
    return 0;
  int64_t localTicks = int64_t((uint64_t(localFile.dwHighDateTime) << 32) | localFile.dwLowDateTime);
  return (localTicks - ticks) / kTicksPerSecond;
}
