// The inflater's block layer: block headers, stored blocks, the fixed code and the
// code-length header of dynamic blocks (RFC 1951, 3.2.3 to 3.2.7).  The fixed code's tables
// and every symbol's value and extra bits are compile-time constants.
#include "viewer/archive/inflate.h"

#include <algorithm>
#include <new>

#include "viewer/archive/inflate_stream.h"
#include "viewer/archive/little_endian.h"
#include "viewer/archive/zip_crc32.h"
#include "platform/allocation.h"

using namespace inflate_detail;

namespace {

constexpr uint16_t kLengthBase[kLengthSymbols] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[kLengthSymbols] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[kDistanceSymbols] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                                  33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[kDistanceSymbols] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                  6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic header lists the code-length code's lengths.
constexpr uint8_t kCodeLengthOrder[kCodeLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                          11, 4,  12, 3, 13, 2, 14, 1, 15};
static_assert(kLengthBase[kLengthSymbols - 1] == kMaxMatchLength && kLengthBase[0] == kMinMatchLength);
static_assert(kDistBase[kDistanceSymbols - 1] + (1u << kDistExtra[kDistanceSymbols - 1]) - 1 == kWindowSize);

// What each symbol of the three alphabets decodes to.
struct SymbolEntries {
  uint32_t litlen[kLitlenSymbols] = {};
  uint32_t dist[kDistSymbols] = {};
  uint32_t codeLength[kCodeLengthSymbols] = {};
};

constexpr SymbolEntries MakeSymbolEntries() {
  SymbolEntries e;
  for (unsigned s = 0; s < kLitlenSymbols; ++s) {
    if (s < kLiteralSymbols) e.litlen[s] = MakeSymbol(s, 0, kEntryLiteral);
    else if (s == kEndOfBlockSymbol) e.litlen[s] = kEntryEndOfBlock;
    else if (s < kFirstLengthSymbol + kLengthSymbols)
      e.litlen[s] = MakeSymbol(kLengthBase[s - kFirstLengthSymbol], kLengthExtra[s - kFirstLengthSymbol], 0);
    else e.litlen[s] = kEntryInvalid;
  }
  for (unsigned s = 0; s < kDistSymbols; ++s)
    e.dist[s] = s < kDistanceSymbols ? MakeSymbol(kDistBase[s], kDistExtra[s], 0) : kEntryInvalid;
  for (unsigned s = 0; s < kCodeLengthSymbols; ++s) e.codeLength[s] = MakeSymbol(s, 0, 0);
  return e;
}

constexpr SymbolEntries kSymbols = MakeSymbolEntries();

// The fixed code (RFC 1951, 3.2.6): literal/length symbols below 144 and from 280 take 8 bits,
// 144 to 255 take 9, 256 to 279 take 7; every distance symbol takes 5.
constexpr unsigned kFixedNineBitsFrom = 144;
constexpr unsigned kFixedSevenBitsFrom = 256;
constexpr unsigned kFixedEightBitsAgainFrom = 280;
constexpr unsigned kFixedDistBits = 5;

constexpr uint8_t FixedLitlenLength(unsigned symbol) {
  return symbol < kFixedNineBitsFrom ? 8 : symbol < kFixedSevenBitsFrom ? 9 : symbol < kFixedEightBitsAgainFrom ? 7 : 8;
}

// The fixed code's tables have the dynamic tables' first-level widths, so that one fast loop
// with constant masks serves both.
struct FixedTables {
  uint32_t litlen[1u << kLitlenRootBits] = {};
  uint32_t dist[1u << kDistRootBits] = {};
  bool built = false;
};

constexpr FixedTables MakeFixedTables() {
  FixedTables t;
  uint8_t lengths[kLitlenSymbols] = {};
  for (unsigned s = 0; s < kLitlenSymbols; ++s) lengths[s] = FixedLitlenLength(s);
  HuffmanTable unused;
  bool litlenBuilt = BuildHuffmanTable(lengths, kLitlenSymbols, kSymbols.litlen, kLitlenRootBits, false, t.litlen,
                                       1u << kLitlenRootBits, unused) == BuildResult::kOk;
  for (unsigned s = 0; s < kDistSymbols; ++s) lengths[s] = kFixedDistBits;
  bool distBuilt = BuildHuffmanTable(lengths, kDistSymbols, kSymbols.dist, kDistRootBits, false, t.dist,
                                     1u << kDistRootBits, unused) == BuildResult::kOk;
  t.built = litlenBuilt && distBuilt;
  return t;
}

constexpr FixedTables kFixed = MakeFixedTables();
static_assert(kFixed.built, "the fixed code fills its tables exactly");
constexpr HuffmanTable kFixedLitlen{kFixed.litlen, kLitlenRootBits};
constexpr HuffmanTable kFixedDist{kFixed.dist, kDistRootBits};

}  // namespace

