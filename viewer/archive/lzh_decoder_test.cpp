// The decoding methods on hand-made streams: -lh4- to -lh7- with random literals and matches
// across many blocks and dictionary turns (checked against a plain LZ77 expansion), block
// headers with a single code, -lh3- with its fixed position table and the code 285 escape,
// -lzs- and -lz5- absolute positions and the -lz5- preset dictionary, and hostile input:
// truncated data under a huge size, over-full tables, counts beyond the tables.
#include "viewer/archive/lzh_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "viewer/archive/lzh_method_table.h"
#include "viewer/archive/lzh_test_support.h"

namespace {

struct Op {
  int literal = -1;  // or a match:
  int length = 0;
  uint32_t distance = 0;  // the match copies from distance + 1 back
};

// The plain expansion of ops over a dictionary preset with spaces.
std::string Expand(const std::vector<Op>& ops) {
  std::string out;
  for (const Op& op : ops) {
    if (op.literal >= 0) {
      out += char(op.literal);
      continue;
    }
    for (int i = 0; i < op.length; ++i) {
      int64_t from = int64_t(out.size()) - op.distance - 1;
      out += from >= 0 ? out[size_t(from)] : ' ';
    }
  }
  return out;
}

// Canonical codes of a length set, as the decoder's tables assign them.
std::vector<uint32_t> CanonicalCodes(const std::vector<int>& lengths) {
  std::vector<uint32_t> codes(lengths.size());
  uint32_t code = 0;
  for (int l = 1; l <= 16; ++l) {
    for (size_t s = 0; s < lengths.size(); ++s) {
      if (lengths[s] == l) codes[s] = code++;
    }
    code <<= 1;
  }
  return codes;
}

struct DecodeResult {
  std::string bytes;
  bool corrupt = false;
  uint16_t crc = 0;
};

DecodeResult Decode(const char* method, const std::string& stream, uint32_t size) {
  auto decoder = std::make_unique<LzhDecoder>();
  EXPECT_TRUE(decoder->Allocate());
  MemoryReader reader(stream);
  decoder->input.Attach(&reader);
  decoder->input.LimitTo(uint32_t(stream.size()));
  decoder->Start(MethodTable[FindLzhMethod(method)], size);
  DecodeResult result;
  while (uint32_t n = decoder->FillWindow()) {
    result.bytes.append(reinterpret_cast<const char*>(decoder->Dictionary()), n);
    EXPECT_LE(result.bytes.size(), size);
  }
  result.corrupt = decoder->Corrupt();
  result.crc = decoder->Crc();
  return result;
}

// Writes -lh4- to -lh7- blocks: all 510 character codes of 9 bits (so code s is s), and the
// position codes with the given lengths, each block carrying `perBlock` codes.
class StaticEncoder {
 public:
  StaticEncoder(int positionCountBits, std::vector<int> positionLengths)
      : countBits_(positionCountBits), positionLengths_(std::move(positionLengths)),
        positionCodes_(CanonicalCodes(positionLengths_)) {}

  std::string Encode(const std::vector<Op>& ops, size_t perBlock) {
    for (size_t i = 0; i < ops.size(); ++i) {
      if (i % perBlock == 0) BlockHeader(uint16_t(std::min(perBlock, ops.size() - i)));
      const Op& op = ops[i];
      if (op.literal >= 0) {
        w_.Put(uint32_t(op.literal), 9);
        continue;
      }
      w_.Put(uint32_t(256 + op.length - 3), 9);
      int j = 0;
      while ((op.distance >> j) != 0) ++j;  // distance 0 -> 0, else bit length
      w_.Put(positionCodes_[size_t(j)], positionLengths_[size_t(j)]);
      if (j > 1) w_.Put(op.distance - (1u << (j - 1)), j - 1);
    }
    return w_.Bytes();
  }

  void BlockHeader(uint16_t count) {
    w_.Put(count, 16);
    w_.Put(0, 5);  // code-length code: one code (11: length 9) for every length
    w_.Put(11, 5);
    w_.Put(510, 9);
    w_.Put(uint32_t(positionLengths_.size()), countBits_);
    for (int l : positionLengths_) {
      if (l < 7) {
        w_.Put(uint32_t(l), 3);
      } else {
        w_.Put(7, 3);
        w_.Put(((1u << (l - 7)) - 1) << 1, l - 6);  // l - 7 one bits and a zero
      }
    }
  }

