// Huffman decoding tables of the inflater.  A table turns the next bits of a deflate stream
// (least significant bit first) into one 32-bit entry: a first-level part indexed by `rootBits`
// bits, and for codes longer than that, second-level parts sized to the codes of their slot,
// reached through a link entry.  An entry says at once how many bits its code and the extra
// bits after it take, so that a decoder drops both with one shift.  Entries that no code
// reaches are marked invalid.  The builder is constexpr, so the fixed code's tables are
// compile-time constants.
#pragma once

#include <algorithm>
#include <cstdint>

#include "viewer/archive/inflate_table_limits.h"

namespace inflate_detail {

// The alphabets of RFC 1951.
constexpr unsigned kLiteralSymbols = 256;      // literal bytes 0..255
constexpr unsigned kEndOfBlockSymbol = 256;
constexpr unsigned kFirstLengthSymbol = 257;
constexpr unsigned kLengthSymbols = 29;        // 257..285
constexpr unsigned kLitlenSymbols = 288;       // 286 and 287 take part in the code but are invalid
constexpr unsigned kDistanceSymbols = 30;
constexpr unsigned kDistSymbols = 32;          // 30 and 31 take part in the code but are invalid
constexpr unsigned kCodeLengthSymbols = 19;
constexpr unsigned kMaxCodeBits = 15;
constexpr unsigned kMaxCodeLengthCodeBits = 7;
constexpr unsigned kMaxLengthExtraBits = 5;
constexpr unsigned kMaxDistanceExtraBits = 13;
constexpr unsigned kMinMatchLength = 3;
constexpr unsigned kMaxMatchLength = 258;
constexpr unsigned kWindowSize = 32768;

// First-level widths, and the largest table each can need.
constexpr unsigned kLitlenRootBits = 11;
constexpr unsigned kDistRootBits = 8;
constexpr unsigned kCodeLengthRootBits = kMaxCodeLengthCodeBits;
constexpr TableLimits kLitlenLimits{kLitlenSymbols, kLitlenRootBits, kMaxCodeBits, false};
constexpr TableLimits kDistLimits{kDistSymbols, kDistRootBits, kMaxCodeBits, true};
constexpr TableLimits kCodeLengthLimits{kCodeLengthSymbols, kCodeLengthRootBits, kMaxCodeLengthCodeBits, false};
// Checked against WorstCaseEntries in inflate_huffman.cpp (computed there once, not in every
// file that includes this one).
constexpr unsigned kLitlenTableEntries = 2342;
constexpr unsigned kDistTableEntries = 534;
constexpr unsigned kCodeLengthTableEntries = 1u << kCodeLengthRootBits;

// Entry layout: bits 0-5 the bits to drop (code and extra bits; in a link entry the first-level
// bits), bits 8-13 the code's own length (the extra bits start there; in a link entry the
// second-level bits), bits 6, 7 and 14 kind flags, bit 31 a literal, bits 16-30 the value
// (literal byte, base length or distance, code-length symbol, or where the second-level part
// starts).  Six-bit fields at bits 0 and 8 let a shift take them with no masking where the
// processor's shifts use only six bits of the count.
constexpr uint32_t kEntrySubtable = 1u << 6;
constexpr uint32_t kEntryEndOfBlock = 1u << 7;
constexpr uint32_t kEntryInvalid = 1u << 14;
constexpr uint32_t kEntrySpecial = kEntrySubtable | kEntryEndOfBlock | kEntryInvalid;
constexpr uint32_t kEntryLiteral = 1u << 31;
constexpr unsigned kEntryCodeBitsShift = 8;
constexpr unsigned kEntryValueShift = 16;
constexpr uint32_t kEntryValueMask = 0x7FFF;

// What a symbol decodes to, before its code length is known.
constexpr uint32_t MakeSymbol(uint32_t value, uint32_t extraBits, uint32_t flags) {
  return value << kEntryValueShift | extraBits | flags;
}
// The symbol's entry once its code has `codeBits` bits.
constexpr uint32_t WithCodeBits(uint32_t symbol, uint32_t codeBits) {
  return symbol + codeBits + (codeBits << kEntryCodeBitsShift);
}
// The bits to drop never exceed kMaxCodeBits + 13, so six bits hold them.
constexpr uint32_t EntryDropBits(uint32_t entry) { return entry & 63; }
constexpr uint32_t EntryCodeBits(uint32_t entry) { return (entry >> kEntryCodeBitsShift) & 63; }
constexpr uint32_t EntryValue(uint32_t entry) { return (entry >> kEntryValueShift) & kEntryValueMask; }
constexpr bool IsLiteral(uint32_t entry) { return (entry & kEntryLiteral) != 0; }
constexpr uint64_t LowBits(unsigned n) { return (uint64_t(1) << n) - 1; }
// The entry's value plus the extra bits that follow its code in `bits` (taken before the drop).
// For a literal the byte is the low eight bits of the result.
constexpr uint32_t ValueWithExtra(uint32_t entry, uint64_t bits) {
  static_assert(kEntryLiteral >> kEntryValueShift > kEntryValueMask, "only a literal's flag is above the value");
  return (entry >> kEntryValueShift) + uint32_t((bits & LowBits(EntryDropBits(entry))) >> EntryCodeBits(entry));
}

struct HuffmanTable {
  const uint32_t* entries = nullptr;
  unsigned rootBits = 0;
};

enum class BuildResult {
  kOk,
  kIncomplete,      // codes left unused where the caller does not accept it
  kOversubscribed,  // more codes than the lengths can hold
  kTableFull,       // the table needs more entries than it was given
};

namespace build_detail {

struct ReversedBytes {
  uint8_t of[256] = {};
};

constexpr ReversedBytes MakeReversedBytes() {
  ReversedBytes r;
  for (unsigned b = 0; b < 256; ++b)
    for (unsigned i = 0; i < 8; ++i) r.of[b] |= uint8_t(((b >> i) & 1) << (7 - i));
  return r;
}

inline constexpr ReversedBytes kReversedBytes = MakeReversedBytes();

// The low `bits` bits of `code` in reverse order (bits <= 16).
constexpr uint32_t ReverseBits(uint32_t code, unsigned bits) {
  uint32_t reversed16 = uint32_t(kReversedBytes.of[code & 0xFF]) << 8 | kReversedBytes.of[(code >> 8) & 0xFF];
  return reversed16 >> (16 - bits);
}

// Codes per length, the longest length, and how much of the code space is left unused.
struct LengthCensus {
  unsigned perLength[kMaxCodeBits + 1] = {};
  unsigned longest = 0;
  int unused = 1;  // in units of the longest possible code; negative: over-subscribed
};

constexpr LengthCensus TakeCensus(const uint8_t* lengths, unsigned count) {
  LengthCensus census;
  for (unsigned s = 0; s < count; ++s) census.perLength[lengths[s]]++;
  census.perLength[0] = 0;
  for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
    if (census.perLength[len]) census.longest = len;
    census.unused = census.unused * 2 - int(census.perLength[len]);
    if (census.unused < 0) return census;
  }
  return census;
}

// The bits of the second-level part that starts with a code of `len` bits: wide enough for
// the codes that share its first-level slot (codes[] counts the codes not yet placed).
constexpr unsigned SubtableBits(const unsigned* codes, unsigned len, unsigned root, unsigned longest) {
  unsigned bits = len - root;
  int room = 1 << bits;
  while (root + bits < longest) {
    room -= int(codes[root + bits]);
    if (room <= 0) break;
    ++bits;
    room <<= 1;
  }
  return bits;
}

constexpr void Fill(uint32_t* entries, unsigned n, uint32_t entry) {
  for (unsigned i = 0; i < n; ++i) entries[i] = entry;
}

// The symbols with codes in canonical order (by length, then by value).
constexpr unsigned SortSymbols(const uint8_t* lengths, unsigned count, const LengthCensus& census,
                               uint16_t* sorted) {
  unsigned next[kMaxCodeBits + 2] = {};
  for (unsigned len = 1; len <= kMaxCodeBits; ++len) next[len + 1] = next[len] + census.perLength[len];
  for (unsigned s = 0; s < count; ++s)
    if (lengths[s]) sorted[next[lengths[s]]++] = uint16_t(s);
  return next[census.longest];
}

}  // namespace build_detail

