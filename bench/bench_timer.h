// Wall-clock seconds for the benchmark drivers (host only; no <chrono> under CP932 literals).
#pragma once

#include <time.h>

inline double BenchSeconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}
