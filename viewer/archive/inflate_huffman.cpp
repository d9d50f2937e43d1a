// Building the inflater's decoding tables from code lengths: canonical codes (RFC 1951, 3.2.2),
// bit-reversed because the stream delivers them least significant bit first.
#include "viewer/archive/inflate_huffman.h"

namespace inflate_detail {
namespace {

uint32_t ReverseBits(uint32_t code, unsigned bits) {
  uint32_t reversed = 0;
  for (unsigned i = 0; i < bits; ++i, code >>= 1) reversed = reversed << 1 | (code & 1);
  return reversed;
}

// Codes per length, the longest length, and whether the set over- or under-fills the code space.
struct LengthCensus {
  unsigned perLength[kMaxCodeBits + 1] = {};
  unsigned longest = 0;
  BuildResult result = BuildResult::kOk;
};

LengthCensus TakeCensus(const uint8_t* lengths, unsigned count) {
  LengthCensus census;
  for (unsigned s = 0; s < count; ++s) census.perLength[lengths[s]]++;
  census.perLength[0] = 0;
  for (unsigned len = 1; len <= kMaxCodeBits; ++len)
    if (census.perLength[len]) census.longest = len;
  int left = 1;
  for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
    left = left * 2 - int(census.perLength[len]);
    if (left < 0) {
      census.result = BuildResult::kOversubscribed;
      return census;
    }
  }
  if (left > 0 && census.longest > 1) census.result = BuildResult::kIncomplete;
  return census;
}

void FillInvalid(uint32_t* entries, unsigned n) {
  for (unsigned i = 0; i < n; ++i) entries[i] = kEntryInvalid;
}

class TableFiller {
 public:
  TableFiller(HuffmanTable& table, unsigned longest) : table_(table) {
    root_ = table.rootBits;
    subBits_ = longest > root_ ? longest - root_ : 0;
    used_ = 1u << root_;
    FillInvalid(table_.entries, used_);
  }

  // Places the code `reversed` of `len` bits for an entry without its code bits.
  bool Place(uint32_t reversed, unsigned len, uint32_t entry) {
    if (len <= root_) {
      for (uint32_t i = reversed; i < (1u << root_); i += 1u << len) table_.entries[i] = entry | len;
      return true;
    }
    uint32_t* link = &table_.entries[reversed & ((1u << root_) - 1)];
    if (!(*link & kEntrySubtable)) {
      if (used_ + (1u << subBits_) > table_.capacity) return false;
      *link = MakeEntry(used_, subBits_, kEntrySubtable) | root_;
      FillInvalid(table_.entries + used_, 1u << subBits_);
      used_ += 1u << subBits_;
    }
    uint32_t* sub = table_.entries + EntryValue(*link);
    for (uint32_t i = reversed >> root_; i < (1u << subBits_); i += 1u << (len - root_))
      sub[i] = entry | (len - root_);
    return true;
  }

 private:
  HuffmanTable& table_;
  unsigned root_;
  unsigned subBits_;
  unsigned used_;
};

}  // namespace

BuildResult BuildHuffmanTable(const uint8_t* lengths, unsigned count, const uint32_t* symbolEntries,
                      unsigned requestedRootBits, HuffmanTable& table) {
  LengthCensus census = TakeCensus(lengths, count);
  if (census.result == BuildResult::kOversubscribed) return census.result;
  table.rootBits = census.longest == 0 ? 1
                   : census.longest < requestedRootBits ? census.longest
                                                        : requestedRootBits;
  TableFiller filler(table, census.longest);
  // Symbols in canonical order (by length, then by value) through a counting sort.
  unsigned next[kMaxCodeBits + 2] = {};
  for (unsigned len = 1; len <= kMaxCodeBits; ++len) next[len + 1] = next[len] + census.perLength[len];
  uint16_t sorted[kMaxSymbols];
  for (unsigned s = 0; s < count; ++s)
    if (lengths[s]) sorted[next[lengths[s]]++] = uint16_t(s);
  uint32_t code = 0;
  unsigned len = 0;
  for (unsigned i = 0, placed = next[census.longest]; i < placed; ++i, ++code) {
    unsigned symbol = sorted[i];
    code <<= lengths[symbol] - len;
    len = lengths[symbol];
    if (!filler.Place(ReverseBits(code, len), len, symbolEntries[symbol])) return BuildResult::kOversubscribed;
  }
  return census.result;
}

}  // namespace inflate_detail
