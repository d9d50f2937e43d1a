// The string matcher against a naive search on random Shift-JIS rows (same hits, never on a
// second byte), with and without case folding; and the second-byte check itself.
#include "viewer/search/string_match.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/sjis.h"

namespace {

// Character starts of a row, walking from its first byte.
std::vector<bool> CharacterStarts(const std::string& row) {
  std::vector<bool> starts(row.size() + 1, false);
  for (size_t i = 0; i < row.size(); ++i) {
    starts[i] = true;
    if (IsSjisLead(static_cast<uint8_t>(row[i]))) ++i;
  }
  return starts;
}

int NaiveFind(const std::string& row, const std::string& pattern) {
  if (pattern.empty()) return -1;
  std::vector<bool> starts = CharacterStarts(row);
  for (size_t i = 0; i + pattern.size() <= row.size(); ++i) {
    if (starts[i] && row.compare(i, pattern.size(), pattern) == 0) return static_cast<int>(i);
  }
  return -1;
}

// A row of ASCII letters, half-width katakana and double-byte characters whose second bytes
// cover the whole trail range (including "\" 0x5C, "|" 0x7C and ASCII letters).
std::string RandomRow(std::mt19937& random, int characters) {
  std::string row;
  std::uniform_int_distribution<int> kind(0, 5);
  for (int i = 0; i < characters; ++i) {
    switch (kind(random)) {
      case 0: row += static_cast<char>('a' + random() % 3); break;
      case 1: row += static_cast<char>('A' + random() % 3); break;
      case 2: row += static_cast<char>(0xA1 + random() % 3); break;
      default: {
        uint8_t lead = (random() % 2) ? 0x81 + random() % 3 : 0xE0 + random() % 2;
        uint8_t trail = 0x40 + random() % 0xBD;
        if (trail == 0x7F) trail = 0x80;
        row += static_cast<char>(lead);
        row += static_cast<char>(trail);
      }
    }
  }
  return row;
}

std::string Upper(std::string text) {
  UpperCaseSjis(text.data(), static_cast<int>(text.size()));
  return text;
}

int Find(const std::string& row, const std::string& pattern) {
  SkipTable table;
  BuildSkipTable(pattern.data(), static_cast<int>(pattern.size()), table);
  return FindString(table, row.data(), static_cast<int>(row.size()));
}

TEST(FindString, MatchesANaiveSearchOnRandomShiftJisRows) {
  std::mt19937 random(12345);
  int hits = 0;
  int trailRejections = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string row = RandomRow(random, 1 + random() % 40);
    std::string pattern;
    if (random() % 2) {
      size_t from = random() % row.size();  // any byte, a second byte included
      pattern = row.substr(from, 1 + random() % 4);
    } else {
      pattern = RandomRow(random, 1 + random() % 2).substr(random() % 2);
    }
    if (pattern.empty()) continue;
    int expected = NaiveFind(row, pattern);
    int found = Find(row, pattern);
    ASSERT_EQ(found, expected) << "round " << round;
    if (found >= 0) {
      ++hits;
      EXPECT_FALSE(IsTrailPosition(row.data(), found));
    }
    if (expected < 0 && row.find(pattern) != std::string::npos) ++trailRejections;
    ASSERT_EQ(Find(Upper(row), Upper(pattern)), NaiveFind(Upper(row), Upper(pattern))) << "round " << round;
  }
  // The generator really exercises both outcomes and the second-byte rule.
  EXPECT_GT(hits, 5000);
  EXPECT_GT(trailRejections, 100);
}

TEST(FindString, EdgeCases) {
  EXPECT_EQ(Find("abc", ""), -1);
  EXPECT_EQ(Find("ab", "abc"), -1);
  EXPECT_EQ(Find("abcabc", "abc"), 0);
  EXPECT_EQ(Find("xxabc", "abc"), 2);
  EXPECT_EQ(Find("aaaa", "aa"), 0);
  // "ソ" is 83 5C: a pattern "\" is not found in it, but after it.
  EXPECT_EQ(Find("ソ\\", "\\"), 2);
  // ア (83 41) then "A": only the second A is a character.
  EXPECT_EQ(Find("アA", "A"), 2);
}

TEST(UpperCaseSjis, LeavesDoubleByteCharactersAlone) {
  // ア (83 41) keeps its second byte; ツ (83 63, a "c") too, while the ASCII letters change.
  EXPECT_EQ(Upper("abアzツq"), "ABアZツQ");
  EXPECT_EQ(Upper(std::string("\x83" "a")), std::string("\x83" "a"));
}

TEST(IsTrailPosition, CountsLeadBytes) {
  const char text[] = "\x81\x81\x81\x41" "A";
  EXPECT_FALSE(IsTrailPosition(text, 0));
  EXPECT_TRUE(IsTrailPosition(text, 1));
  EXPECT_FALSE(IsTrailPosition(text, 2));
  EXPECT_TRUE(IsTrailPosition(text, 3));
  EXPECT_FALSE(IsTrailPosition(text, 4));
}

}  // namespace
