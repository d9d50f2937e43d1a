// zvcat --follow: prints the text (or the hits of --grep) and then, until interrupted, what the
// file gains, converted as the text is.  What the end of the file cuts off waits for the rest:
// a double-byte character is printed whole, and --grep reports a row once its line has ended.
// A file that shrinks or is replaced under its name (a rotated log) is read again from the
// start, with a line on standard error.
#include "utilities/zvcat/zvcat_follow.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "text/sjis.h"
#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_document.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_output.h"
#include "viewer/document/document.h"
#include "viewer/document/document_follow.h"
#include "viewer/search/search_engine.h"

namespace {

// A look at least this often; a look costs one query of the file's size.
constexpr uint32_t kLookInterval = 100;

// What has been printed of the document so far, and the printing of what came since.
class FollowPrinter {
 public:
  virtual ~FollowPrinter() = default;
  virtual void PrintNew(ZvcatOutput& out) = 0;
  virtual void Restart() = 0;
};

// The converted text, up to the last whole character the file's bytes give.
class TextPrinter : public FollowPrinter {
 public:
  void PrintNew(ZvcatOutput& out) override {
    const Document& doc = TheDocument;
    // The load closed the text's end with a mark for a character cut off there, which an append
    // hides again (it may also hide a lead byte): neither is printed.
    const char* end = doc.LoadEnd.valid ? std::min(doc.TextEnd, doc.Text + doc.LoadEnd.textLength) : doc.TextEnd;
    const char* p = doc.Text + printed_;
    const char* whole = p;
    while (whole < end) {
      bool pair = IsSjisLead(uint8_t(*whole));
      if (pair && whole + 1 >= end) break;  // its second byte is still to come
      whole += pair ? 2 : 1;
    }
    out.Text(p, size_t(whole - p));
    printed_ = uint32_t(whole - doc.Text);
  }
  void Restart() override { printed_ = 0; }

 private:
  uint32_t printed_ = 0;
};

// "<row>\t<offset>\t<length>" for each hit in the rows whose line has ended (the last row may
// still grow).
class HitPrinter : public FollowPrinter {
 public:
  void PrintNew(ZvcatOutput& out) override {
    int32_t finished = TheDocument.RowCount - 1;
    char* hit = nullptr;
    int length = 0;
    char line[64];
    for (int32_t row = SearchForward(searched_ - 1, &hit, &length); row >= 0 && row < finished;
         row = SearchForward(row, &hit, &length)) {
      long offset = long(hit - RowStart(row));
      int written = std::snprintf(line, sizeof line, "%ld\t%ld\t%d\n", long(row), offset, length);
      out.Plain(line, size_t(written));
    }
    if (finished > searched_) searched_ = finished;
  }
  void Restart() override { searched_ = 0; }

 private:
  int32_t searched_ = 0;
};

// The followed file's name as messages show it.
const char* FollowedName(const ZvcatOptions& options) { return options.operands.back().c_str(); }

// Loads the file afresh after it was replaced; false (with the reason printed) when it cannot.
bool Reload(const ZvcatOptions& options, FollowedFile& followed, FollowPrinter& printer) {
  if (TheDocument.FileSize > 0) Report(zvmsg::kFileReplaced, FollowedName(options));  // an empty file only got its first bytes
  if (!OpenAndLoad(options)) return false;
  printer.Restart();
  return StartFollowing(followed) == DocumentResult::kOk;
}

// Prints and looks until the output is gone or following cannot go on; the exit status.
int FollowLoop(const ZvcatOptions& options, FollowedFile& followed, FollowPrinter& printer) {
  ZvcatOutput out(options.utf8Output);
  for (;;) {
    printer.PrintNew(out);
    out.Flush();
    if (OutputLost()) return 1;
    WaitBeforeNextLook(kLookInterval);
    DocumentResult result = LookAtFollowedFile(followed);
    if (result == DocumentResult::kReplaced) {
      if (!Reload(options, followed, printer)) return 1;
    } else if (result == DocumentResult::kTooLarge || result == DocumentResult::kNoMemory) {
      printer.PrintNew(out);
      out.Flush();
      if (result == DocumentResult::kTooLarge) {
        Report(zvmsg::kFollowTooLarge, FollowedName(options));
      } else {
        Report(zvmsg::kFollowNoMemory);
      }
      return 1;
    } else if (result == DocumentResult::kCannotOpen) {
      return 1;
    }
  }
}

}  // namespace

int RunFollow(const ZvcatOptions& options) {
  bool grep = options.command == "grep";
  if (grep && !SetUpGrepPattern(options)) return 2;
  if (!OpenAndLoad(options)) return 1;
  FollowedFile followed;
  DocumentResult started = StartFollowing(followed);
  if (started != DocumentResult::kOk) {
    if (started == DocumentResult::kCannotOpen) {
      Report(zvmsg::kMemberNotFollowed, FollowedName(options));
    } else {
      Report(zvmsg::kFileNotFound, FollowedName(options));
    }
    return 1;
  }
  std::unique_ptr<FollowPrinter> printer;
  if (grep) {
    printer = std::make_unique<HitPrinter>();
  } else {
    printer = std::make_unique<TextPrinter>();
  }
  return FollowLoop(options, followed, *printer);
}