struct InflateTables {
  uint32_t litlenEntries[kLitlenTableEntries];
  uint32_t distEntries[kDistTableEntries];
  uint32_t codeLengthEntries[kCodeLengthTableEntries];
  HuffmanTable litlen;
  HuffmanTable dist;
  HuffmanTable codeLengths;
};

namespace {

InflateResult CopyStoredBlock(InflateStream& s) {
  s.AlignToByte();
  if (s.inEnd - s.in < 4) return InflateResult::kTruncated;
  unsigned length = LittleEndian16(s.in);
  unsigned complement = LittleEndian16(s.in + 2);
  if ((length ^ 0xFFFF) != complement) return InflateResult::kBadData;
  s.in += 4;
  size_t n = std::min({size_t(length), size_t(s.inEnd - s.in), size_t(s.outEnd - s.out)});
  if (n) std::memcpy(s.out, s.in, n);
  s.in += n;
  s.out += n;
  if (n == length) return InflateResult::kOk;
  return s.in == s.inEnd ? InflateResult::kTruncated : InflateResult::kOutputFull;
}

// Maps a table build result onto the inflater's results (an incomplete code that the table
// accepts is built and fine).
InflateResult BuildCheck(BuildResult buildResult, const TableLimits& limits) {
  switch (buildResult) {
    case BuildResult::kOk: return InflateResult::kOk;
    case BuildResult::kIncomplete: return limits.incompleteAccepted ? InflateResult::kOk : InflateResult::kBadData;
    case BuildResult::kOversubscribed: return InflateResult::kBadCodes;
    case BuildResult::kTableFull: return InflateResult::kTableFull;
  }
  return InflateResult::kBadData;
}

InflateResult BuildDynamicTable(const uint8_t* lengths, unsigned count, const uint32_t* symbolEntries,
                                const TableLimits& limits, uint32_t* entries, unsigned capacity,
                                HuffmanTable& table) {
  return BuildCheck(BuildHuffmanTable(lengths, count, symbolEntries, limits.rootBits, limits.incompleteAccepted,
                                      entries, capacity, table),
                    limits);
}

// Reads the HLIT + HDIST code lengths through the code-length code.
InflateResult ReadCodeLengths(InflateStream& s, const HuffmanTable& codeLengths, uint8_t* lengths,
                    unsigned total) {
  unsigned i = 0;
  while (i < total) {
    s.RefillSlowly();
    uint32_t symbol = 0;
    if (s.Decode(codeLengths, &symbol) & kEntryInvalid) return InflateResult::kBadData;
    if (symbol < 16) {
      lengths[i++] = uint8_t(symbol);
      continue;
    }
    unsigned repeat;
    uint8_t value = 0;
    if (symbol == 16) {
      if (i == 0) return InflateResult::kBadData;
      value = lengths[i - 1];
      repeat = 3 + s.Take(2);
    } else if (symbol == 17) {
      repeat = 3 + s.Take(3);
    } else {
      repeat = 11 + s.Take(7);
    }
    if (repeat > total - i) return InflateResult::kBadData;
    std::fill(lengths + i, lengths + i + repeat, value);
    i += repeat;
  }
  return s.Truncated() ? InflateResult::kTruncated : InflateResult::kOk;
}

InflateResult ReadDynamicTables(InflateStream& s, InflateTables& t) {
  s.RefillSlowly();
  unsigned hlit = s.Take(5) + 257;
  unsigned hdist = s.Take(5) + 1;
  unsigned hclen = s.Take(4) + 4;
  uint8_t lengths[kLitlenSymbols + kDistSymbols] = {};
  for (unsigned i = 0; i < hclen; ++i) {
    s.RefillSlowly();
    lengths[kCodeLengthOrder[i]] = uint8_t(s.Take(3));
  }
  InflateResult result = BuildDynamicTable(lengths, kCodeLengthSymbols, kSymbols.codeLength, kCodeLengthLimits,
                                           t.codeLengthEntries, kCodeLengthTableEntries, t.codeLengths);
  if (result != InflateResult::kOk) return result;
  std::fill(lengths, lengths + kCodeLengthSymbols, 0);
  result = ReadCodeLengths(s, t.codeLengths, lengths, hlit + hdist);
  if (result != InflateResult::kOk) return result;
  if (lengths[kEndOfBlockSymbol] == 0) return InflateResult::kBadData;  // a block without an end
  result = BuildDynamicTable(lengths, hlit, kSymbols.litlen, kLitlenLimits, t.litlenEntries, kLitlenTableEntries,
                             t.litlen);
  if (result != InflateResult::kOk) return result;
  return BuildDynamicTable(lengths + hlit, hdist, kSymbols.dist, kDistLimits, t.distEntries, kDistTableEntries,
                           t.dist);
}

InflateResult InflateBlock(InflateStream& s, InflateTables& t, unsigned type, bool fastLoop) {
  if (type == 0) return CopyStoredBlock(s);
  if (type == 1) return DecodeBlockCodes(s, kFixedLitlen, kFixedDist, fastLoop);
  if (type == 2) {
    InflateResult result = ReadDynamicTables(s, t);
    if (result != InflateResult::kOk) return result;
    return DecodeBlockCodes(s, t.litlen, t.dist, fastLoop);
  }
  return InflateResult::kBadCodes;
}

}  // namespace

