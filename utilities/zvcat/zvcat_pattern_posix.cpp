// Command-line patterns on Linux: UTF-8 to Shift-JIS through iconv(3) for a UTF-8 terminal.
#include <iconv.h>

#include "utilities/zvcat/zvcat_pattern.h"

bool PatternFromCommandLine(const std::string& utf8, bool utf8Terminal, std::string& sjis) {
  if (!utf8Terminal) {
    sjis = utf8;
    return true;
  }
  iconv_t handle = iconv_open("CP932", "UTF-8");
  if (handle == iconv_t(-1)) return false;
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  size_t result = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(handle);
  if (result == size_t(-1) || inLeft != 0) return false;
  out.resize(out.size() - outLeft);
  sjis = out;
  return true;
}
