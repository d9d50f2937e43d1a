// zvcat's text commands: the converted text, the detected codes, and the row index.
#include <cstdio>
#include <string>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_document.h"
#include "utilities/zvcat/zvcat_output.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "viewer/archive/file_reader.h"
#include "viewer/document/document.h"
#include "viewer/document/document_stream.h"

namespace {

// Longest text held back for the rest of its line before UTF-8 output converts it anyway.
constexpr size_t kLongestHeldLine = 65536;

// Prints the streamed text as it comes; for UTF-8 output a line at a time, so that a
// double-byte character is never cut between two conversions.
class TextPrinter : public TextSink {
 public:
  TextPrinter(ZvcatOutput& out, bool utf8) : out_(out), utf8_(utf8) {}

  bool Take(const char* text, size_t length) override {
    if (!utf8_) {
      out_.Text(text, length);
      return !OutputLost();
    }
    held_.append(text, length);
    size_t lineEnd = held_.rfind('\n');
    size_t ready = lineEnd != std::string::npos ? lineEnd + 1 : held_.size() >= kLongestHeldLine ? held_.size() : 0;
    out_.Text(held_.data(), ready);
    held_.erase(0, ready);
    return !OutputLost();
  }

  // The last line, which has no line end.
  void Finish() { out_.Text(held_.data(), held_.size()); }

 private:
  ZvcatOutput& out_;
  bool utf8_;
  std::string held_;
};

// A text that needs no conversion (Shift-JIS shown as it is, or a binary file) read from the disk
// goes to a file inside the system, as cat copies it.  True when that settled the command, with
// its status in `status`.
bool CopiedAsItIs(const ZvcatOptions& options, int& status) {
  const Document& doc = TheDocument;
  bool asItIs = doc.DisplayMode == 1 || doc.KanjiCode == kShiftJis;
  if (options.utf8Output || !asItIs || !dynamic_cast<const FileReader*>(doc.Source.get())) return false;
  FileCopy copy = CopyFileToStandardOutput(options.operands.back().c_str(), doc.FileSize);
  if (copy == FileCopy::kNotPossible) return false;
  if (copy == FileCopy::kFileEnded) Report(zvmsg::kReadStopped);
  status = copy == FileCopy::kCopied ? 0 : 1;
  return true;
}

}  // namespace

// The text is streamed: printing it needs no rows, and the text block would cost a copy more.
int RunShowText(const ZvcatOptions& options) {
  if (!OpenShown(options)) return 1;
  int copied = 0;
  if (CopiedAsItIs(options, copied)) return copied;
  ZvcatOutput out(options.utf8Output);
  TextPrinter printer(out, options.utf8Output);
  DocumentResult streamed = StreamDocumentText(printer);
  printer.Finish();
  if (streamed == DocumentResult::kNoMemory) Report(zvmsg::kNoMemory);
  bool sound = streamed == DocumentResult::kOk && !LoadStopped();
  return sound && ShownMemberSound(options) ? 0 : 1;
}

int RunDetect(const ZvcatOptions& options) {
  if (!OpenAndLoad(options)) return 1;
  static const char* const kCodes[] = {"sjis", "euc", "jis", "utf8", "utf16"};
  ZvcatOutput out(false);
  out.Plain(std::string(kCodes[TheDocument.KanjiCode]) + (TheDocument.DisplayMode ? " binary\n" : " text\n"));
  return 0;
}

int RunRows(const ZvcatOptions& options) {
  if (!OpenAndLoad(options)) return 1;
  ZvcatOutput out(false);
  char row[kMaxRowBytes + 1];
  char line[64];
  for (int32_t n = 0; n < TheDocument.RowCount; ++n) {
    int length = 0;
    int ends = FormatRow(n, row, &length);
    long offset = long(RowStart(n) - TheDocument.Text);
    int written = std::snprintf(line, sizeof line, "%ld\t%d\t%d\n", offset, length, ends);
    out.Plain(line, size_t(written));
  }
  return 0;
}
