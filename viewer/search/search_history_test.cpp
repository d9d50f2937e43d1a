// The search history block: newest last in the block, an equal entry moved rather than
// doubled, the oldest entries dropped to make room, nothing ever written past the block, and
// the search text taken from a selection or the clipboard.
#include "viewer/search/search_history.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::string>;

// A block with a guard area after it, to catch writes past its end.
struct GuardedBlock {
  static constexpr size_t kSize = 368;
  std::array<char, kSize + 16> bytes{};
  GuardedBlock() { bytes.fill('\0'); std::fill(bytes.begin() + kSize, bytes.end(), '#'); }
  std::span<char> block() { return std::span<char>(bytes.data(), kSize); }
  Entries entries() { return SearchHistoryEntries(block()); }
  bool GuardIntact() const {
    for (size_t i = kSize; i < bytes.size(); ++i)
      if (bytes[i] != '#') return false;
    return true;
  }
};

TEST(SearchHistory, NewestLastAndEqualEntriesMoved) {
  GuardedBlock h;
  RecordSearchHistory(h.block(), "abc");
  RecordSearchHistory(h.block(), "漢字");
  RecordSearchHistory(h.block(), "xyz");
  EXPECT_EQ(h.entries(), (Entries{"abc", "漢字", "xyz"}));
  RecordSearchHistory(h.block(), "abc");
  EXPECT_EQ(h.entries(), (Entries{"漢字", "xyz", "abc"}));
  // Recording the newest again changes nothing; a prefix of an entry is a different entry.
  RecordSearchHistory(h.block(), "abc");
  RecordSearchHistory(h.block(), "ab");
  EXPECT_EQ(h.entries(), (Entries{"漢字", "xyz", "abc", "ab"}));
  // An empty pattern is not an entry (it would end the list).
  RecordSearchHistory(h.block(), "");
  EXPECT_EQ(h.entries().size(), 4u);
  // The bytes: strings one after the other, closed by an empty string.
  EXPECT_EQ(std::string(h.bytes.data(), 20), std::string("漢字\0xyz\0abc\0ab\0\0\0\0\0\0", 20));
}

TEST(SearchHistory, OldestEntriesDroppedSoTheNewOneFits) {
  GuardedBlock h;
  // Eight entries of 44 bytes (45 with their NUL) fill 360 bytes of the 368.
  for (char c = 'a'; c < 'a' + 8; ++c) RecordSearchHistory(h.block(), std::string(44, c));
  ASSERT_EQ(h.entries().size(), 8u);
  // Six bytes still fit exactly: 360 + 6 + NUL + the closing empty string = 368.
  GuardedBlock fits = h;
  RecordSearchHistory(fits.block(), "123456");
  EXPECT_EQ(fits.entries().size(), 9u);
  // Seven do not: the oldest entry goes, and no other.
  RecordSearchHistory(h.block(), "shorter");
  Entries after = h.entries();
  ASSERT_EQ(after.size(), 8u);
  EXPECT_EQ(after.front(), std::string(44, 'b'));
  EXPECT_EQ(after.back(), "shorter");
  // A 255-byte pattern must start at most 111 bytes into the block: of the 323 bytes in use
  // the five oldest entries go, and "g", "h" and "shorter" stay.
  const std::string longest(255, 'L');
  RecordSearchHistory(h.block(), longest);
  EXPECT_EQ(h.entries(), (Entries{std::string(44, 'g'), std::string(44, 'h'), "shorter", longest}));
  EXPECT_TRUE(h.GuardIntact());
}

TEST(SearchHistory, TooLongForTheBlockIsNotStoredAndNothingOverflows) {
  std::array<char, 12> small{};
  RecordSearchHistory(small, "abcd");
  RecordSearchHistory(small, "0123456789");  // 10 + 2 == 12 fits exactly, dropping "abcd"
  EXPECT_EQ(SearchHistoryEntries(small), (Entries{"0123456789"}));
  RecordSearchHistory(small, "0123456789A");  // 11 + 2 > 12: not stored, nothing lost
  EXPECT_EQ(SearchHistoryEntries(small), (Entries{"0123456789"}));
}

TEST(SearchHistory, DamagedBlockWithoutItsEndIsMended) {
  GuardedBlock h;
  std::fill(h.bytes.begin(), h.bytes.begin() + GuardedBlock::kSize, 'z');  // no NUL at all
  EXPECT_TRUE(SearchHistoryEntries(h.block()).empty());
  RecordSearchHistory(h.block(), "abc");
  EXPECT_EQ(h.entries(), (Entries{"abc"}));
  // A whole string followed by bytes that never end.
  GuardedBlock g;
  std::fill(g.bytes.begin(), g.bytes.begin() + GuardedBlock::kSize, 'q');
  g.bytes[3] = '\0';
  EXPECT_EQ(g.entries(), (Entries{"qqq"}));
  RecordSearchHistory(g.block(), "new");
  EXPECT_EQ(g.entries(), (Entries{"qqq", "new"}));
  EXPECT_TRUE(g.GuardIntact());
}

TEST(SearchHistory, SearchTextStopsAtTheLineEndAndAtWholeCharacters) {
  EXPECT_EQ(SearchTextFrom("first line\r\nsecond", 255), "first line");
  EXPECT_EQ(SearchTextFrom("lf\nnext", 255), "lf");
  EXPECT_EQ(SearchTextFrom(std::string(300, 'a'), 255), std::string(255, 'a'));
  // 127 double-byte characters and one more would make 256: the last one is left out whole.
  std::string kanji;
  for (int i = 0; i < 128; ++i) kanji += "漢";
  EXPECT_EQ(SearchTextFrom(kanji, 255).size(), 254u);
  EXPECT_EQ(SearchTextFrom("a" + kanji, 255).size(), 255u);
  // A lead byte without its trail counts as one byte.
  EXPECT_EQ(SearchTextFrom("ab\x8A", 3), "ab\x8A");
  EXPECT_EQ(SearchTextFrom("", 255), "");
}

}  // namespace
