// The end-to-end driver: starts a program of the system, finds its windows by class and
// process, sends it messages, keys and mouse input (as messages or as real input), reads
// texts, waits with time limits and saves screenshots as PNG files under the build folder.
// Every e2e test executable of the project builds on it.
#pragma once

#include <windows.h>

#include "platform/win/owners.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The folder of the running test executable: the deliverables are built beside it.
std::string ExeDir();
std::string ScreenshotDir();

// A started program; closed (and ended, if still running) when the object goes.
class Program {
 public:
  // `commandLine` starts with the program's file name, looked up in ExeDir() when relative.
  // The program starts in `workingDir` (default: ExeDir()).  Unless waitIdle is false, the
  // constructor waits until the program first waits for input (Wine counts a program that
  // polls its queue without sleeping, as the viewer does while it loads, as never idle).
  explicit Program(const std::string& commandLine, const std::string& workingDir = {}, bool waitIdle = true);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  bool Started() const { return bool(process_); }
  DWORD Id() const { return id_; }
  bool Running() const;
  // True when the program ended within the time; its exit code goes to *exitCode.
  bool WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  void Kill();

 private:
  win::Handle process_;
  DWORD id_ = 0;
};

// Waits until `done` holds, checking every few milliseconds; false on time-out.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);
void Pause(DWORD ms);

std::string ClassOf(HWND hwnd);
// A visible top-level window of the process with that class (and title, when given).
HWND FindTopWindow(DWORD processId, const char* className, const char* title = nullptr);
HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs);
HWND Item(HWND dialog, int id);

std::string Text(HWND hwnd);
// The text of a message box: the first static child with text.
std::string MessageBoxText(HWND box);
void SetText(HWND hwnd, const std::string& text);
// SendMessage with a time limit, so a hung program fails the test instead of hanging it.
LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void Post(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Mouse and keys as window messages, at client coordinates of `hwnd`.
void MouseDown(HWND hwnd, int x, int y);
void MouseMove(HWND hwnd, int x, int y, bool buttonDown = true);
void MouseUp(HWND hwnd, int x, int y);
void Click(HWND hwnd, int x, int y);
void ClickCentre(HWND hwnd);
void KeyDown(HWND hwnd, UINT key);
void KeyUp(HWND hwnd, UINT key);
void Key(HWND hwnd, UINT key);

// Real input through the system's input queue: the pointer moves to the client point of
// `hwnd` and the left button goes down and up there, so hit testing decides who gets it.
void RealClick(HWND hwnd, int x, int y);
// The wheel turned by `notches` (positive away from the user, negative towards) through the
// system's input queue, with the pointer at the client point of `hwnd`.
void RealWheel(HWND hwnd, int x, int y, int notches);
// A key pressed and released through the system's input queue: it reaches the window with the
// keyboard focus, through the dialog manager when that is a dialog's (Esc, Enter, and with
// HeldKey(VK_MENU) the Alt+letter mnemonics).
void RealKey(WORD key);
// Holds a modifier key (VK_SHIFT, VK_CONTROL) down through the system's input queue for the
// object's lifetime, so that programs asking for the keyboard state see it.
class HeldKey {
 public:
  explicit HeldKey(WORD key);
  ~HeldKey();
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  WORD key_;
};

// Whether the top-level window `upper` lies above `lower` in the z-order.
bool IsAbove(HWND upper, HWND lower);

// Brings the window to the front and lets it repaint completely.
void ShowAndSettle(HWND hwnd);

// A copy of what the screen shows of a window (whole window, or its client area).
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // top row first
  COLORREF Pixel(int x, int y) const;
};
Image Capture(HWND hwnd, bool clientOnly = false);
// A copy of a rectangle of the screen.
Image CaptureScreen(const RECT& screenRect);
// Writes ScreenshotDir()\NAME.png; returns the path written (empty on failure).
std::string SavePng(const Image& image, const std::string& name);
std::string SaveScreenshot(HWND hwnd, const std::string& name);

// Reads a whole file (empty when missing); `exists` tells which.
std::string ReadFileBytes(const std::string& path, bool* exists = nullptr);
std::string WindowsDirFile(const char* name);

}  // namespace e2e
