// Messages in the user's language: looked up in the catalog, fields filled in, written on
// standard error for the terminal.
#include "utilities/zvcat/zvcat_messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "utilities/zvcat/zvcat_catalog.h"
#include "utilities/zvcat/zvcat_names.h"

namespace {

std::string FormatTranslated(const char* msgid, va_list args) {
  const char* format = Translate(msgid);
  va_list measure;
  va_copy(measure, args);
  int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return std::string();
  std::vector<char> buffer(size_t(length) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(buffer.data(), size_t(length));
}

}  // namespace

std::string Message(const char* msgid, ...) {
  va_list args;
  va_start(args, msgid);
  std::string text = FormatTranslated(msgid, args);
  va_end(args);
  return text;
}

std::string ForMessage(const char* sjisName) { return DiskName(sjisName); }

void PrintError(const std::string& text) {
  std::string shown = ForTerminal(text);
  std::fprintf(stderr, "zvcat: %s\n", shown.c_str());
}

void Report(const char* msgid, ...) {
  va_list args;
  va_start(args, msgid);
  std::string text = FormatTranslated(msgid, args);
  va_end(args);
  PrintError(text);
}
