// The inflater: stored, fixed and dynamic blocks, 15-bit codes, distance 32768, the two ways of
// writing length 258, long random token streams through the fast loop, and damaged streams
// (bad lengths, bad codes, truncation, overflowing output, distances before the start).
#include "viewer/archive/inflate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "viewer/archive/inflate_test_writer.h"

using namespace inflate_test;

namespace {

struct Outcome {
  InflateResult result;
  std::vector<uint8_t> output;  // the bytes produced
};

Outcome Decode(Inflater& inflater, const std::vector<uint8_t>& stream, size_t room) {
  std::vector<uint8_t> out(room + 1, 0xEE);  // one guard byte past the room
  size_t produced = 0;
  InflateResult result = inflater.Inflate(stream.data(), stream.size(), out.data(), room, &produced);
  EXPECT_EQ(out[room], 0xEE) << "wrote past the output";
  out.resize(produced);
  return {result, out};
}

Outcome Decode(const std::vector<uint8_t>& stream, size_t room) {
  Inflater inflater;
  return Decode(inflater, stream, room);
}

std::vector<uint8_t> Bytes(const char* text) {
  return std::vector<uint8_t>(text, text + std::strlen(text));
}

std::vector<uint8_t> Expected(const std::vector<Token>& tokens) {
  std::vector<uint8_t> out;
  ApplyTokens(tokens, out);
  return out;
}

// Complete litlen lengths with codes of 7 to 15 bits (the fixed set, reshaped): symbols 286 and
// 287 unused, 144..150 given 10..15,15 bits, 152..161 shortened to 8 bits.
std::vector<uint8_t> DeepLitlenLengths() {
  std::vector<uint8_t> lengths = FixedLitlenLengths();
  lengths.resize(286);
  const uint8_t deep[7] = {10, 11, 12, 13, 14, 15, 15};
  for (int i = 0; i < 7; ++i) lengths[144 + i] = deep[i];
  for (int s = 152; s < 162; ++s) lengths[s] = 8;
  double kraft = 0;
  for (uint8_t len : lengths) kraft += len ? 1.0 / (1 << len) : 0;
  EXPECT_DOUBLE_EQ(kraft, 1.0);
  return lengths;
}

// Distance lengths: 5 bits for 0..27 and 15 bits for 28 and 29 (incomplete, which is allowed).
std::vector<uint8_t> DeepDistLengths() {
  std::vector<uint8_t> lengths(30, 5);
  lengths[28] = lengths[29] = 15;
  return lengths;
}

TEST(Inflate, StoredBlocksIncludingAnEmptyOne) {
  DeflateWriter w;
  w.StoredBlock(Bytes("Hello, "), false);
  w.StoredBlock({}, false);
  w.StoredBlock(Bytes("world"), true);
  Outcome o = Decode(w.Finish(), 12);
  EXPECT_EQ(o.result, InflateResult::kOk);
  EXPECT_EQ(o.output, Bytes("Hello, world"));
}

TEST(Inflate, FixedBlockWithMatchesAndRunsAfterAStoredBlock) {
  std::vector<Token> tokens = Literals(Bytes("abcabc"));
  tokens.push_back(Token::Match(10, 3));  // overlapping copy
  tokens.push_back(Token::Literal('x'));
  tokens.push_back(Token::Match(40, 1));  // a run
  DeflateWriter w;
  w.StoredBlock(Bytes("start:"), false);
  w.FixedBlock(tokens, true);
  std::vector<uint8_t> expected = Bytes("start:");
  ApplyTokens(tokens, expected);
  Outcome o = Decode(w.Finish(), expected.size());
  EXPECT_EQ(o.result, InflateResult::kOk);
  EXPECT_EQ(o.output, expected);
}

TEST(Inflate, DynamicBlockWithFifteenBitLiteralAndDistanceCodes) {
  std::vector<Token> tokens;
  for (int i = 0; i < 300; ++i) tokens.push_back(Token::Literal(uint8_t(140 + i % 16)));  // 144..150 deep
  tokens.push_back(Token::Match(20, 290));
  DeflateWriter w;
  w.DynamicBlock(DeepLitlenLengths(), DeepDistLengths(), tokens, false);
  // Second block: enough output for distance codes 28 and 29 (15 bits each).
  std::vector<Token> far;
  for (int i = 0; i < 30000; ++i) far.push_back(Token::Literal(uint8_t(i * 7)));
  far.push_back(Token::Match(100, 16385));  // code 28
  far.push_back(Token::Match(258, 30000));  // code 29
  w.DynamicBlock(DeepLitlenLengths(), DeepDistLengths(), far, true);
  std::vector<Token> all = tokens;
  all.insert(all.end(), far.begin(), far.end());
  std::vector<uint8_t> expected = Expected(all);
  Outcome o = Decode(w.Finish(), expected.size());
  EXPECT_EQ(o.result, InflateResult::kOk);
  EXPECT_EQ(o.output, expected);
}

TEST(Inflate, DistanceOf32768AndBothWaysOfWritingLength258) {
  std::mt19937 random(32768);
  std::vector<uint8_t> window(32768);
  for (uint8_t& b : window) b = uint8_t(random());
  std::vector<Token> tokens = {Token::Match(258, 32768), Token::Match258ViaCode284(32768),
                               Token::Match(257, 32768), Token::Match(3, 32768),
                               Token::Match(258, 1), Token::Match258ViaCode284(2)};
  for (bool careful : {false, true}) {
    DeflateWriter w;
    w.StoredBlock(window, false);
    w.FixedBlock(tokens, true);
    std::vector<uint8_t> expected = window;
    ApplyTokens(tokens, expected);
    std::vector<uint8_t> stream = w.Finish();
    // With an extra 300 bytes of room the fast loop decodes the matches; with exact room the
    // careful one does.
    Outcome o = Decode(stream, expected.size() + (careful ? 0 : 300));
    EXPECT_EQ(o.result, InflateResult::kOk);
    EXPECT_EQ(o.output, expected);
  }
}

TEST(Inflate, LongRandomTokenStreamsMatchTheSimpleDecoding) {
  std::mt19937 random(1951);
  for (int block = 0; block < 6; ++block) {
    std::vector<uint8_t> expected;
    std::vector<Token> tokens;
    while (expected.size() < 200000) {
      uint32_t r = random();
      Token t = Token::Literal(uint8_t(r >> 8));
      if (expected.size() > 0 && r % 3 == 0) {
        uint32_t maxDistance = std::min<size_t>(expected.size(), 32768);
        uint32_t distance = r % 5 == 0 ? 1 + r % std::min<uint32_t>(maxDistance, 8)
                                       : 1 + random() % maxDistance;
        t = Token::Match(uint16_t(3 + random() % 256), uint16_t(distance));
      }
      ApplyTokens({t}, expected);
      tokens.push_back(t);
    }
    DeflateWriter w;
    if (block % 2) w.FixedBlock(tokens, true);
    else w.DynamicBlock(DeepLitlenLengths(), DeepDistLengths(), tokens, true);
    Outcome o = Decode(w.Finish(), expected.size());
    ASSERT_EQ(o.result, InflateResult::kOk) << "block " << block;
    ASSERT_EQ(o.output, expected) << "block " << block;
  }
}

TEST(Inflate, FixedTablesAreReusedAcrossStreams) {
  Inflater inflater;
  for (const char* text : {"first stream", "second, longer stream"}) {
    DeflateWriter w;
    w.FixedBlock(Literals(Bytes(text)), true);
    Outcome o = Decode(inflater, w.Finish(), std::strlen(text));
    EXPECT_EQ(o.result, InflateResult::kOk);
    EXPECT_EQ(o.output, Bytes(text));
  }
}

TEST(Inflate, SingleOneBitCodeAndIncompleteDistanceCodesAreAccepted) {
  std::vector<uint8_t> litlen(258, 0);
  litlen[256] = 1;  // only the end of block, one 1-bit code
  DeflateWriter w;
  w.DynamicBlock(litlen, {0}, {}, false);
  litlen['a'] = 2;
  litlen[256] = 2;
  litlen[257] = 1;  // a length-3 match code
  std::vector<uint8_t> dist = {2, 0, 0, 0};  // one 2-bit distance code: incomplete
  w.DynamicBlock(litlen, dist, {Token::Literal('a'), Token::Match(3, 1)}, true);
  Outcome o = Decode(w.Finish(), 4);
  EXPECT_EQ(o.result, InflateResult::kOk);
  EXPECT_EQ(o.output, Bytes("aaaa"));
}

TEST(Inflate, BadStoredLengthAndBadBlockTypeKeepWhatWasDecoded) {
  DeflateWriter w;
  w.StoredBlock(Bytes("kept"), false);
  w.Bits(1, 1);
  w.Bits(0, 2);
  w.Bits(0, 5);  // to the byte boundary
  w.Bits(5, 16);
  w.Bits(5, 16);  // NLEN is not ~LEN
  Outcome o = Decode(w.Finish(), 20);
  EXPECT_EQ(o.result, InflateResult::kBadData);
  EXPECT_EQ(o.output, Bytes("kept"));

  DeflateWriter type3;
  type3.Bits(1, 1);
  type3.Bits(3, 2);
  EXPECT_EQ(Decode(type3.Finish(), 20).result, InflateResult::kBadCodes);
}

TEST(Inflate, BadCodeSetsAreRefused) {
  auto run = [](std::vector<uint8_t> litlen, std::vector<uint8_t> dist) {
    DeflateWriter w;
    w.Bits(1, 1);
    w.Bits(2, 2);
    w.Bits(uint32_t(litlen.size() - 257), 5);
    w.Bits(uint32_t(dist.size() - 1), 5);
    w.Bits(15, 4);
    for (int i = 0; i < 19; ++i) w.Bits(i >= 3 ? 4 : 0, 3);  // sixteen 4-bit codes for 0..15
    std::vector<uint8_t> cl(19, 0);
    for (int s = 0; s < 16; ++s) cl[s] = 4;
    std::vector<uint32_t> codes = CanonicalCodes(cl);
    for (std::vector<uint8_t>* v : {&litlen, &dist})
      for (uint8_t len : *v)
        for (int i = 4; i-- > 0;) w.Bits(codes[len] >> i, 1);
    w.Bits(0, 32);
    return Decode(w.Finish(), 100).result;
  };
  std::vector<uint8_t> litlen(257, 0);
  litlen[0] = litlen[1] = litlen[2] = litlen[256] = 1;
  EXPECT_EQ(run(litlen, {1}), InflateResult::kBadCodes) << "over-subscribed literal/length code";
  litlen.assign(257, 0);
  litlen[0] = litlen[256] = 2;
  EXPECT_EQ(run(litlen, {1}), InflateResult::kBadData) << "incomplete literal/length code";
  litlen.assign(257, 0);
  litlen[0] = 1;
  litlen[1] = 1;
  EXPECT_EQ(run(litlen, {1}), InflateResult::kBadData) << "no end-of-block code";
  std::vector<uint8_t> dist = {1, 1, 1};
  litlen.assign(258, 0);
  litlen[0] = litlen[256] = 2;
  litlen[257] = 1;
  EXPECT_EQ(run(litlen, dist), InflateResult::kBadCodes) << "over-subscribed distance code";
}

TEST(Inflate, BadCodeLengthSequencesAreRefused) {
  // A code-length code of four 2-bit codes: 0 = 00, 16 = 01, 17 = 10, 18 = 11.
  auto header = [](DeflateWriter& w, unsigned hlit, unsigned hdist) {
    w.Bits(1, 1);
    w.Bits(2, 2);
    w.Bits(hlit - 257, 5);
    w.Bits(hdist - 1, 5);
    w.Bits(0, 4);                                    // 4 code-length lengths: 16, 17, 18, 0
    for (int i = 0; i < 4; ++i) w.Bits(2, 3);
  };
  DeflateWriter repeatFirst;
  header(repeatFirst, 257, 1);
  repeatFirst.Bits(2, 2);  // 16 (01, first bit 0) with nothing to repeat
  repeatFirst.Bits(0, 16);
  EXPECT_EQ(Decode(repeatFirst.Finish(), 10).result, InflateResult::kBadData);

  DeflateWriter pastEnd;
  header(pastEnd, 257, 1);
  for (int run = 0; run < 2; ++run) {  // 18 (11) with 127: two runs of 138 zeros, 276 > 258
    pastEnd.Bits(3, 2);
    pastEnd.Bits(127, 7);
  }
  EXPECT_EQ(Decode(pastEnd.Finish(), 10).result, InflateResult::kBadData);
}

TEST(Inflate, InvalidCodesDistancesAndOverflowAreErrors) {
  DeflateWriter unusedLength;  // litlen 286 exists in the fixed code but means nothing
  std::vector<uint8_t> fixed = FixedLitlenLengths();
  std::vector<uint32_t> codes = CanonicalCodes(fixed);
  unusedLength.Bits(1, 1);
  unusedLength.Bits(1, 2);
  for (int i = 8; i-- > 0;) unusedLength.Bits(codes[286] >> i, 1);
  EXPECT_EQ(Decode(unusedLength.Finish(), 10).result, InflateResult::kBadData);

  DeflateWriter tooFar;
  tooFar.FixedBlock({Token::Literal('a'), Token::Literal('b'), Token::Match(3, 3)}, true);
  Outcome o = Decode(tooFar.Finish(), 10);
  EXPECT_EQ(o.result, InflateResult::kDistanceTooFar);
  EXPECT_EQ(o.output, Bytes("ab"));

  std::vector<Token> runs = {Token::Literal('z'), Token::Match(258, 1), Token::Match(258, 1)};
  for (size_t room : {size_t(0), size_t(1), size_t(100), size_t(400), size_t(516)}) {
    DeflateWriter w;
    w.FixedBlock(runs, true);
    Outcome full = Decode(w.Finish(), room);
    EXPECT_EQ(full.result, InflateResult::kOutputFull) << room;
    EXPECT_LE(full.output.size(), room);
  }
  DeflateWriter stored;
  stored.StoredBlock(Bytes("0123456789"), true);
  Outcome s = Decode(stored.Finish(), 4);
  EXPECT_EQ(s.result, InflateResult::kOutputFull);
  EXPECT_EQ(s.output, Bytes("0123"));
}

TEST(Inflate, EveryTruncationIsAnError) {
  std::vector<Token> tokens = Literals(Bytes("truncated streams must never pass as complete"));
  tokens.push_back(Token::Match(30, 12));
  DeflateWriter w;
  w.StoredBlock(Bytes("stored part"), false);
  w.DynamicBlock(DeepLitlenLengths(), DeepDistLengths(), tokens, false);
  w.FixedBlock(tokens, true);
  std::vector<uint8_t> stream = w.Finish();
  std::vector<uint8_t> expected = Bytes("stored part");
  ApplyTokens(tokens, expected);
  ApplyTokens(tokens, expected);
  ASSERT_EQ(Decode(stream, expected.size()).result, InflateResult::kOk);
  for (size_t cut = 0; cut < stream.size(); ++cut) {
    std::vector<uint8_t> part(stream.begin(), stream.begin() + cut);
    Outcome o = Decode(part, expected.size());
    EXPECT_NE(o.result, InflateResult::kOk) << "cut at " << cut;
    EXPECT_TRUE(std::equal(o.output.begin(), o.output.end(), expected.begin())) << "cut at " << cut;
  }
}

// The CRC-32 one bit at a time, as RFC 1952 defines it.
uint32_t BitwiseCrc32(const std::vector<uint8_t>& bytes) {
  uint32_t c = 0xFFFFFFFF;
  for (uint8_t b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

// The CRC computed a block at a time while decoding is that of everything written: across
// stored, fixed and dynamic blocks (one of them empty), a stream cut short, and each new call.
TEST(Inflate, ComputesTheOutputCrcBlockByBlock) {
  std::mt19937 random(1952);
  std::vector<Token> tokens;
  std::vector<uint8_t> expected = Bytes("head:");
  for (int i = 0; i < 30000; ++i) {
    uint32_t r = random();
    tokens.push_back(r % 4 ? Token::Literal(uint8_t(r >> 8))
                           : Token::Match(uint16_t(3 + r % 200), uint16_t(1 + r % 5)));
  }
  DeflateWriter w;
  w.StoredBlock(Bytes("head:"), false);
  w.FixedBlock(tokens, false);
  w.StoredBlock({}, false);
  w.DynamicBlock(DeepLitlenLengths(), DeepDistLengths(), tokens, true);
  ApplyTokens(tokens, expected);
  ApplyTokens(tokens, expected);
  const std::vector<uint8_t> stream = w.Finish();

  Inflater inflater;
  Outcome plain = Decode(inflater, stream, expected.size());
  EXPECT_EQ(inflater.OutputCrc32(), 0u);  // not asked for
  inflater.ComputeOutputCrc32(true);
  for (bool fast : {true, false}) {
    inflater.UseFastLoop(fast);
    Outcome whole = Decode(inflater, stream, expected.size());
    ASSERT_EQ(whole.result, InflateResult::kOk);
    ASSERT_EQ(whole.output, expected);
    EXPECT_EQ(inflater.OutputCrc32(), BitwiseCrc32(expected)) << fast;
    for (size_t cut : {size_t(3), size_t(40), stream.size() / 2, stream.size() - 1}) {
      std::vector<uint8_t> head(stream.begin(), stream.begin() + std::ptrdiff_t(cut));
      Outcome part = Decode(inflater, head, expected.size());
      EXPECT_EQ(part.result, InflateResult::kTruncated) << cut;
      EXPECT_EQ(inflater.OutputCrc32(), BitwiseCrc32(part.output)) << fast << " cut at " << cut;
    }
    Outcome small = Decode(inflater, stream, 1000);
    EXPECT_EQ(small.result, InflateResult::kOutputFull);
    EXPECT_EQ(inflater.OutputCrc32(), BitwiseCrc32(small.output)) << fast;
  }
  EXPECT_EQ(plain.output, expected);
}

}  // namespace
