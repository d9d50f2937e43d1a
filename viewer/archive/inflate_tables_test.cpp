// The inflater's tables: the length sets that need the most entries fill each table exactly
// (one entry less is a full table), the worst-case search against the classic published
// figures, every code of such a set decoding to its symbol, the fixed code and the length and
// distance bases against a stream written from RFC 1951 by the test writer, both CRC tables
// against a bit-at-a-time CRC, and the fast loop against the careful loop on every held-in
// stream, with the output ending and the input cut at every position near the margins.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "viewer/archive/inflate.h"
#include "viewer/archive/inflate_huffman.h"
#include "viewer/archive/inflate_test_writer.h"
#include "viewer/archive/lzh_crc16.h"
#include "viewer/archive/zip_crc32.h"

using namespace inflate_detail;
using namespace inflate_test;

namespace {

// Code lengths from a count per length (index = length), given to symbols 0, 1, 2, ... in order.
std::vector<uint8_t> LengthsFromCensus(const std::vector<unsigned>& perLength) {
  std::vector<uint8_t> lengths;
  for (unsigned len = 1; len < perLength.size(); ++len) lengths.insert(lengths.end(), perLength[len], uint8_t(len));
  return lengths;
}

// The worst cases the search finds: many 12- to 15-bit codes, spread so that nearly every
// first-level slot they reach holds a 15-bit code.
const std::vector<unsigned> kWorstLitlen = {0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 103, 1, 17, 162};
// An incomplete distance code: the last slot holds a single 15-bit code.
const std::vector<unsigned> kWorstDist = {0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 5, 1, 17, 1, 1, 3};

struct Built {
  BuildResult result;
  std::vector<uint32_t> entries;
  HuffmanTable table;
};

Built Build(const std::vector<uint8_t>& lengths, const TableLimits& limits, unsigned capacity) {
  std::vector<uint32_t> symbols(lengths.size());
  for (unsigned s = 0; s < symbols.size(); ++s) symbols[s] = MakeSymbol(s, 0, 0);
  Built b{BuildResult::kOk, std::vector<uint32_t>(capacity), {}};
  b.result = BuildHuffmanTable(lengths.data(), unsigned(lengths.size()), symbols.data(), limits.rootBits,
                               limits.incompleteAccepted, b.entries.data(), capacity, b.table);
  return b;
}

uint32_t Reversed(uint32_t code, unsigned bits) {
  uint32_t r = 0;
  for (unsigned i = 0; i < bits; ++i) r |= ((code >> i) & 1) << (bits - 1 - i);
  return r;
}

TEST(InflateTables, WorstCaseSetsFillTheirTablesExactly) {
  struct Case {
    const std::vector<unsigned>& census;
    TableLimits limits;
    unsigned entries;
    BuildResult whenBuilt;
  } cases[] = {{kWorstLitlen, kLitlenLimits, kLitlenTableEntries, BuildResult::kOk},
               {kWorstDist, kDistLimits, kDistTableEntries, BuildResult::kIncomplete}};
  for (const Case& c : cases) {
    std::vector<uint8_t> lengths = LengthsFromCensus(c.census);
    ASSERT_LE(lengths.size(), c.limits.symbols);
    Built fits = Build(lengths, c.limits, c.entries);
    EXPECT_EQ(fits.result, c.whenBuilt) << c.entries;
    EXPECT_EQ(Build(lengths, c.limits, c.entries - 1).result, BuildResult::kTableFull) << c.entries;
    // Every code decodes to its own symbol and length.
    std::vector<uint32_t> codes = CanonicalCodes(lengths);
    for (unsigned s = 0; s < lengths.size(); ++s) {
      uint32_t entry = LookUp(fits.table.entries, fits.table.rootBits, Reversed(codes[s], lengths[s]));
      EXPECT_EQ(EntryValue(entry), s);
      EXPECT_EQ(EntryCodeBits(entry), lengths[s]);
      EXPECT_EQ(EntryDropBits(entry), lengths[s]);
    }
  }
}

TEST(InflateTables, WorstCaseSearchGivesThePublishedFigures) {
  volatile unsigned litlenSymbols = 286, distSymbols = 30;  // evaluated at run time, not compile time
  EXPECT_EQ(WorstCaseEntries({litlenSymbols, 9, 15, false}), 852u);
  EXPECT_EQ(WorstCaseEntries({distSymbols, 6, 15, false}), 592u);
  EXPECT_EQ(WorstCaseEntries({litlenSymbols + 2, 11, 15, false}), 2342u);
  EXPECT_EQ(WorstCaseEntries({distSymbols + 2, 8, 15, false}), 402u);
  EXPECT_EQ(WorstCaseEntries({distSymbols, 7, 7, false}), 128u);  // no second level at all
}

TEST(InflateTables, FullTableOversubscribedAndIncompleteAreTold) {
  std::vector<uint8_t> lengths = LengthsFromCensus(kWorstLitlen);
  lengths[1] = 1;  // two 1-bit codes: over-subscribed
  EXPECT_EQ(Build(lengths, kLitlenLimits, kLitlenTableEntries).result, BuildResult::kOversubscribed);
  lengths = LengthsFromCensus(kWorstDist);
  EXPECT_EQ(Build(lengths, kLitlenLimits, kLitlenTableEntries).result, BuildResult::kIncomplete);
  EXPECT_EQ(Build({1}, kLitlenLimits, kLitlenTableEntries).result, BuildResult::kOk);  // the single one-bit code
}

// Every length (3..258) and, for every distance code, its shortest and longest distance, in
// one fixed block; the test writer codes them from RFC 1951's tables, not from the inflater's.
TEST(InflateTables, FixedCodeAndEveryLengthAndDistanceBase) {
  std::vector<Token> tokens;
  for (int i = 0; i < 33000; ++i) tokens.push_back(Token::Literal(uint8_t(i * 31 + i / 256)));
  for (uint16_t length = 3; length <= 258; ++length) tokens.push_back(Token::Match(length, uint16_t(1 + length % 7)));
  const unsigned bases[] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769, 1025,
                            1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 32769};
  for (unsigned code = 0; code + 1 < std::size(bases); ++code) {
    tokens.push_back(Token::Match(3, uint16_t(bases[code])));
    tokens.push_back(Token::Match(258, uint16_t(bases[code + 1] - 1)));
  }
  DeflateWriter w;
  w.FixedBlock(tokens, true);
  std::vector<uint8_t> stream = w.Finish(), expected, out;
  ApplyTokens(tokens, expected);
  out.resize(expected.size());
  Inflater inflater;
  size_t produced = 0;
  EXPECT_EQ(inflater.Inflate(stream.data(), stream.size(), out.data(), out.size(), &produced), InflateResult::kOk);
  EXPECT_EQ(out, expected);
}

