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

// Hit lines (the row, the hit's byte offset in the row text and its length, tab-separated)
// gathered in a batch of their own, as large as the output writes without a copy: a hit costs a
// few stores, not a call and a copy of its own.  The end of a line ("\t", the length, "\n") is
// written out once for each length the hits have.
class HitLines {
 public:
  explicit HitLines(ZvcatOutput& out) : out_(out) {}
  ~HitLines() { Send(); }
  HitLines(const HitLines&) = delete;
  HitLines& operator=(const HitLines&) = delete;

  // Adds a hit line; false once the output is lost (that shows when a batch is sent).
  bool Add(int64_t row, int64_t offset, int length) {
    char* end = AppendDecimal(batch_ + used_, row);
    *end++ = '\t';
    end = AppendDecimal(end, offset);
    if (length != lineEndLength_) WriteLineEnd(length);
    std::memcpy(end, lineEnd_, sizeof lineEnd_);  // all of it: a copy of a fixed size is cheaper
    used_ = size_t(end + lineEndBytes_ - batch_);
    if (used_ < ZvcatOutput::kDirectWriteBytes) return true;
    Send();
    return !OutputLost();
  }
  // Hands the gathered lines to the output.
  void Send() {
    out_.Plain(batch_, used_);
    used_ = 0;
  }

 private:
  void WriteLineEnd(int length) {
    lineEnd_[0] = '\t';
    char* end = AppendDecimal(lineEnd_ + 1, length);
    *end++ = '\n';
    lineEndBytes_ = size_t(end - lineEnd_);
    lineEndLength_ = length;
  }

  // Two numbers of at most 20 characters (a sign and 19 digits), a tab and the line's end.
  static constexpr size_t kLineEndBytes = 24;
  static constexpr size_t kLongestLine = 2 * 20 + 1 + kLineEndBytes;
  // A batch is sent once it holds a write's worth, so it has room for one line more.
  static constexpr size_t kBatchBytes = ZvcatOutput::kDirectWriteBytes + kLongestLine;
  ZvcatOutput& out_;
  size_t used_ = 0;
  char lineEnd_[kLineEndBytes] = {};
  size_t lineEndBytes_ = 0;
  int lineEndLength_ = -1;
  char batch_[kBatchBytes];
};

class HitPrinter final : public StreamHitReceiver {
 public:
  explicit HitPrinter(HitLines& lines) : lines_(lines) {}
  bool Take(const StreamHit& hit) override { return lines_.Add(hit.row, hit.offset, hit.length); }

 private:
  HitLines& lines_;
};

// What the streamed search can do: a plain string in the rows of a text.
bool StreamsHits() { return RegexMode == 0 && TheDocument.DisplayMode == 0; }

int GrepStreamed(const ZvcatOptions& options) {
  StringHitRule rule;
  rule.Prepare(SearchPattern, CaseSensitive == 0);
  ZvcatOutput out(false);
  HitLines lines(out);
  HitPrinter printer(lines);
  StreamGrep grep(Host().CurrentRowOptions(), rule, printer);
  DocumentResult streamed = grep.OutOfMemory() ? DocumentResult::kNoMemory : StreamDocumentText(grep);
  if (streamed == DocumentResult::kOk) (void)grep.Finish();  // false only when the output was lost
  lines.Send();
  out.Flush();
  if (streamed == DocumentResult::kNoMemory || grep.OutOfMemory()) Report(zvmsg::kNoMemory);
  bool sound = streamed == DocumentResult::kOk && !grep.OutOfMemory() && !LoadStopped();
  return sound && ShownMemberSound(options) ? 0 : 1;
}

int GrepLoaded(const ZvcatOptions& options) {
  if (!LoadShown(options)) return 1;
  ZvcatOutput out(false);
  HitLines lines(out);
  // (Lost output leaves nowhere to write the rest.)
  ForEachForwardHit([&](int32_t row, int offset, int length) { return lines.Add(row, offset, length); });
  lines.Send();
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
