// Random bytes through kanji detection, conversion and the row scan, with random layout
// settings: rows never go backwards, never start inside a double-byte character, never pass
// the end of the text, and the converted text never grows.  Each converter also runs alone in
// random chunk sizes into a buffer exactly as long as the input: what it has written and what it
// holds never pass what came in.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fuzz/fuzz_document_host.h"
#include "viewer/archive/bytes_reader.h"
#include "viewer/document/document.h"
#include "text/kanji_code.h"
#include "text/sjis.h"

namespace {

FuzzDocumentHost host;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckRows() {
  const Document& doc = TheDocument;
  Check(doc.TextEnd >= doc.Text && uint32_t(doc.TextEnd - doc.Text) <= doc.FileSize);
  Check(doc.LineCount == 0 || doc.LineTable[0] == 0);
  for (int32_t n = 0; n < doc.LineCount; ++n) {
    const char* start = doc.Text + doc.LineTable[n];
    const char* next = doc.Text + doc.LineTable[n + 1];
    Check(start <= next && next <= doc.TextEnd);
    const char* p = start;
    while (p < next) p += (IsSjisLead(uint8_t(*p)) && p + 1 < doc.TextEnd && IsSjisTrail(uint8_t(p[1]))) ? 2 : 1;
    Check(p == next);
  }
  char row[kMaxRowBytes + 1];
  for (int32_t n = 0; n < doc.RowCount; ++n) {
    int length = -1;
    FormatRow(n, row, &length);
    Check(length >= 0 && length <= kMaxRowBytes && row[length] == '\0');
  }
}

// Converts like the loader: each chunk placed after what was written and the bytes held.
void CheckConverter(int code, const uint8_t* data, size_t size, size_t chunk) {
  char* buffer = static_cast<char*>(std::malloc(size + 1));
  KanjiConverterState state;
  state.BigEndian = chunk & 1;
  size_t end = 0;
  for (size_t at = 0; at < size; at += chunk) {
    size_t n = size - at < chunk ? size - at : chunk;
    size_t place = end + PendingEscapeBytes(state);
    Check(place <= at);
    std::memcpy(buffer + place, data + at, n);
    end += ConvertKanji(state, code, buffer + end, buffer + place, uint32_t(n));
    Check(end <= at + n);
  }
  end += FinishKanji(state, code, buffer + end);
  Check(end <= size);
  std::free(buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  host.rows.lineMax = int8_t(data[0]);  // includes 0 and negative widths
  host.rows.tabSize = int8_t(data[1]) % 17;
  host.rows.controlCodesShown = (data[2] & 1) != 0;
  SetDocumentHost(&host);
  int kanji = data[3] % 6;            // 5 = automatic
  int mode = (data[2] >> 3) % 3;      // 2 = automatic
  TheDocument.KanjiCode = kanji == 5 ? 0 : kanji;
  TheDocument.DisplayMode = mode == 2 ? 0 : mode;
  CloseSources();
  TheDocument.Source = std::make_unique<BytesReader>(data + 4, size - 4);
  (void)OpenDocument(nullptr, kanji == 5 ? AutoDetect : kanji, mode == 2 ? AutoDetect : mode);
  // Chunk by chunk as in idle time, or in LoadAll's larger chunks (a failed open leaves an empty
  // document, whose rows are checked as well).
  if (data[2] & 0x80) {
    while (LoadNextChunk() == 0) {
    }
  } else {
    LoadAll();
  }
  CheckRows();
  for (int code = kEuc; code <= kUtf16; ++code) CheckConverter(code, data + 4, size - 4, 1 + data[0] % 64);
  return 0;
}
