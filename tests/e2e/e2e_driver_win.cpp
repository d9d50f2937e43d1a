// The end-to-end driver (see e2e_driver_win.h).
#include "tests/e2e/e2e_driver_win.h"

#include <cstring>

#include <cstdio>

#include "platform/win/owners.h"
#include "tests/support/png_writer.h"

namespace e2e {

namespace {

constexpr DWORD SendTimeoutMs = 10000;

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

LPARAM Point(int x, int y) { return MAKELPARAM(WORD(short(x)), WORD(short(y))); }

struct Search {
  DWORD processId;
  const char* className;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  if (ClassOf(hwnd) != search->className) return TRUE;
  if (search->title && Text(hwnd) != search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

void SendMouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

std::string ExeDir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOf(path);
}

std::string ScreenshotDir() { return ExeDir() + "\\screenshots"; }

Program::Program(const std::string& commandLine, const std::string& workingDir, bool waitIdle) {
  std::string line = commandLine;
  if (line.find(':') == std::string::npos && line[0] != '\\') line = ExeDir() + "\\" + line;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string folder = workingDir.empty() ? ExeDir() : workingDir;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info))
    return;
  win::Handle thread(info.hThread);
  process_.Reset(info.hProcess);
  id_ = info.dwProcessId;
  if (waitIdle) WaitForInputIdle(process_, 10000);
}

Program::~Program() {
  Kill();
}

bool Program::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Program::WaitExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(process_, exitCode);
  return true;
}

void Program::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Pause(10);
  }
}

void Pause(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

std::string ClassOf(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

HWND FindTopWindow(DWORD processId, const char* className, const char* title) {
  Search search{processId, className, title, nullptr};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(processId, className, title)) != nullptr; }, timeoutMs);
  return found;
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string Text(HWND hwnd) {
  DWORD_PTR length = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SendTimeoutMs, &length);
  // The length may count characters where the text has double-byte ones: room for both.
  std::string text(2 * length + 2, '\0');
  SendMessageTimeoutA(hwnd, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()), SMTO_ABORTIFHUNG,
                      SendTimeoutMs, nullptr);
  // The count returned may also be in characters: the NUL tells where the text ends.
  text.resize(std::min(text.size(), std::strlen(text.c_str())));
  return text;
}

std::string MessageBoxText(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassOf(child) == "Static" && !Text(child).empty()) return Text(child);
  return {};
}

void SetText(HWND hwnd, const std::string& text) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(hwnd, WM_SETTEXT, 0, LPARAM(text.c_str()), SMTO_ABORTIFHUNG, SendTimeoutMs,
                      &ignored);
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs, &result);
  return LRESULT(result);
}

void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageA(hwnd, message, wParam, lParam);
}

void MouseDown(HWND hwnd, int x, int y) { Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y)); }
void MouseMove(HWND hwnd, int x, int y, bool buttonDown) {
  Send(hwnd, WM_MOUSEMOVE, buttonDown ? MK_LBUTTON : 0, Point(x, y));
}
void MouseUp(HWND hwnd, int x, int y) { Send(hwnd, WM_LBUTTONUP, 0, Point(x, y)); }

// The pointer is put where the click is first: a control that captures the mouse on the press
// hears the pointer's real moves, and one left elsewhere would count the click as outside.
void Click(HWND hwnd, int x, int y) {
  POINT screen{x, y};
  ClientToScreen(hwnd, &screen);
  SetCursorPos(screen.x, screen.y);
  MouseDown(hwnd, x, y);
  MouseUp(hwnd, x, y);
}

void ClickCentre(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  Click(hwnd, rc.right / 2, rc.bottom / 2);
}

void KeyDown(HWND hwnd, UINT key) { Send(hwnd, WM_KEYDOWN, key, 1); }
void KeyUp(HWND hwnd, UINT key) { Send(hwnd, WM_KEYUP, key, LPARAM(0xC0000001)); }
void Key(HWND hwnd, UINT key) {
  KeyDown(hwnd, key);
  KeyUp(hwnd, key);
}

void RealClick(HWND hwnd, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(hwnd, &pt);
  SetCursorPos(pt.x, pt.y);
  Pause(50);
  SendMouseInput(MOUSEEVENTF_LEFTDOWN);
  Pause(50);
  SendMouseInput(MOUSEEVENTF_LEFTUP);
  Pause(100);
}

void RealWheel(HWND hwnd, int x, int y, int notches) {
  POINT pt{x, y};
  ClientToScreen(hwnd, &pt);
  SetCursorPos(pt.x, pt.y);
  Pause(50);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = DWORD(notches * WHEEL_DELTA);
  SendInput(1, &input, sizeof input);
  Pause(200);
}

namespace {

void SendKeyInput(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void RealKey(WORD key) {
  SendKeyInput(key, 0);
  Pause(30);
  SendKeyInput(key, KEYEVENTF_KEYUP);
  Pause(100);
}

HeldKey::HeldKey(WORD key) : key_(key) {
  SendKeyInput(key_, 0);
  WaitUntil([&] { return (GetAsyncKeyState(key_) & 0x8000) != 0; }, 2000);
}

HeldKey::~HeldKey() {
  SendKeyInput(key_, KEYEVENTF_KEYUP);
  WaitUntil([&] { return (GetAsyncKeyState(key_) & 0x8000) == 0; }, 2000);
}

bool IsAbove(HWND upper, HWND lower) {
  for (HWND below = GetWindow(upper, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
    if (below == lower) return true;
  return false;
}

void ShowAndSettle(HWND hwnd) {
  SetForegroundWindow(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  Pause(400);
}

COLORREF Image::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
  return RGB(p[0], p[1], p[2]);
}

Image Capture(HWND hwnd, bool clientOnly) {
  RECT rc;
  if (clientOnly) {
    GetClientRect(hwnd, &rc);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  } else {
    GetWindowRect(hwnd, &rc);
  }
  return CaptureScreen(rc);
}

Image CaptureScreen(const RECT& rc) {
  Image image;
  image.width = rc.right - rc.left;
  image.height = rc.bottom - rc.top;
  if (image.width <= 0 || image.height <= 0) return image;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::WindowDC screen(nullptr);
  win::MemoryDC memory(screen);
  win::Bitmap dib(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return image;
  {
    win::Selection use(memory, dib);
    BitBlt(memory, 0, 0, image.width, image.height, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
  }
  const uint8_t* bgra = static_cast<const uint8_t*>(bits);
  image.rgb.resize(size_t(image.width) * size_t(image.height) * 3);
  for (size_t i = 0; i < size_t(image.width) * size_t(image.height); ++i) {
    image.rgb[i * 3] = bgra[i * 4 + 2];
    image.rgb[i * 3 + 1] = bgra[i * 4 + 1];
    image.rgb[i * 3 + 2] = bgra[i * 4];
  }
  return image;
}

std::string SavePng(const Image& image, const std::string& name) {
  std::vector<uint8_t> png = EncodePng(image.width, image.height, image.rgb);
  CreateDirectoryA(ScreenshotDir().c_str(), nullptr);
  std::string path = ScreenshotDir() + "\\" + name + ".png";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return {};
  bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  std::fclose(file);
  return written ? path : std::string();
}

std::string SaveScreenshot(HWND hwnd, const std::string& name) {
  ShowAndSettle(hwnd);
  return SavePng(Capture(hwnd), name);
}

std::string ReadFileBytes(const std::string& path, bool* exists) {
  std::string bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (exists) *exists = file != nullptr;
  if (!file) return bytes;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

std::string WindowsDirFile(const char* name) {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

}  // namespace e2e
