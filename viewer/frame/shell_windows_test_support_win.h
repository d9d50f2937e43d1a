// Helpers of the Win32 shell tests: windows that are destroyed with their owner object, test
// window classes, a message pump, and a fixture with in-memory settings.
#pragma once

#include <windows.h>

#include "platform/win/owners.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "viewer/settings/memory_settings_backend.h"
#include "viewer/settings/settings_test_support.h"

using OwnedWindow = win::Window;

// Handles the messages sent or posted so far.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

inline RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

inline std::string WindowTitle(HWND window) {
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// Top-level test windows are layered: Wine then hides and destroys them at once, where it
// otherwise waits two seconds for a window manager that Xvfb does not run.
inline void MakeLayered(HWND window) {
  SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
}

// A top-level popup of `className` (registered by the test) at the given place.
inline OwnedWindow MakeWindow(const char* className, const char* title, int x, int y, int width, int height,
                              bool visible = true) {
  DWORD style = WS_POPUP | (visible ? WS_VISIBLE : 0);
  return OwnedWindow(CreateWindowExA(WS_EX_LAYERED, className, title, style, x, y, width, height, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
}

inline void RegisterTestClass(const char* className, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
  RegisterClassA(&windowClass);
}

// The maximized area the test viewer windows (class "Zelko View 32") report; a zero size
// makes the arrangement use the screen.
inline POINT ReportedMaxPosition{10, 20};
inline POINT ReportedMaxSize{800, 600};

inline LRESULT CALLBACK ViewerTestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETMINMAXINFO) {
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMaxPosition = ReportedMaxPosition;
    limits->ptMaxSize = ReportedMaxSize;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

inline void RegisterViewerTestClass() { RegisterTestClass("Zelko View 32", ViewerTestProc); }

// Settings in memory, so that nothing the tests write reaches the registry.
class ShellWindowsTest : public SettingsTest {};
