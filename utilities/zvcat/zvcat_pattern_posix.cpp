// Command-line patterns on Linux: UTF-8 to Shift-JIS for --utf8 and in a UTF-8 locale.
#include "utilities/zvcat/zvcat_pattern.h"

bool PatternFromCommandLine(const std::string& argument, bool utf8Option, bool utf8Locale, std::string& sjis) {
  if (!utf8Option && !utf8Locale) {
    sjis = argument;
    return true;
  }
  switch (Utf8ToCp932(argument, sjis)) {
    case Utf8Conversion::kConverted:
      return true;
    case Utf8Conversion::kNotUtf8:
      if (utf8Option) return false;
      sjis = argument;
      return true;
    case Utf8Conversion::kNotInCp932:
      break;
  }
  return false;
}