template <typename Word>
Word BitwiseCrc(Word polynomial, const std::vector<uint8_t>& data, Word crc, bool inverted) {
  if (inverted) crc = Word(~crc);
  for (uint8_t byte : data) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = Word((crc >> 1) ^ ((crc & 1) ? polynomial : 0));
  }
  return inverted ? Word(~crc) : crc;
}

TEST(InflateTables, CrcTablesAgainstABitAtATimeCrc) {
  std::mt19937 random(1952);
  for (size_t size : {0u, 1u, 2u, 3u, 7u, 8u, 15u, 16u, 63u, 64u, 65u, 127u, 300u, 4099u, 100000u}) {
    std::vector<uint8_t> data(size);
    for (uint8_t& b : data) b = uint8_t(random());
    EXPECT_EQ(UpdateCrc32(0x12345678u, data.data(), size), BitwiseCrc<uint32_t>(0xEDB88320u, data, 0x12345678u, true))
        << size;
    EXPECT_EQ(LzhCrc16Update(0xBEEF, data.data(), size), BitwiseCrc<uint16_t>(0xA001, data, 0xBEEF, false)) << size;
  }
}

struct Decoded {
  InflateResult result;
  std::vector<uint8_t> bytes;
};

Decoded Run(Inflater& inflater, const std::vector<uint8_t>& stream, size_t inputSize, size_t room, bool fast) {
  inflater.UseFastLoop(fast);
  std::vector<uint8_t> out(room + 1, 0xA5);
  size_t produced = 0;
  InflateResult result = inflater.Inflate(stream.data(), inputSize, out.data(), room, &produced);
  EXPECT_EQ(out[room], 0xA5) << "wrote past the room";
  out.resize(produced);
  return {result, out};
}

