// zvcat --grep: every hit of a pattern, forward from the top the way repeat search finds them,
// one line each: row, byte offset of the hit in the row text, length in bytes.
#include <cstring>
#include <string>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_document.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_output.h"
#include "utilities/zvcat/zvcat_pattern.h"
#include "viewer/document/decimal_text.h"
#include "viewer/document/document.h"
#include "viewer/search/search_engine.h"
#include "viewer/settings/settings_globals.h"

bool SetUpGrepPattern(const ZvcatOptions& options) {
  std::string pattern;
  if (!PatternFromCommandLine(options.operands[0], options.utf8, options.utf8Locale, pattern)) {
    Report(zvmsg::kPatternNotSjis);
    return false;
  }
  if (pattern.empty() || pattern.size() >= kSearchPatternSize || pattern.find('\0') != std::string::npos) {
    Report(zvmsg::kPatternLength);
    return false;
  }
  std::memcpy(SearchPattern, pattern.c_str(), pattern.size() + 1);
  CaseSensitive = options.ignoreCase ? 0 : 1;
  RegexMode = options.regex ? 1 : 0;
  if (!PrepareSearch() && options.regex) {
    Report(zvmsg::kRegexBad);
    return false;
  }
  return true;
}

int RunGrep(const ZvcatOptions& options) {
  if (!SetUpGrepPattern(options)) return 2;
  if (!OpenAndLoad(options)) return 1;
  ZvcatOutput out(false);
  char line[64];
  char* hit = nullptr;
  int length = 0;
  for (int32_t row = SearchForward(-1, &hit, &length); row >= 0; row = SearchForward(row, &hit, &length)) {
    // The row, the hit's byte offset in it and its length, tab-separated.
    char* end = AppendDecimal(line, row);
    *end++ = '\t';
    end = AppendDecimal(end, hit - RowStart(row));
    *end++ = '\t';
    end = AppendDecimal(end, length);
    *end++ = '\n';
    out.Plain(line, size_t(end - line));
  }
  out.Flush();
  if (RowsGivenUp > 0) {
    Report(zvmsg::kRegexGaveUp, long(RowsGivenUp));
    return 1;
  }
  return 0;
}
