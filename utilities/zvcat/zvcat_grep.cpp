// zvcat --grep: every hit of a pattern, forward from the top the way repeat search finds them,
// one line each: row, byte offset of the hit in the row text, length in bytes.
// A plain pattern in a text is searched as the text streams past; a regular expression, or a
// binary file's dump lines, in the loaded document.
#include <cstring>
#include <string>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_document.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_output.h"
#include "utilities/zvcat/zvcat_pattern.h"
#include "viewer/document/decimal_text.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/stream_grep.h"
#include "viewer/settings/settings_globals.h"

namespace {

// Writes one hit: the row, the hit's byte offset in the row text and its length, tab-separated.
void PrintHit(ZvcatOutput& out, int64_t row, int64_t offset, int length) {
  char line[64];
  char* end = AppendDecimal(line, row);
  *end++ = '\t';
  end = AppendDecimal(end, offset);
  *end++ = '\t';
  end = AppendDecimal(end, length);
  *end++ = '\n';
  out.Plain(line, size_t(end - line));
}

class HitPrinter final : public StreamHitReceiver {
 public:
  explicit HitPrinter(ZvcatOutput& out) : out_(out) {}
  bool Take(const StreamHit& hit) override {
    PrintHit(out_, hit.row, hit.offset, hit.length);
    return !OutputLost();
  }

 private:
  ZvcatOutput& out_;
};

// What the streamed search can do: a plain string in the rows of a text.
bool StreamsHits() { return RegexMode == 0 && TheDocument.DisplayMode == 0; }

int GrepStreamed(const ZvcatOptions& options) {
  StringHitRule rule;
  rule.Prepare(SearchPattern, CaseSensitive == 0);
  ZvcatOutput out(false);
  HitPrinter printer(out);
  StreamGrep grep(Host().CurrentRowOptions(), rule, printer);
  DocumentResult streamed = grep.OutOfMemory() ? DocumentResult::kNoMemory : StreamDocumentText(grep);
  if (streamed == DocumentResult::kOk) (void)grep.Finish();  // false only when the output was lost
  out.Flush();
  if (streamed == DocumentResult::kNoMemory || grep.OutOfMemory()) Report(zvmsg::kNoMemory);
  bool sound = streamed == DocumentResult::kOk && !grep.OutOfMemory() && !LoadStopped();
  return sound && ShownMemberSound(options) ? 0 : 1;
}

int GrepLoaded(const ZvcatOptions& options) {
  if (!LoadShown(options)) return 1;
  ZvcatOutput out(false);
  char* hit = nullptr;
  int length = 0;
  for (int32_t row = SearchForward(-1, &hit, &length); row >= 0; row = SearchForward(row, &hit, &length)) {
    PrintHit(out, row, hit - RowStart(row), length);
  }
  out.Flush();
  if (RowsGivenUp > 0) {
    Report(zvmsg::kRegexGaveUp, long(RowsGivenUp));
    return 1;
  }
  return 0;
}

}  // namespace

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
  if (!OpenShown(options)) return 1;
  return StreamsHits() ? GrepStreamed(options) : GrepLoaded(options);
}