// Builds a table for `count` symbols (at most kLitlenSymbols + kDistSymbols) with the given code
// lengths (0 = unused) into entries[0 .. capacity).  symbolEntries[s] is MakeSymbol(...) of
// symbol s.  The first level is `rootBits` wide whatever the longest code (so that the fast
// loop's masks are constants); shorter codes fill several of its entries.  An
// incomplete set is built only when `incompleteAccepted` or when its only code has one bit
// (unused entries invalid); all lengths 0 give a table whose every entry is invalid.
[[nodiscard]] constexpr BuildResult BuildHuffmanTable(const uint8_t* lengths, unsigned count,
                                                      const uint32_t* symbolEntries,
                                                      unsigned rootBits, bool incompleteAccepted,
                                                      uint32_t* entries, unsigned capacity,
                                                      HuffmanTable& table) {
  using namespace build_detail;
  LengthCensus census = TakeCensus(lengths, count);
  if (census.unused < 0) return BuildResult::kOversubscribed;
  if (census.unused > 0 && census.longest > 1 && !incompleteAccepted) return BuildResult::kIncomplete;
  const unsigned root = rootBits;
  if ((1u << root) > capacity) return BuildResult::kTableFull;
  table = HuffmanTable{entries, root};
  uint16_t sorted[kLitlenSymbols + kDistSymbols] = {};
  const unsigned placed = SortSymbols(lengths, count, census, sorted);
  unsigned codes[kMaxCodeBits + 1] = {};
  for (unsigned len = 0; len <= kMaxCodeBits; ++len) codes[len] = census.perLength[len];
  // The first level grows from two entries, doubling (each half a copy of the other) until it
  // is as wide as the next code, so a short code is stored once and copied with its half.
  unsigned width = 1;
  Fill(entries, 2, kEntryInvalid);
  auto widenTo = [&](unsigned bits) {
    for (; width < bits; ++width) std::copy(entries, entries + (1u << width), entries + (1u << width));
  };
  unsigned used = 1u << root, slot = ~0u, subStart = 0, subBits = 0;
  uint32_t code = 0;
  for (unsigned i = 0, len = 0; i < placed; ++i, ++code) {
    const unsigned symbol = sorted[i];
    code <<= lengths[symbol] - len;
    len = lengths[symbol];
    const uint32_t entry = WithCodeBits(symbolEntries[symbol], len);
    const uint32_t reversed = ReverseBits(code, len);
    widenTo(len < root ? len : root);
    if (len <= root) {
      entries[reversed] = entry;
    } else {
      if ((reversed & ((1u << root) - 1)) != slot) {
        slot = reversed & ((1u << root) - 1);
        subBits = SubtableBits(codes, len, root, census.longest);
        if (used + (1u << subBits) > capacity) return BuildResult::kTableFull;
        entries[slot] = MakeSymbol(used, root, kEntrySubtable) | subBits << kEntryCodeBitsShift;
        Fill(entries + used, 1u << subBits, kEntryInvalid);
        subStart = used;
        used += 1u << subBits;
      }
      for (uint32_t at = reversed >> root; at < (1u << subBits); at += 1u << (len - root))
        entries[subStart + at] = entry;
    }
    --codes[len];
  }
  widenTo(root);
  return census.unused > 0 && census.longest > 1 ? BuildResult::kIncomplete : BuildResult::kOk;
}

// The second-level entry a link entry leads to for the next bits.
inline uint32_t LookUpSecondLevel(const uint32_t* entries, uint32_t link, uint64_t bits) {
  return entries[EntryValue(link) + ((bits >> EntryDropBits(link)) & LowBits(EntryCodeBits(link)))];
}

// The entry for the next bits: a first-level entry, or the second-level entry it links to.
// Needs kMaxCodeBits buffered bits.
inline uint32_t LookUp(const uint32_t* entries, unsigned rootBits, uint64_t bits) {
  uint32_t entry = entries[bits & LowBits(rootBits)];
  if (entry & kEntrySubtable) entry = LookUpSecondLevel(entries, entry, bits);
  return entry;
}

}  // namespace inflate_detail
