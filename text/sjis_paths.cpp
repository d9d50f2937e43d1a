// Shift-JIS command-line and path walkers (see sjis_paths.h).
#include "text/sjis_paths.h"

#include <cstdint>

#include "text/sjis.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the program's name ends: after its closing quote when it starts with one, else at
// the first blank.
size_t ProgramNameEnd(std::string_view line) {
  const bool quoted = !line.empty() && line[0] == '"';
  for (size_t i = quoted ? 1 : 0; i < line.size(); ++i) {
    if (IsSjisLead(uint8_t(line[i])) && i + 1 < line.size()) ++i;
    else if (quoted && line[i] == '"') return i + 1;
    else if (!quoted && IsBlank(line[i])) return i;
  }
  return line.size();
}

}  // namespace

std::string_view ProgramArguments(std::string_view commandLine) {
  size_t i = ProgramNameEnd(commandLine);
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

void UpperCaseSingleByteLetters(char* text) {
  for (char* p = text; *p; ++p) {
    if (IsSjisLead(uint8_t(*p)) && p[1] != '\0') ++p;
    else if (*p >= 'a' && *p <= 'z') *p = char(*p - 32);
  }
}
