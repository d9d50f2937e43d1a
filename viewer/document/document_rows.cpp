// Row access for every view: RowStart loads rows that are not there yet; FormatRow copies one
// row's text (or its hexadecimal dump in binary mode).
#include <algorithm>
#include <cstring>

#include "viewer/document/document.h"
#include "viewer/document/hex_row.h"

char* RowStart(int32_t n) {
  Document& doc = TheDocument;
  if (n < 0) n = 0;
  while (n >= doc.RowCount && doc.BytesLeft > 0) LoadNextChunk();
  if (n > doc.RowCount) n = doc.RowCount - 1;
  if (n < 0) n = 0;
  if (doc.DisplayMode == 1) return doc.Text + int64_t(n) * kHexRowBytes;
  return doc.Text + doc.LineTable[n];
}

char* RowPointer(int32_t n, int32_t offset) { return RowStart(n) + offset; }

int FormatRow(int32_t n, char* out, int* length) {
  Document& doc = TheDocument;
  if (doc.DisplayMode == 1) {
    int written = FormatHexRow(n, out);
    if (length) *length = written;
    return 0;
  }
  if (n < 0) n = 0;
  const char* start = RowStart(n);
  if (n >= doc.RowCount) {  // past the last row: nothing to show
    out[0] = '\0';
    if (length) *length = 0;
    return 0;
  }
  const char* next = RowStart(n + 1);
  const char* limit = std::min({std::max(next, start), start + kMaxRowBytes,
                                std::max<const char*>(doc.TextEnd, start)});
  const char* p = start;
  while (p < limit && *p != '\r' && *p != '\n') ++p;
  int count = int(p - start);
  std::memcpy(out, start, size_t(count));
  out[count] = '\0';
  if (length) *length = count;
  return p < limit ? 1 : 0;
}
