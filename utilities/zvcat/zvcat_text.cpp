// zvcat's text commands: the converted text, the detected codes, and the row index.
#include <cstdio>
#include <string>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_document.h"
#include "utilities/zvcat/zvcat_output.h"
#include "viewer/document/document.h"

int RunShowText(const ZvcatOptions& options) {
  if (!OpenAndLoad(options)) return 1;
  ZvcatOutput out(options.utf8Output);
  const Document& doc = TheDocument;
  const char* p = doc.Text;
  while (p < doc.TextEnd) {
    size_t n = size_t(doc.TextEnd - p) < 65536 ? size_t(doc.TextEnd - p) : 65536;
    // Never cut a double-byte character between two conversions.
    if (options.utf8Output && p + n < doc.TextEnd) {
      size_t keep = 0;
      while (keep < n && p[n - 1 - keep] != '\n') ++keep;
      if (keep < n) n -= keep;
    }
    out.Text(p, n);
    p += n;
  }
  return 0;
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
