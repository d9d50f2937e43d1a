// UTF-8 to Shift-JIS through the code-page calls.
#include <windows.h>

#include <vector>

#include "utilities/zvcat/zvcat_pattern.h"

bool Utf8ToSjis(const std::string& utf8, std::string& sjis) {
  if (utf8.empty()) {
    sjis.clear();
    return true;
  }
  int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), nullptr, 0);
  if (wide <= 0) return false;
  std::vector<wchar_t> buffer(size_t(wide));
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), buffer.data(), wide);
  BOOL lossy = FALSE;
  int bytes = WideCharToMultiByte(932, 0, buffer.data(), wide, nullptr, 0, nullptr, &lossy);
  if (bytes <= 0 || lossy) return false;
  std::string out(size_t(bytes), '\0');
  WideCharToMultiByte(932, 0, buffer.data(), wide, out.data(), bytes, nullptr, nullptr);
  sjis = out;
  return true;
}
