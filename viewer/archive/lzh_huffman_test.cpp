// The canonical Huffman tables: short codes through the lookup table, codes longer than the
// table width through the trees, a single code that reads no bits, incomplete codes accepted
// and over-full or too-long length sets refused; the trees' node capacity is the exact worst case.
#include "viewer/archive/lzh_huffman_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <utility>

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

// The tree nodes a length set makes, counted from its canonical codes: one per distinct prefix of
// `tableBits` bits or more of a code longer than that.
int CountTreeNodes(const uint8_t* lengths, int symbols, int tableBits) {
  std::vector<std::pair<int, int>> order;  // (length, symbol)
  for (int s = 0; s < symbols; ++s)
    if (lengths[s] > 0) order.emplace_back(lengths[s], s);
  std::sort(order.begin(), order.end());
  std::set<std::pair<int, uint32_t>> prefixes;
  uint32_t code = 0;
  int previous = order.empty() ? 0 : order.front().first;
  for (const auto& [length, symbol] : order) {
    code <<= length - previous;
    previous = length;
    for (int p = tableBits; p < length; ++p) prefixes.emplace(p, code >> (length - p));
    ++code;
  }
  return int(prefixes.size());
}

// The node capacities of the tables the methods use, worked out by hand: the character table's
// worst set is one complete slot of 3 codes of 15 bits and 10 of 16, 31 slots of 16 codes of 16
// bits and one code of 16 bits alone: 12 + 31 * 15 + 4 nodes.  The small table's is 127 codes
// completing one slot and one code of 16 bits alone: 126 + 8.
static_assert(CharTable::kTreeNodes == 481);
static_assert(LzhHuffmanTable<kLzhSmallTableSymbols, kLzhSmallTableBits>::kTreeNodes == 134);

TEST(LzhHuffmanTable, WorstCaseSetsFitTheTreesExactly) {
  auto table = std::make_unique<CharTable>();
  std::memset(table->length, 16, sizeof table->length);
  std::memset(table->length, 15, 3);
  ASSERT_TRUE(table->Make(kLzhCharTableSymbols));
  EXPECT_EQ(CountTreeNodes(table->length, kLzhCharTableSymbols, kLzhCharTableBits), CharTable::kTreeNodes);

  using SmallTable = LzhHuffmanTable<kLzhSmallTableSymbols, kLzhSmallTableBits>;
  auto small = std::make_unique<SmallTable>();
  // One code of 14 bits and 126 of 15 complete the first slot (4 + 126 * 2 = 2^8 units of a
  // 16-bit code), then one of 16 bits stands alone in the next.
  std::memset(small->length, 0, sizeof small->length);
  small->length[0] = 14;
  for (int s = 1; s < 127; ++s) small->length[s] = 15;
  small->length[127] = 16;
  ASSERT_TRUE(small->Make(kLzhSmallTableSymbols));
  EXPECT_EQ(CountTreeNodes(small->length, kLzhSmallTableSymbols, kLzhSmallTableBits), SmallTable::kTreeNodes);
}

// Every length set of up to 12 codes of 12 to 16 bits through a 13-bit table (slots of 3 levels):
// the most nodes any of them makes is the computed capacity, and each builds within it.
TEST(LzhHuffmanTable, TreeCapacityIsTheMostAnySetNeeds) {
  constexpr int kSymbols = 12, kTableBits = 13;
  using Table = LzhHuffmanTable<kSymbols, kTableBits>;
  auto table = std::make_unique<Table>();
  int most = 0, sets = 0;
  std::vector<uint8_t> lengths;
  std::function<void(int)> extend = [&](int shortest) {
    if (!lengths.empty()) {
      uint32_t units = 0;  // code space used, in units of a 16-bit code
      for (uint8_t l : lengths) units += 1u << (16 - l);
      if (units > 0x10000) return;  // over-full, and so is every longer set
      std::memset(table->length, 0, sizeof table->length);
      std::copy(lengths.begin(), lengths.end(), table->length);
      ASSERT_TRUE(table->Make(kSymbols)) << "a set of " << lengths.size() << " codes";
      most = std::max(most, CountTreeNodes(table->length, kSymbols, kTableBits));
      ++sets;
    }
    if (int(lengths.size()) == kSymbols) return;
    for (int l = shortest; l <= 16; ++l) {
      lengths.push_back(uint8_t(l));
      extend(l);
      lengths.pop_back();
    }
  };
  extend(12);
  EXPECT_EQ(sets, 6187);  // every non-empty non-decreasing sequence: C(17, 5) - 1
  EXPECT_EQ(most, Table::kTreeNodes);
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