Inflater::Inflater() : tables_(NewObject<InflateTables>()) {}
Inflater::~Inflater() = default;

InflateResult Inflater::Inflate(const uint8_t* input, size_t inputSize, uint8_t* output, size_t outputSize,
                      size_t* produced, size_t* consumed) {
  *produced = 0;
  if (consumed) *consumed = 0;
  if (!tables_) return InflateResult::kNoMemory;
  InflateStream s{input, input + inputSize, output, output, output + outputSize};
  InflateResult result;
  outputCrc_ = 0;
  for (;;) {
    s.RefillSlowly();
    unsigned last = s.Take(1);
    unsigned type = s.Take(2);
    uint8_t* blockStart = s.out;
    result = s.Truncated() ? InflateResult::kTruncated : InflateBlock(s, *tables_, type, fastLoop_);
    if (result == InflateResult::kOk && s.Truncated()) result = InflateResult::kTruncated;
    if (computeCrc_) outputCrc_ = UpdateCrc32(outputCrc_, blockStart, size_t(s.out - blockStart));
    if (result != InflateResult::kOk || last) break;
  }
  *produced = size_t(s.out - s.outStart);
  if (consumed) {
    s.AlignToByte();
    *consumed = size_t(s.in - input);
  }
  return result;
}

const char* InflateResultText(InflateResult result) {
  switch (result) {
    case InflateResult::kOk: return "ok";
    case InflateResult::kBadData: return "damaged deflate data";
    case InflateResult::kBadCodes: return "bad block type or over-subscribed code";
    case InflateResult::kNoMemory: return "out of memory";
    case InflateResult::kTruncated: return "deflate data ends early";
    case InflateResult::kOutputFull: return "member inflates past its declared size";
    case InflateResult::kDistanceTooFar: return "match distance before the start of the member";
    case InflateResult::kTableFull: return "code too large for the decoding table";
  }
  return "unknown inflate result";
}
