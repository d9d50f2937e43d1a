// What the timing drivers of the benchmarks share: a millisecond clock, a figure printed as
// "name value" (or "name n/a"), and a send that waits for a busy viewer.
#pragma once

#include <windows.h>

#include <cstdio>

namespace e2e {

inline double NowMs() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

inline void PrintFigure(const char* name, double value, bool known = true) {
  if (known)
    std::printf("%s %.1f\n", name, value);
  else
    std::printf("%s n/a\n", name);
  std::fflush(stdout);
}

constexpr DWORD kPatientReplyMs = 120000;

// A send that waits for the window however busy its program is (up to `timeoutMs`); -1 when
// no answer came.
inline LRESULT SendPatiently(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                             DWORD timeoutMs = kPatientReplyMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result)) return -1;
  return LRESULT(result);
}

}  // namespace e2e
