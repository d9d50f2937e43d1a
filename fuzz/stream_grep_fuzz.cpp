// The streamed plain search (zvcat --grep) against the loaded document's forward search: the
// same hits (row, offset, length) for any Shift-JIS text, pattern, folding and row layout, the
// text given in pieces of input-chosen sizes (each followed by a byte that is not the text's)
// and scanned in slices of an input-chosen size.
// Input: lineMax, tab size, flags (controls shown, folding, wide rows, piece seed), pattern
// length, slice size, the pattern, the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz/fuzz_document_host.h"
#include "text/kanji_code.h"
#include "viewer/archive/bytes_reader.h"
#include "viewer/document/document.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/stream_grep.h"
#include "viewer/settings/settings_globals.h"

namespace {

FuzzDocumentHost host;

struct Hit {
  int64_t row;
  int offset;
  int length;
  bool operator==(const Hit&) const = default;
};

class HitList final : public StreamHitReceiver {
 public:
  bool Take(const StreamHit& hit) override {
    hits.push_back({hit.row, hit.offset, hit.length});
    return true;
  }
  std::vector<Hit> hits;
};

// The hits of repeated forward searches over the text loaded as Shift-JIS.
std::vector<Hit> LoadedHits(const uint8_t* text, size_t size) {
  CloseSources();
  TheDocument.Source = std::make_unique<BytesReader>(text, size);
  (void)OpenDocument(nullptr, kShiftJis, 0);
  LoadAll();
  std::vector<Hit> hits;
  ForEachForwardHit([&](int32_t row, int offset, int length) {
    hits.push_back({row, offset, length});
    return true;
  });
  return hits;
}

// The text in pieces whose sizes a small generator seeded by `seed` picks (1 to 64 bytes, or
// all that is left), each copied to a buffer of its own with a foreign byte after it.
std::vector<Hit> StreamedHits(const StringHitRule& rule, const uint8_t* text, size_t size, uint32_t seed,
                              size_t slice) {
  HitList list;
  StreamGrep grep(host.rows, rule, list, slice);
  for (size_t at = 0; at < size;) {
    seed = seed * 1103515245u + 12345u;
    const size_t pick = (seed >> 16) % 66;
    const size_t n = pick == 65 ? size - at : std::min(size - at, pick + 1);
    auto piece = std::make_unique<char[]>(n + 1);
    std::memcpy(piece.get(), text + at, n);
    piece[n] = (seed & 1) ? '\n' : '\x83';
    if (!grep.Take(piece.get(), n)) std::abort();
    at += n;
  }
  if (!grep.Finish()) std::abort();
  return list.hits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const uint8_t flags = data[2];
  host.rows.lineMax = (flags & 0x04) ? 250 * (1 + data[0] % 80) : int8_t(data[0]);
  host.rows.tabSize = int8_t(data[1]) % 17;
  host.rows.controlCodesShown = (flags & 1) != 0;
  SetDocumentHost(&host);
  TheDocument.DisplayMode = 0;
  size_t length = 1 + data[3] % 12;
  const size_t slice = 1 + data[4];
  data += 5;
  size -= 5;
  if (length > size) length = size;
  std::memset(SearchPattern, 0, kSearchPatternSize);
  std::memcpy(SearchPattern, data, length);  // (a NUL ends it early)
  if (SearchPattern[0] == '\0') return 0;
  CaseSensitive = (flags & 0x02) ? 0 : 1;
  RegexMode = 0;
  (void)PrepareSearch();
  StringHitRule rule;
  rule.Prepare(SearchPattern, CaseSensitive == 0);
  const uint8_t* text = data + length;
  const size_t textSize = size - length;
  if (StreamedHits(rule, text, textSize, flags >> 3, slice) != LoadedHits(text, textSize)) std::abort();
  return 0;
}
