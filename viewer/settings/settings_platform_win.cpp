// Platform services of the settings store on Windows: the error box, the stock fonts and the
// current directory.
#include <windows.h>

#include <cstring>

#include "viewer/settings/settings_win.h"

namespace {

class Win32Platform : public SettingsPlatform {
 public:
  void ReportBrokenRegistry() override {
    MessageBoxA(nullptr, "レジストリが異常です", "Zelko View 32", MB_OK | MB_ICONERROR);
  }

  void StockFont(int which, LogFontBytes& font) override {
    LOGFONTA description{};
    HGDIOBJ stock = GetStockObject(which == kSystemFixedFont ? SYSTEM_FIXED_FONT : SYSTEM_FONT);
    if (stock && GetObjectA(stock, sizeof description, &description) > 0) font = BytesFromLogFont(description);
    else font = LogFontBytes{};
  }

  bool EnterDirectory(const char* path) override { return SetCurrentDirectoryA(path) != 0; }

  void CurrentDirectory(char* buffer, size_t size) override {
    if (size == 0) return;
    DWORD length = GetCurrentDirectoryA(DWORD(size), buffer);
    if (length == 0 || length >= size) std::strcpy(buffer, size > 1 ? "." : "");
  }
};

}  // namespace

SettingsPlatform& Win32SettingsPlatform() {
  static Win32Platform platform;
  return platform;
}
