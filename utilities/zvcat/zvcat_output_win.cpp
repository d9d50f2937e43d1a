// Shift-JIS to UTF-8 through the code-page calls on Windows, and standard output through the
// C library's binary stream.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include <vector>

#include "utilities/zvcat/zvcat_output.h"

std::string SjisToUtf8(const char* text, size_t length) {
  if (length == 0) return std::string();
  int wide = MultiByteToWideChar(932, 0, text, int(length), nullptr, 0);
  std::vector<wchar_t> buffer(size_t(wide) + 1);
  MultiByteToWideChar(932, 0, text, int(length), buffer.data(), wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(size_t(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}

OutputWrite WriteStandardOutput(const char* data, size_t length) {
  bool written = std::fwrite(data, 1, length, stdout) == length;
  written = std::fflush(stdout) == 0 && written;
  if (written) return OutputWrite::kWritten;
  return errno == EPIPE ? OutputWrite::kPipeClosed : OutputWrite::kFailed;
}

namespace {
bool utf8Messages = false;
}

FileCopy CopyFileToStandardOutput(const char*, uint64_t) { return FileCopy::kNotPossible; }

void PrepareTerminal(bool utf8Output) {
  _setmode(_fileno(stdout), _O_BINARY);
  utf8Messages = utf8Output || GetConsoleOutputCP() == CP_UTF8;
}

bool MessagesInUtf8() { return utf8Messages; }

// Arguments arrive already converted to the ANSI code page.
bool LocaleIsUtf8() { return false; }

bool OutputIsUtf8Terminal() { return _isatty(_fileno(stdout)) && GetConsoleOutputCP() == CP_UTF8; }
