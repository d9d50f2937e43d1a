// The file named on the command line, checked before the core opens it, so that each reason it
// cannot be shown gets its own message: not there, a folder, or not readable.
#pragma once

#include <string>

// True when `path` is a regular file zvcat can read; otherwise prints why and returns false.
[[nodiscard]] bool CheckInputFile(const std::string& path);