// Both loops agree on `stream` with the output ending at every size near the decoded size
// and the input cut at every length near its end.
void ExpectLoopsAgree(const std::vector<uint8_t>& stream, const std::string& name) {
  Inflater inflater;
  Decoded whole = Run(inflater, stream, stream.size(), stream.size() * 1040 + 300, false);
  const size_t size = whole.bytes.size();
  for (size_t room = size > 300 ? size - 300 : 0; room <= size + 300; ++room) {
    Decoded careful = Run(inflater, stream, stream.size(), room, false);
    Decoded fast = Run(inflater, stream, stream.size(), room, true);
    ASSERT_EQ(fast.result, careful.result) << name << " room " << room;
    ASSERT_EQ(fast.bytes, careful.bytes) << name << " room " << room;
  }
  for (size_t cut = stream.size() > 40 ? stream.size() - 40 : 0; cut < stream.size(); ++cut) {
    Decoded careful = Run(inflater, stream, cut, size + 300, false);
    Decoded fast = Run(inflater, stream, cut, size + 300, true);
    ASSERT_EQ(fast.result, careful.result) << name << " cut " << cut;
    ASSERT_EQ(fast.bytes, careful.bytes) << name << " cut " << cut;
  }
}

TEST(InflateTables, FastLoopAgreesWithCarefulLoopOnHeldInStreams) {
  int streams = 0;
  for (const auto& file : std::filesystem::directory_iterator(ZV_INFLATE_CORPUS)) {
    std::ifstream in(file.path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 2) continue;
    ExpectLoopsAgree(std::vector<uint8_t>(bytes.begin() + 2, bytes.end()), file.path().filename().string());
    ++streams;
  }
  EXPECT_GT(streams, 0);
  // Random tokens through a fixed and a dynamic block: short and long matches, runs, far copies.
  std::mt19937 random(258);
  std::vector<Token> tokens;
  size_t produced = 0;
  for (int i = 0; i < 6000; ++i) {
    if (produced < 10 || random() % 3 == 0) {
      tokens.push_back(Token::Literal(uint8_t(random())));
      ++produced;
      continue;
    }
    uint16_t length = uint16_t(3 + random() % (random() % 4 ? 20 : 256));
    uint16_t distance = uint16_t(1 + random() % std::min<size_t>(produced, random() % 2 ? 8 : 32768));
    tokens.push_back(Token::Match(length, distance));
    produced += length;
  }
  DeflateWriter w;
  std::vector<Token> first(tokens.begin(), tokens.begin() + 3000), second(tokens.begin() + 3000, tokens.end());
  w.FixedBlock(first, false);
  std::vector<uint8_t> litlen = FixedLitlenLengths(), dist(30, 5);
  w.DynamicBlock(litlen, dist, second, true);
  ExpectLoopsAgree(w.Finish(), "random tokens");
  // Turns that write the most: two literals, then a long match whose word copies overshoot the
  // most (257 bytes a word or more back, 258 bytes at short distances), each pattern near the
  // end of a stream so that the output's end meets every turn.
  for (uint16_t distance : {40, 8, 1, 2, 3, 4, 5, 6, 7, 9}) {
    for (uint16_t length : {257, 258}) {
      std::vector<Token> widest = Literals(std::vector<uint8_t>(39, 'a'));  // whole turns of literals
      for (int turn = 0; turn < 3; ++turn) {
        widest.push_back(Token::Literal('b'));
        widest.push_back(Token::Literal('c'));
        widest.push_back(Token::Match(length, distance));
      }
      DeflateWriter fixed;  // a stored block after it keeps the turns within the fast loop's input
      fixed.FixedBlock(widest, false);
      fixed.StoredBlock(std::vector<uint8_t>(40, 'z'), true);
      ExpectLoopsAgree(fixed.Finish(), "widest turns " + std::to_string(length) + "/" + std::to_string(distance));
    }
  }
}

}  // namespace
