// Row texts and row lookup in the document's text block (see the header).  A row ends with at
// most one line end (LF, CR or CR LF): the row scan starts a new row right after it.
#include "viewer/search/block_rows.h"

#include <algorithm>

#include "viewer/document/document.h"

bool RowsAreInTextBlock() {
  const Document& doc = TheDocument;
  return doc.DisplayMode == 0 && doc.Text != nullptr && doc.LineTable != nullptr;
}

int32_t CompleteRows() {
  const Document& doc = TheDocument;
  return doc.BytesLeft > 0 ? std::max(doc.RowCount - 1, 0) : doc.RowCount;
}

bool MakeRowComplete(int32_t n) {
  while (n >= CompleteRows() && TheDocument.BytesLeft > 0) LoadNextChunk();
  return n < CompleteRows();
}

const char* RowBytes(int32_t n) { return TheDocument.Text + TheDocument.LineTable[n]; }

RowText RowTextInBlock(int32_t n) {
  const Document& doc = TheDocument;
  const char* start = RowBytes(n);
  return RowTextBetween(start, std::clamp<const char*>(RowBytes(n + 1), start, std::max<const char*>(doc.TextEnd, start)));
}

int32_t RowHolding(const char* at, int32_t low, int32_t high) {
  const uint32_t offset = uint32_t(at - TheDocument.Text);
  const uint32_t* table = TheDocument.LineTable;
  // Gallop: find a row past `at` (or high), then bisect between.
  int32_t step = 1;
  int32_t below = low;  // starts at or before `at`
  int32_t above = low + 1;
  while (above < high && table[above] <= offset) {
    below = above;
    above = std::min<int64_t>(int64_t(above) + step, high);
    step *= 2;
  }
  // Row `below` starts at or before `at`, row `above` (when below high) after it.
  const uint32_t* last = std::upper_bound(table + below, table + above, offset);
  return int32_t(last - table) - 1;
}
