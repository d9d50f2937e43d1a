// The running viewer of the end-to-end tests (see zv32_session_win.h).
#include "tests/e2e/zv32_session_win.h"

#include "platform/win/owners.h"

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <optional>

namespace e2e {

namespace {

// "top/count" split at the slash; -1 for a side that is not there.
int PositionPart(const std::string& position, bool count) {
  size_t slash = position.find('/');
  if (slash == std::string::npos) return -1;
  std::string part = count ? position.substr(slash + 1) : position.substr(0, slash);
  return part.empty() ? -1 : std::atoi(part.c_str());
}

}  // namespace

Viewer::Viewer(const std::string& arguments, const std::string& workingDir)
    : program_(arguments.empty() ? std::string("ZV32.EXE") : "ZV32.EXE " + arguments, workingDir, false),
      main_(WaitForWindow(program_.Id(), kViewerClass, nullptr, 20000)) {}

HWND Viewer::text() const { return TextWindowOf(main_); }

int Viewer::TopRow() const { return PositionPart(Position(), false); }
int Viewer::RowCount() const { return PositionPart(Position(), true); }

bool Viewer::WaitRows(int rows, DWORD timeoutMs) const {
  return WaitUntil([&] { return RowCount() == rows; }, timeoutMs);
}

bool Viewer::WaitTopRow(int row, DWORD timeoutMs) const {
  return WaitUntil([&] { return TopRow() == row; }, timeoutMs);
}

bool Viewer::WaitMessage(const std::string& message, DWORD timeoutMs) const {
  return WaitUntil([&] { return Message() == message; }, timeoutMs);
}

void Viewer::Press(UINT key, bool shift, bool ctrl) const {
  std::optional<HeldKey> shiftKey, ctrlKey;
  if (shift) shiftKey.emplace(VK_SHIFT);
  if (ctrl) ctrlKey.emplace(VK_CONTROL);
  Send(text(), WM_KEYDOWN, key, 1);
  Pause(100);  // the command is posted: let the viewer take it while the modifiers are down
  ctrlKey.reset();
  shiftKey.reset();
  Send(text(), WM_KEYUP, key, LPARAM(0xC0000001));
}

void Viewer::Drag(POINT from, POINT to) const {
  HWND window = text();
  auto pointerTo = [window](POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
  };
  pointerTo(from);
  MouseDown(window, from.x, from.y);
  pointerTo(to);
  MouseMove(window, to.x, to.y);
  MouseUp(window, to.x, to.y);
}

void DeleteSettingsKey() { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }

bool ReadSetting(const char* name, std::string& bytes, DWORD* type) {
  DWORD size = 0, kind = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &kind, nullptr, &size) !=
      ERROR_SUCCESS)
    return false;
  bytes.assign(size, '\0');
  if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &kind, bytes.data(), &size) !=
      ERROR_SUCCESS)
    return false;
  bytes.resize(size);
  if (type) *type = kind;
  return true;
}

namespace {

void WriteSetting(const char* name, DWORD type, const void* data, DWORD size) {
  win::RegistryKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

}  // namespace

void WriteBinarySetting(const char* name, const std::string& bytes) {
  WriteSetting(name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
}

void WriteStringSetting(const char* name, const std::string& text) {
  WriteSetting(name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

void WriteDwordSetting(const char* name, DWORD value) { WriteSetting(name, REG_DWORD, &value, sizeof value); }

std::string SubWindowPlacementFault(HWND viewer, HWND subWindow) {
  RECT main{}, sub{}, overlap{};
  GetWindowRect(viewer, &main);
  GetWindowRect(subWindow, &sub);
  char where[160];
  std::snprintf(where, sizeof where, " (viewer %ld,%ld-%ld,%ld, sub-window %ld,%ld-%ld,%ld)", main.left, main.top,
                main.right, main.bottom, sub.left, sub.top, sub.right, sub.bottom);
  RECT band = main;
  band.bottom = main.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU);
  if (sub.right - sub.left < 240 || sub.bottom - sub.top < 200) return std::string("too small") + where;
  if (IntersectRect(&overlap, &band, &sub)) return std::string("over the caption or menu") + where;
  const bool right = sub.left >= main.right;
  const bool below = sub.top >= main.bottom - (sub.bottom - sub.top) && sub.left < main.right;
  if (!right && !below) return std::string("not beside the viewer") + where;
  return {};
}

int SystemFontWidth(const char* text) {
  win::WindowDC screen(nullptr);
  win::Selection font(screen, GetStockObject(SYSTEM_FONT));
  SIZE extent{};
  GetTextExtentPoint32A(screen, text, int(std::strlen(text)), &extent);
  return int(extent.cx);
}

int LongestInkBelowBaseline(const Image& list, const RECT& item, int fromX, int toX) {
  TEXTMETRICA metrics{};
  {
    win::WindowDC screen(nullptr);
    win::Selection font(screen, GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(screen, &metrics);
  }
  const int baseline = int(item.top) + (int(item.bottom - item.top) - int(metrics.tmHeight)) / 2 + int(metrics.tmAscent);
  const COLORREF background = list.Pixel(item.right - 1, item.bottom - 1);
  int longest = 0, run = 0;
  for (int x = fromX; x < toX && x < list.width; ++x) {
    bool ink = false;
    for (int y = baseline + 1; y < item.bottom && y < list.height && !ink; ++y) ink = list.Pixel(x, y) != background;
    run = ink ? run + 1 : 0;
    if (run > longest) longest = run;
  }
  return longest;
}

std::string WriteTestFile(const std::string& name, const std::string& bytes) {
  std::string folder = ExeDir() + "\\e2e-files";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string path = folder + "\\" + name;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}

std::string RepeatedLines(int count, const std::string& line) {
  std::string text;
  text.reserve(size_t(count) * line.size());
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

std::string NumberedLines(int count) {
  std::string text;
  char line[96];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(line, sizeof line, "%d 行目: 日本語のテキストです。\r\n", i);
    text += line;
  }
  return text;
}

}  // namespace e2e
