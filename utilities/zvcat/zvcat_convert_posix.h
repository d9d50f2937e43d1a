// Linux: the codeset of the user's locale, and Shift-JIS (CP932) text converted to UTF-8
// through iconv(3), the one table zvcat's text, names and messages are all converted with.
#pragma once

#include <cstddef>
#include <string>

// The codeset of the locale the environment chooses (LC_ALL, LC_CTYPE, LANG), as
// nl_langinfo(CODESET) names it: "UTF-8", "ANSI_X3.4-1968" for the C locale, ...
const std::string& LocaleCodeset();

// What becomes of bytes that do not convert.
enum class Unconvertible {
  kReplacementCharacter,  // U+FFFD each (text shown on a terminal)
  kPercentEscapes,        // "%XX" for each byte of the character (names written on disk)
};
std::string ConvertSjisToUtf8(const char* text, size_t length, Unconvertible unconvertible);
