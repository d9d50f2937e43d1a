// The search pattern as the command line gives it, made Shift-JIS (CP932) bytes.
#pragma once

#include <string>

// On Linux the argument is bytes as typed.  With --utf8 (`utf8Option`) it must be UTF-8 and is
// converted; in a UTF-8 locale (`utf8Locale`) it is converted when it is valid UTF-8 and taken
// as bytes otherwise (Shift-JIS typed or pasted as it is); else it is taken as it is.  On
// Windows the runtime already hands arguments over in the ANSI code page (932 on a Japanese
// system), so they are taken as they are.  False when the pattern must be UTF-8 and is not, or
// holds characters CP932 lacks.
bool PatternFromCommandLine(const std::string& argument, bool utf8Option, bool utf8Locale, std::string& sjis);

enum class Utf8Conversion { kConverted, kNotUtf8, kNotInCp932 };
// UTF-8 text to CP932 through the viewer's own table.
Utf8Conversion Utf8ToCp932(const std::string& utf8, std::string& cp932);
