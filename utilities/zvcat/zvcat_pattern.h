// The search pattern as the command line gives it, made Shift-JIS (CP932) bytes.
#pragma once

#include <string>

// On Linux the argument is bytes as typed: converted from UTF-8 when `utf8Terminal` is set,
// else taken as it is.  On Windows the runtime already hands arguments over in the ANSI code
// page (932 on a Japanese system), so they are taken as they are.  False when a UTF-8
// argument is not UTF-8 or has characters Shift-JIS cannot hold.
bool PatternFromCommandLine(const std::string& argument, bool utf8Terminal, std::string& sjis);
