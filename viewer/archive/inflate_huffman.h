// Huffman decoding tables of the inflater.  A table turns the next bits of a deflate stream
// (least significant bit first) into one 32-bit entry: a first-level part indexed by `rootBits`
// bits, and for codes longer than that, second-level parts of equal size reached through a
// subtable entry.  Entries that no code reaches are marked invalid.
#pragma once

#include <cstdint>

namespace inflate_detail {

// Entry layout: bits 0-3 codeword bits to drop (in a subtable entry: the first-level bits),
// bits 4-7 extra bits that follow the code (in a subtable entry: the second-level bits),
// bits 8-11 kind flags, bits 16-31 the value (literal byte, base length or distance, code
// length symbol, or the index of the second-level part).
constexpr uint32_t kEntryLiteral = 1u << 8;
constexpr uint32_t kEntrySubtable = 1u << 9;
constexpr uint32_t kEntryEndOfBlock = 1u << 10;
constexpr uint32_t kEntryInvalid = 1u << 11;
constexpr uint32_t kEntrySpecial = kEntrySubtable | kEntryEndOfBlock | kEntryInvalid;

constexpr uint32_t MakeEntry(uint32_t value, uint32_t extraBits, uint32_t flags) {
  return value << 16 | extraBits << 4 | flags;
}
constexpr uint32_t EntryCodeBits(uint32_t entry) { return entry & 15; }
constexpr uint32_t EntryExtraBits(uint32_t entry) { return (entry >> 4) & 15; }
constexpr uint32_t EntryValue(uint32_t entry) { return entry >> 16; }

constexpr int kMaxCodeBits = 15;
constexpr unsigned kMaxSymbols = 320;  // the most a table is built for (288 + 32 lengths)

// Capacity a table needs: the first level plus one second-level part per code that is longer
// than the first level (a generous bound that no set of lengths can exceed).
constexpr unsigned TableCapacity(unsigned rootBits, unsigned symbols) {
  return (1u << rootBits) + symbols * (1u << (kMaxCodeBits - rootBits));
}

struct HuffmanTable {
  uint32_t* entries;
  unsigned capacity;
  unsigned rootBits = 0;
};

enum class BuildResult {
  kOk,
  kIncomplete,      // codes left unused (accepted only where the caller allows it)
  kOversubscribed,  // more codes than the lengths can hold
};

// Builds `table` for `count` symbols with the given code lengths (0 = unused).  symbolEntries[s]
// holds the value, extra bits and flags of symbol s.  The first level is `requestedRootBits`
// wide, narrowed to the longest code.  An incomplete set is built (unused entries invalid) and
// reported as BuildResult::kIncomplete unless its only code has length 1; all lengths 0 give a table
// whose every entry is invalid.
[[nodiscard]] BuildResult BuildHuffmanTable(const uint8_t* lengths, unsigned count, const uint32_t* symbolEntries,
                      unsigned requestedRootBits, HuffmanTable& table);

}  // namespace inflate_detail
