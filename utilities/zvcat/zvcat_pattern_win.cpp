// Command-line patterns on Windows: the arguments already are in the ANSI code page.
#include "utilities/zvcat/zvcat_pattern.h"

bool PatternFromCommandLine(const std::string& argument, bool, bool, std::string& sjis) {
  sjis = argument;
  return true;
}
