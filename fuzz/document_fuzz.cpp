// Random bytes through kanji detection, conversion and the row scan, with random layout
// settings: rows never go backwards, never start inside a double-byte character, never pass
// the end of the text, and the converted text never grows.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "viewer/document/document.h"
#include "viewer/document/sjis.h"
#include "viewer/shell/settings_globals.h"

namespace {

class MemoryReader : public SourceReader {
 public:
  MemoryReader(const uint8_t* data, size_t size) : bytes_(data, data + size) {}
  int IsBad() override { return 0; }
  int Read(void* buffer, uint32_t count) override {
    size_t n = std::min<size_t>(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return int(n);
  }
  int Seek(int32_t offset, int origin) override {
    int64_t base = origin == 1 ? int64_t(position_) : origin == 2 ? int64_t(bytes_.size()) : 0;
    if (base + offset < 0 || base + offset > int64_t(bytes_.size())) return -1;
    position_ = size_t(base + offset);
    return int(position_);
  }
  uint32_t Size() override { return uint32_t(bytes_.size()); }

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  LineMax = int8_t(data[0]);          // includes 0 and negative widths
  TabSize = int8_t(data[1]) % 17;
  ShowControlCodes = data[2] & 1;
  int kanji = (data[2] >> 1) % 4;     // 3 = automatic
  int mode = (data[2] >> 3) % 3;      // 2 = automatic
  TheDocument.KanjiCode = kanji == 3 ? 0 : kanji;
  TheDocument.DisplayMode = mode == 2 ? 0 : mode;
  CloseSources();
  TheDocument.Source = new MemoryReader(data + 3, size - 3);
  OpenDocument(nullptr, kanji == 3 ? AutoDetect : kanji, mode == 2 ? AutoDetect : mode);
  LoadAll();
  CheckRows();
  return 0;
}
