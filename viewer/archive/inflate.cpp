// The inflater's block layer: block headers, stored blocks, the fixed code (built once) and the
// code-length header of dynamic blocks (RFC 1951, 3.2.3 to 3.2.7).
#include "viewer/archive/inflate.h"

#include <algorithm>
#include <new>

#include "viewer/archive/inflate_stream.h"
#include "viewer/archive/little_endian.h"
#include "platform/allocation.h"

using namespace inflate_detail;

namespace {

constexpr unsigned kLitlenSymbols = 288;
constexpr unsigned kDistSymbols = 32;
constexpr unsigned kCodeLengthSymbols = 19;
constexpr unsigned kLitlenRootBits = 11;
constexpr unsigned kDistRootBits = 8;
constexpr unsigned kCodeLengthRootBits = 7;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                    33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic header lists the code-length code's lengths.
constexpr uint8_t kCodeLengthOrder[kCodeLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

}  // namespace

struct InflateTables {
  uint32_t litlenSymbols[kLitlenSymbols];
  uint32_t distSymbols[kDistSymbols];
  uint32_t codeLengthSymbols[kCodeLengthSymbols];

  uint32_t fixedLitlenEntries[1u << 9];
  uint32_t fixedDistEntries[1u << 5];
  HuffmanTable fixedLitlen{fixedLitlenEntries, 1u << 9};
  HuffmanTable fixedDist{fixedDistEntries, 1u << 5};
  bool fixedBuilt = false;

  uint32_t litlenEntries[TableCapacity(kLitlenRootBits, kLitlenSymbols)];
  uint32_t distEntries[TableCapacity(kDistRootBits, kDistSymbols)];
  uint32_t codeLengthEntries[1u << kCodeLengthRootBits];
  HuffmanTable litlen{litlenEntries, TableCapacity(kLitlenRootBits, kLitlenSymbols)};
  HuffmanTable dist{distEntries, TableCapacity(kDistRootBits, kDistSymbols)};
  HuffmanTable codeLengths{codeLengthEntries, 1u << kCodeLengthRootBits};

  InflateTables() {
    for (unsigned s = 0; s < kLitlenSymbols; ++s) {
      if (s < 256) litlenSymbols[s] = MakeEntry(s, 0, kEntryLiteral);
      else if (s == 256) litlenSymbols[s] = kEntryEndOfBlock;
      else if (s < 286) litlenSymbols[s] = MakeEntry(kLengthBase[s - 257], kLengthExtra[s - 257], 0);
      else litlenSymbols[s] = kEntryInvalid;
    }
    for (unsigned s = 0; s < kDistSymbols; ++s)
      distSymbols[s] = s < 30 ? MakeEntry(kDistBase[s], kDistExtra[s], 0) : kEntryInvalid;
    for (unsigned s = 0; s < kCodeLengthSymbols; ++s) codeLengthSymbols[s] = MakeEntry(s, 0, 0);
  }
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

InflateResult BuildFixedTables(InflateTables& t) {
  uint8_t lengths[kLitlenSymbols];
  std::fill(lengths, lengths + 144, 8);
  std::fill(lengths + 144, lengths + 256, 9);
  std::fill(lengths + 256, lengths + 280, 7);
  std::fill(lengths + 280, lengths + 288, 8);
  BuildResult result = BuildHuffmanTable(lengths, kLitlenSymbols, t.litlenSymbols, 9, t.fixedLitlen);
  if (result != BuildResult::kOk) return InflateResult::kBadCodes;
  std::fill(lengths, lengths + 30, 5);
  result = BuildHuffmanTable(lengths, 30, t.distSymbols, 5, t.fixedDist);
  if (result == BuildResult::kOversubscribed) return InflateResult::kBadCodes;
  t.fixedBuilt = true;
  return InflateResult::kOk;
}

// Maps a table build result onto the inflater's results; incomplete codes are refused unless
// the caller accepts them.
InflateResult BuildCheck(BuildResult buildResult, bool incompleteAccepted) {
  if (buildResult == BuildResult::kOversubscribed) return InflateResult::kBadCodes;
  if (buildResult == BuildResult::kIncomplete && !incompleteAccepted) return InflateResult::kBadData;
  return InflateResult::kOk;
}

// Reads the HLIT + HDIST code lengths through the code-length code.
InflateResult ReadCodeLengths(InflateStream& s, const HuffmanTable& codeLengths, uint8_t* lengths,
                    unsigned total) {
  unsigned i = 0;
  while (i < total) {
    s.RefillSlowly();
    uint32_t e = s.Decode(codeLengths);
    if (e & kEntryInvalid) return InflateResult::kBadData;
    unsigned symbol = EntryValue(e);
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
  InflateResult result = BuildCheck(
      BuildHuffmanTable(lengths, kCodeLengthSymbols, t.codeLengthSymbols, kCodeLengthRootBits,
                        t.codeLengths),
      false);
  if (result != InflateResult::kOk) return result;
  std::fill(lengths, lengths + kCodeLengthSymbols, 0);
  result = ReadCodeLengths(s, t.codeLengths, lengths, hlit + hdist);
  if (result != InflateResult::kOk) return result;
  if (lengths[256] == 0) return InflateResult::kBadData;  // a block without an end
  result = BuildCheck(
      BuildHuffmanTable(lengths, hlit, t.litlenSymbols, kLitlenRootBits, t.litlen), false);
  if (result != InflateResult::kOk) return result;
  return BuildCheck(
      BuildHuffmanTable(lengths + hlit, hdist, t.distSymbols, kDistRootBits, t.dist), true);
}

InflateResult InflateBlock(InflateStream& s, InflateTables& t, unsigned type) {
  if (type == 0) return CopyStoredBlock(s);
  if (type == 1) {
    if (!t.fixedBuilt) {
      InflateResult result = BuildFixedTables(t);
      if (result != InflateResult::kOk) return result;
    }
    return DecodeBlockCodes(s, t.fixedLitlen, t.fixedDist);
  }
  if (type == 2) {
    InflateResult result = ReadDynamicTables(s, t);
    if (result != InflateResult::kOk) return result;
    return DecodeBlockCodes(s, t.litlen, t.dist);
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
  for (;;) {
    s.RefillSlowly();
    unsigned last = s.Take(1);
    unsigned type = s.Take(2);
    result = s.Truncated() ? InflateResult::kTruncated : InflateBlock(s, *tables_, type);
    if (result == InflateResult::kOk && s.Truncated()) result = InflateResult::kTruncated;
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
  }
  return "unknown inflate result";
}
