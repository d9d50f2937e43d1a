// The clipboard texts: byte ranges of the loaded text between two row positions, and the
// quoted copy that puts a prefix before every line and expands tabs.
#include "viewer/document/clipboard_text.h"

#include <algorithm>

#include "viewer/document/document.h"
#include "viewer/document/row_layout.h"

namespace {

// A place in Text: byte `column` of row `row`.  Rows past the last one stand for the end of
// the text; the place is kept within the loaded text.
const char* TextPlace(int64_t row, int64_t column) {
  Document& doc = TheDocument;
  const int32_t clampedRow = int32_t(std::clamp<int64_t>(row, 0, INT32_MAX));
  const char* start = RowStart(clampedRow);  // loads up to the row
  if (clampedRow >= doc.RowCount) start = doc.TextEnd;
  const int64_t room = doc.TextEnd - start;
  return start + std::clamp<int64_t>(column, 0, room);
}

std::string Between(const char* from, const char* to) {
  if (to <= from) return {};
  return std::string(from, size_t(to - from));
}

// The byte range a copy of the selection covers, and the row its first byte lies on.
struct CopyRange {
  const char* from;
  const char* to;
  int32_t firstRow;
};

bool IsEmpty(const int32_t selection[4]) {
  if (selection[0] == -1) return true;
  return selection[2] != -1 && selection[0] == selection[1] && selection[2] == selection[3];
}

CopyRange RangeOf(const int32_t selection[4], int32_t pageRows) {
  if (IsEmpty(selection)) {
    const int32_t top = TheDocument.TopLine;
    const char* from = TextPlace(top, 0);
    return {from, TextPlace(int64_t(top) + std::max(pageRows, 0), 0), top};
  }
  if (selection[2] == -1) {  // whole rows
    const int32_t first = std::min(selection[0], selection[1]);
    const int32_t last = std::max(selection[0], selection[1]);
    const char* from = TextPlace(first, 0);
    return {from, TextPlace(int64_t(last) + 1, 0), first};
  }
  const OrderedSelection ends = OrderSelectionEnds(selection);
  const char* from = TextPlace(ends.first.row, ends.first.column);
  return {from, TextPlace(ends.last.row, ends.last.column), ends.first.row};
}

// Columns from the start of row `row` to `place`, counted as the quoted copy counts them.
int64_t ColumnOnRow(int32_t row, const char* place, int32_t tabSize) {
  int64_t column = 0;
  for (const char* p = TextPlace(row, 0); p < place; ++p) {
    column = *p == '\t' ? column + tabSize - column % tabSize : column + 1;
  }
  return column;
}

}  // namespace

std::string CopyRows(int32_t first, int32_t count) {
  const char* from = TextPlace(first, 0);
  return Between(from, TextPlace(int64_t(first) + std::max(count, 0), 0));
}

std::string ScreenText(int32_t pageRows) { return CopyRows(TheDocument.TopLine, pageRows); }

std::string SelectionText(const int32_t selection[4], int32_t pageRows) {
  const CopyRange range = RangeOf(selection, pageRows);
  return Between(range.from, range.to);
}

std::string QuotedSelectionText(const int32_t selection[4], int32_t pageRows, std::string_view prefix,
                                int32_t tabSize) {
  const int32_t tab = std::max(tabSize, 1);
  const CopyRange range = RangeOf(selection, pageRows);
  std::string out(prefix);
  int64_t column = ColumnOnRow(range.firstRow, range.from, tab);
  bool lineEnded = false;
  for (const char* p = range.from; p < range.to; ++p) {
    if (lineEnded) out += prefix;
    lineEnded = *p == '\n' || (*p == '\r' && p[1] != '\n');
    if (*p == '\t') {
      const int64_t blanks = tab - column % tab;
      out.append(size_t(blanks), ' ');
      column += blanks;
      continue;
    }
    out += *p;
    column = lineEnded ? 0 : column + 1;
  }
  return out;
}

std::string WholeText() {
  LoadAll();
  return CopyRows(0, TheDocument.RowCount);
}

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;  // one line end
    out += "\r\n";
  }
  return out;
}