  BitWriter& Bits() { return w_; }

 private:
  BitWriter w_;
  int countBits_;
  std::vector<int> positionLengths_;
  std::vector<uint32_t> positionCodes_;
};

std::vector<Op> RandomOps(uint32_t seed, size_t count, uint32_t dictionaryBits) {
  std::mt19937 random(seed);
  std::vector<Op> ops;
  size_t produced = 0;
  while (ops.size() < count) {
    Op op;
    if (produced < 2 || random() % 3 == 0) {
      op.literal = int(random() % 64) + 'A';
      ++produced;
    } else {
      op.length = 3 + int(random() % 254);
      uint32_t limit = uint32_t(std::min<size_t>(produced, size_t(1) << dictionaryBits)) - 1;
      // Mostly long distances, to reach the top position codes.
      op.distance = random() % 2 ? limit - random() % std::max<uint32_t>(1, limit / 8) : random() % (limit + 1);
      produced += size_t(op.length);
    }
    ops.push_back(op);
  }
  return ops;
}

struct StaticCase {
  const char* method;
  int dictionaryBits;
  int countBits;
  std::vector<int> positionLengths;
};

TEST(LzhStaticMethods, RandomMatchesAcrossBlocksAndDictionaryTurns) {
  // Complete position codes of 13, 14, 16 and 17 symbols (-lh4- to -lh7-).
  const std::vector<int> thirteen = {3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
  const std::vector<int> fourteen = {3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
  const std::vector<int> sixteen(16, 4);
  std::vector<int> seventeen(17, 4);
  seventeen[15] = seventeen[16] = 5;
  const StaticCase cases[] = {
      {"-lh4-", 12, 4, thirteen},
      {"-lh5-", 13, 4, fourteen},
      {"-lh6-", 15, 5, sixteen},
      {"-lh7-", 16, 5, seventeen},
  };
  for (const StaticCase& c : cases) {
    SCOPED_TRACE(c.method);
    std::vector<Op> ops = RandomOps(uint32_t(c.dictionaryBits), 6000, uint32_t(c.dictionaryBits));
    std::string expected = Expand(ops);
    StaticEncoder encoder(c.countBits, c.positionLengths);
    DecodeResult result = Decode(c.method, encoder.Encode(ops, 2500), uint32_t(expected.size()));
    EXPECT_FALSE(result.corrupt);
    ASSERT_EQ(result.bytes.size(), expected.size());
    EXPECT_TRUE(result.bytes == expected);
    EXPECT_EQ(result.crc, Crc16Of(expected));
  }
}

TEST(LzhStaticMethods, SingleCodesReadNoBitsAndMatchesStopAtTheMemberEnd) {
  // A block whose character header has n = 0: every code is 'x' with no bits.
  BitWriter w;
  w.Put(1000, 16);
  w.Put(0, 5), w.Put(0, 5);   // code-length code: a single code
  w.Put(0, 9), w.Put('x', 9); // characters: a single code
  w.Put(0, 4), w.Put(0, 4);   // positions: a single code
  DecodeResult result = Decode("-lh5-", w.Bytes(), 1000);
  EXPECT_FALSE(result.corrupt);
  EXPECT_EQ(result.bytes, std::string(1000, 'x'));

  // "ab" and a match of 10 at distance 0, in a member of 5 bytes: "abbbb".
  StaticEncoder encoder(4, {3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
  std::string stream = encoder.Encode({{'a', 0, 0}, {'b', 0, 0}, {-1, 10, 0}}, 100);
  EXPECT_EQ(Decode("-lh5-", stream, 5).bytes, "abbbb");
}

TEST(LzhStaticMethods, HostileStreamsEndTheMember) {
  // Truncated data under a huge original size: decoding stops soon after the data.
  StaticEncoder encoder(4, {3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
  std::vector<Op> ops(50, Op{'q', 0, 0});
  DecodeResult truncated = Decode("-lh5-", encoder.Encode(ops, 40), 0xFFFFFFF0u);
  EXPECT_TRUE(truncated.corrupt);
  EXPECT_LT(truncated.bytes.size(), 200000u);

  // Character lengths that over-fill the code: 510 lengths of 8 bits.
  BitWriter over;
  over.Put(10, 16);
  over.Put(0, 5), over.Put(10, 5), over.Put(510, 9);
  EXPECT_TRUE(Decode("-lh5-", over.Bytes() + std::string(100, '\0'), 10).corrupt);

  // A character count beyond the 510 codes, and a position count beyond -lh6-'s 16 codes.
  BitWriter wide;
  wide.Put(10, 16);
  wide.Put(0, 5), wide.Put(11, 5), wide.Put(511, 9);
  EXPECT_TRUE(Decode("-lh5-", wide.Bytes() + std::string(100, '\0'), 10).corrupt);
  StaticEncoder lh6(5, std::vector<int>(20, 0));
  lh6.BlockHeader(10);
  EXPECT_TRUE(Decode("-lh6-", lh6.Bits().Bytes() + std::string(100, '\0'), 10).corrupt);

  // A single code that names no symbol of the alphabet.
  BitWriter single;
  single.Put(10, 16);
  single.Put(0, 5), single.Put(0, 5), single.Put(0, 9), single.Put(510, 9);
  EXPECT_TRUE(Decode("-lh5-", single.Bytes() + std::string(100, '\0'), 10).corrupt);
}

TEST(LzhLh3, FixedPositionsAndTheLongMatchEscape) {
  // Table 1 position lengths: 2, 4 4, 5 5 5, 6 (7 codes), 7 (18), 8 (47), 9 (50).
  std::vector<int> positions(128);
  const int growAt[] = {1, 1, 3, 6, 13, 31, 78};
  int length = 2;
  for (int s = 0, k = 0; s < 128; ++s) {
    while (k < 7 && growAt[k] == s) ++length, ++k;
    positions[size_t(s)] = length;
  }
  std::vector<uint32_t> codes = CanonicalCodes(positions);
  BitWriter w;
  w.Put(4, 16);
  for (int s = 0; s < 286; ++s) w.Put(1, 1), w.Put(8, 4);  // 286 codes of 9 bits
  w.Put(0, 1);                                            // fixed position lengths
  w.Put('c', 9);
  w.Put(285, 9), w.Put(8, 8);                             // a match of 32 + 8 bytes
  w.Put(codes[0], positions[0]), w.Put(0, 6);             // at distance 0
  w.Put(256, 9);                                          // a match of 3
  w.Put(codes[1], positions[1]), w.Put(0, 6);             // at distance 64
  w.Put('d', 9);
  DecodeResult result = Decode("-lh3-", w.Bytes(), 1 + 40 + 3 + 1);
  EXPECT_FALSE(result.corrupt);
  EXPECT_EQ(result.bytes, std::string(41, 'c') + "   d");
}

TEST(LzhLarcMethods, AbsolutePositionsAndThePresetDictionary) {
  // -lzs-: "ABC", then position 2031 (dictionary index 0) for 3 bytes.
  BitWriter w;
  for (char c : std::string("ABC")) w.Put(1, 1), w.Put(uint8_t(c), 8);
  w.Put(0, 1), w.Put(2031, 11), w.Put(1, 4);
  EXPECT_EQ(Decode("-lzs-", w.Bytes(), 6).bytes, "ABCABC");

  // -lz5-: the 18 zeros before the preset runs (position 4078), 13 copies of 'A' from the runs
  // (index 18 + 13 * 65, position 845), then the literal 'z'.
  std::string stream = std::string(1, char(0x04)) + "\xEE\xFF" + "\x4D\x3A" + "z";
  DecodeResult result = Decode("-lz5-", stream, 18 + 13 + 1);
  EXPECT_FALSE(result.corrupt);
  EXPECT_EQ(result.bytes, std::string(18, '\0') + std::string(13, 'A') + "z");
}

TEST(LzhAdaptiveMethods, ArbitraryInputDecodesWithinTheMember) {
  // The adaptive trees accept any bits; what matters is that the member size holds and that
  // the end of the data ends the member.
  std::mt19937 random(7);
  std::string noise(4000, '\0');
  for (char& c : noise) c = char(random());
  for (const char* method : {"-lh1-", "-lh2-"}) {
    SCOPED_TRACE(method);
    DecodeResult shortMember = Decode(method, noise, 3000);
    EXPECT_EQ(shortMember.bytes.size(), 3000u);
    EXPECT_FALSE(shortMember.corrupt);
    DecodeResult hugeMember = Decode(method, noise, 50000000);
    EXPECT_TRUE(hugeMember.corrupt);
    EXPECT_LT(hugeMember.bytes.size(), 50000000u);
  }
}

}  // namespace
