// The canonical Huffman tables: short codes through the lookup table, codes longer than the
// table width through the trees, a single code that reads no bits, incomplete codes accepted
// and over-full or too-long length sets refused.
#include "viewer/archive/lzh_huffman_table.h"

#include <gtest/gtest.h>

#include <memory>

#include "viewer/archive/lzh_test_support.h"

namespace {

using CharTable = LzhHuffmanTable<kLzhCharTableSymbols, kLzhCharTableBits>;

// Decodes `count` symbols of `bits` through `table`.
std::vector<int> DecodeAll(const CharTable& table, const std::string& bits, int count) {
  MemoryReader reader(bits);
  LzhInput in;
  in.Attach(&reader);
  in.InitBits();
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(table.Decode(in));
  return out;
}

TEST(LzhHuffmanTable, ShortAndLongCodesDecode) {
  auto table = std::make_unique<CharTable>();
  // Lengths 1, 2, 3, then 13 codes of 16 bits ... a complete code needs 2^13 of them, so the
  // rest of the code space is simply unused: 0 -> "0", 1 -> "10", 2 -> "110", 3.. -> "111..."
  std::memset(table->length, 0, sizeof table->length);
  table->length[0] = 1;
  table->length[1] = 2;
  table->length[2] = 3;
  for (int s = 3; s < 16; ++s) table->length[s] = 16;
  ASSERT_TRUE(table->Make(510));
  BitWriter w;
  w.Put(0b0, 1);
  w.Put(0b10, 2);
  w.Put(0b110, 3);
  w.Put(0xE000, 16);      // symbol 3: 111 followed by thirteen 0 bits
  w.Put(0xE000 + 12, 16); // symbol 15
  w.Put(0b10, 2);
  EXPECT_EQ(DecodeAll(*table, w.Bytes(), 6), (std::vector<int>{0, 1, 2, 3, 15, 1}));
}

TEST(LzhHuffmanTable, SingleCodeReadsNoBitsAndBadSetsAreRefused) {
  auto table = std::make_unique<CharTable>();
  ASSERT_TRUE(table->MakeSingle(510, 'x'));
  EXPECT_EQ(DecodeAll(*table, "\xFF\x00", 3), (std::vector<int>{'x', 'x', 'x'}));
  EXPECT_FALSE(table->MakeSingle(510, 510));

  std::memset(table->length, 8, sizeof table->length);  // 510 codes of 8 bits: over-full
  EXPECT_FALSE(table->Make(510));
  std::memset(table->length, 0, sizeof table->length);
  table->length[7] = 17;
  EXPECT_FALSE(table->Make(510));
  table->length[7] = 0;
  table->length[300] = 2;  // one code of 2 bits: incomplete, decodes; the gaps give symbol 0
  ASSERT_TRUE(table->Make(510));
  EXPECT_EQ(DecodeAll(*table, "\x00", 1), (std::vector<int>{300}));
}

}  // namespace
