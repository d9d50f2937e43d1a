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
