// RegexSearch and RegexMatch over Shift-JIS rows: whole double-byte characters, classes,
// back references, word boundaries, anchors, folding, loops that match nothing, the
// first-byte map and the failure-point limit.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "viewer/search/regex.h"

namespace {

struct Hit {
  int start;
  int length;
  bool operator==(const Hit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Hit& hit) {
  return out << "{" << hit.start << ", " << hit.length << "}";
}

constexpr Hit kNone{-1, 0};

Hit Find(const std::string& pattern, const std::string& text, FoldFunction fold = nullptr,
         RegexRegisters* registersOut = nullptr) {
  RegexBuffer buffer;
  buffer.Fold = fold;
  EXPECT_TRUE(CompileRegex(pattern.data(), static_cast<int>(pattern.size()), buffer)) << pattern;
  RegexRegisters registers;
  int length = static_cast<int>(text.size());
  int at = RegexSearch(buffer, text.data(), length, 0, length, &registers);
  if (registersOut) *registersOut = registers;
  if (at < 0) return {at, 0};
  EXPECT_EQ(registers.start[0], at);
  return {at, registers.end[0] - registers.start[0]};
}

TEST(RegexSearch, DoubleByteCharactersAreWholeCharacters) {
  EXPECT_EQ(Find("漢*", "漢漢漢字"), (Hit{0, 6}));
  EXPECT_EQ(Find("字漢*", "字漢漢x"), (Hit{0, 6}));
  EXPECT_EQ(Find("x漢+", "x漢漢"), (Hit{0, 5}));
  EXPECT_EQ(Find(".", "漢"), (Hit{0, 2}));
  EXPECT_EQ(Find("a.b", "a漢b"), (Hit{0, 4}));
  EXPECT_EQ(Find("a..b", "a漢b"), kNone);
  // 0x5C ("\") and 0x7C ("|") as trail bytes: ソ is 83 5C, ポ 83 7C; never a match start.
  EXPECT_EQ(Find("\\\\", "ソ"), kNone);
  EXPECT_EQ(Find("|", "ポ"), (Hit{0, 0}));  // an empty pattern matches at 0
  EXPECT_EQ(Find("\\|", "ポ|"), (Hit{2, 1}));
}

TEST(RegexSearch, NoMatchStartsOnASecondByte) {
  // 〜 is 81 60; its second byte is "`"; ア is 83 41, second byte "A".
  EXPECT_EQ(Find("A", "アA"), (Hit{2, 1}));
  EXPECT_EQ(Find("[A-Z]", "ア"), kNone);
  EXPECT_EQ(Find("\\w", "アB"), (Hit{2, 1}));
  // Lead-range bytes run together: 81 81 81 41 = "＾" (81 81) then 81 41 "、"? decoded pairwise.
  EXPECT_EQ(Find("A", std::string("\x81\x81\x81" "AA")), (Hit{4, 1}));
  // A lead byte at the very end of the row is no character.
  EXPECT_EQ(Find(".", std::string("\x82")), kNone);
  EXPECT_EQ(Find("a.", std::string("a\x82")), kNone);
}

TEST(RegexSearch, ClassesOfDoubleByteRanges) {
  EXPECT_EQ(Find("[あ-ん]+", "xyzかなカナ"), (Hit{3, 4}));
  EXPECT_EQ(Find("[あ-ん]", "abc"), kNone);
  EXPECT_EQ(Find("[^あ-ん]", "かa"), (Hit{2, 1}));
  EXPECT_EQ(Find("[^a]", "a漢"), (Hit{1, 2}));
  EXPECT_EQ(Find("[]a]+", "x]a]"), (Hit{1, 3}));
  EXPECT_EQ(Find("[a-]+", "x-a-"), (Hit{1, 3}));
  EXPECT_EQ(Find("[漢字]+", "漢字漢"), (Hit{0, 6}));
  // A range from a single byte to a double-byte character holds the half-width katakana
  // (ｱ is B1) that lie between, though B1 is above the high end's lead byte 82.
  EXPECT_EQ(Find("[#-ん]", "\x01ｱ"), (Hit{1, 1}));
  EXPECT_EQ(Find("[ｱ-ん]", "\x01か"), (Hit{1, 2}));
  EXPECT_EQ(Find("[^か-ｱ]", "ﾟ"), (Hit{0, 1}));  // a range the wrong way round holds nothing
  EXPECT_EQ(Find("[^X-ﾟ]", "Xか"), (Hit{1, 2}));  // a single-byte range holds no double-byte character
  // The trail byte of a double-byte character is never a class member by itself.
  EXPECT_EQ(Find("[\\]", "ソ"), kNone);
}

TEST(RegexSearch, BackReferencesAndGroups) {
  RegexRegisters registers;
  EXPECT_EQ(Find("(a)\\1", "xaa", nullptr, &registers), (Hit{1, 2}));
  EXPECT_EQ(registers.start[1], 1);
  EXPECT_EQ(registers.end[1], 2);
  EXPECT_EQ(Find("(漢.)\\1", "漢字漢字"), (Hit{0, 8}));
  EXPECT_EQ(Find("(a\\1)", "a1"), (Hit{0, 2}));
  EXPECT_EQ(Find("\\2", "x2"), (Hit{1, 1}));
  EXPECT_EQ(Find("(ab|cd)(e)\\2\\1", "cdeecd", nullptr, &registers), (Hit{0, 6}));
  EXPECT_EQ(registers.start[2], 2);
  EXPECT_EQ(registers.end[2], 3);
  // With folding the reference compares folded bytes.
  EXPECT_EQ(Find("(ab)\\1", "abAB", FoldUpper), (Hit{0, 4}));
  EXPECT_EQ(Find("(ab)\\1", "abAB"), kNone);
  // Group 3 records nothing: a reference to it matches the empty string.
  EXPECT_EQ(Find("(a)(b)(c)\\3d", "abcd"), (Hit{0, 4}));
  // (ab)* records the last pass through the group.
  EXPECT_EQ(Find("(a.)*", "abac", nullptr, &registers), (Hit{0, 4}));
  EXPECT_EQ(registers.start[1], 2);
}

TEST(RegexSearch, WordBoundaries) {
  EXPECT_EQ(Find("\\bcat\\b", "concat cat"), (Hit{7, 3}));
  EXPECT_EQ(Find("\\<cat", "concat catalog"), (Hit{7, 3}));
  EXPECT_EQ(Find("cat\\>", "catalog bobcat"), (Hit{11, 3}));
  EXPECT_EQ(Find("\\Bcat", "cat concat"), (Hit{7, 3}));
  EXPECT_EQ(Find("\\w+", "  ab12_"), (Hit{2, 4}));
  EXPECT_EQ(Find("\\W", "ab-"), (Hit{2, 1}));
  EXPECT_EQ(Find("\\b", ""), (Hit{0, 0}));
  EXPECT_EQ(Find("\\B", ""), kNone);
}

TEST(RegexSearch, AnchorsAnywhereInThePattern) {
  EXPECT_EQ(Find("^ab", "abab"), (Hit{0, 2}));
  EXPECT_EQ(Find("^b", "ab"), kNone);
  EXPECT_EQ(Find("ab$", "abab"), (Hit{2, 2}));
  EXPECT_EQ(Find("a$|^b", "ba"), (Hit{0, 1}));
  EXPECT_EQ(Find("x|a$", "ba"), (Hit{1, 1}));
  EXPECT_EQ(Find("a^", "a"), kNone);
  EXPECT_EQ(Find("$", "abc"), (Hit{3, 0}));
  EXPECT_EQ(Find("^$", ""), (Hit{0, 0}));
  EXPECT_EQ(Find("\\`a\\'", "a"), (Hit{0, 1}));
  EXPECT_EQ(Find("\\`b", "ab"), kNone);
}

TEST(RegexSearch, FoldingWithFoldUpper) {
  EXPECT_EQ(Find("[a-c]x", "zBx", FoldUpper), (Hit{1, 2}));
  EXPECT_EQ(Find("abc", "xaBc", FoldUpper), (Hit{1, 3}));
  EXPECT_EQ(Find("abc", "xaBc"), kNone);
  // Double-byte characters are never folded: ａ (82 81) stays itself.
  EXPECT_EQ(Find("ａ", "Ａａ", FoldUpper), (Hit{2, 2}));
}

TEST(RegexSearch, GreedyLoopsAndTheirRewriting) {
  EXPECT_EQ(Find("a*b", "aaab"), (Hit{0, 4}));
  EXPECT_EQ(Find("a*ab", "aaab"), (Hit{0, 4}));
  EXPECT_EQ(Find("[a-z]*z", "abzcz!"), (Hit{0, 5}));
  EXPECT_EQ(Find("[^z]*z", "abzcz"), (Hit{0, 3}));
  EXPECT_EQ(Find("x*$", "axx"), (Hit{1, 2}));
  EXPECT_EQ(Find("(ab)+c", "ababc"), (Hit{0, 5}));
  EXPECT_EQ(Find("a?b", "b"), (Hit{0, 1}));
  EXPECT_EQ(Find("a+", "bbb"), kNone);
  // A program is rewritten by its first match; a second search behaves the same.
  RegexBuffer buffer;
  ASSERT_TRUE(CompileRegex("[a-z]*z", 7, buffer));
  RegexRegisters registers;
  EXPECT_EQ(RegexSearch(buffer, "abzcz!", 6, 0, 6, &registers), 0);
  EXPECT_EQ(registers.end[0], 5);
  EXPECT_EQ(buffer.Program()[buffer.Used - 6], 4);  // the loop's closing jump became Jump
  EXPECT_EQ(RegexSearch(buffer, "abzcz!", 6, 0, 6, &registers), 0);
  EXPECT_EQ(registers.end[0], 5);
}

TEST(RegexSearch, LoopsWhoseBodyMatchesNothingEnd) {
  EXPECT_EQ(Find("(a*)*", "b"), (Hit{0, 0}));
  EXPECT_EQ(Find("(a*)*b", "aab"), (Hit{0, 3}));
  EXPECT_EQ(Find("(a*)+b", "b"), (Hit{0, 1}));
  EXPECT_EQ(Find("(\\b)*x", "yx"), (Hit{1, 1}));
  EXPECT_EQ(Find("(a|\\b)*c", "aac"), (Hit{0, 3}));
  EXPECT_EQ(Find("a*\\b*x", "aax"), (Hit{2, 1}));
}

TEST(RegexMatch, LengthAtOneStart) {
  RegexBuffer buffer;
  ASSERT_TRUE(CompileRegex("ab*", 3, buffer));
  RegexRegisters registers;
  EXPECT_EQ(RegexMatch(buffer, "xabbb", 5, 1, &registers), 4);
  EXPECT_EQ(RegexMatch(buffer, "xabbb", 5, 0, &registers), -1);
  EXPECT_EQ(RegexMatch(buffer, "xabbb", 5, 9, &registers), -1);
}

TEST(RegexSearch, FailurePointLimitGivesUp) {
  // Each pass through the loop leaves a failure point behind (the loop cannot be finalized
  // because "a" may follow); 2560 of them exceed the limit.
  std::string text(3000, 'a');
  RegexBuffer buffer;
  ASSERT_TRUE(CompileRegex("(a)*b", 5, buffer));
  RegexRegisters registers;
  int length = static_cast<int>(text.size());
  EXPECT_EQ(RegexMatch(buffer, text.data(), length, 0, &registers), -2);
  EXPECT_EQ(RegexSearch(buffer, text.data(), length, 0, length, &registers), -2);
  // Below the limit the same pattern simply fails.
  EXPECT_EQ(RegexSearch(buffer, text.data(), 256, 0, 256, &registers), -1);
  // Exponential backtracking gives up instead of hanging.
  std::string row(40, 'a');
  std::string exponential = "(a|aa)*(a|aa)*(a|aa)*c";
  ASSERT_TRUE(CompileRegex(exponential.data(), static_cast<int>(exponential.size()), buffer));
  EXPECT_EQ(RegexSearch(buffer, row.data(), 40, 0, 40, &registers), -2);
}

TEST(BuildFirstByteMap, MarksPossibleFirstBytesAndEmptiness) {
  RegexBuffer buffer;
  auto build = [&buffer](const char* pattern, FoldFunction fold = nullptr) {
    buffer.Fold = fold;
    EXPECT_TRUE(CompileRegex(pattern, static_cast<int>(std::string(pattern).size()), buffer));
    BuildFirstByteMap(buffer);
    std::string marked;
    for (int b = 0; b < 256; ++b) {
      if (buffer.FirstByteMap[b]) marked += static_cast<char>(b);
    }
    return marked;
  };
  EXPECT_EQ(build("abc|x*d"), "adx");
  EXPECT_EQ(buffer.CanBeEmpty, 0);
  EXPECT_EQ(build("[a-c]", FoldUpper), "ABC");
  EXPECT_EQ(build("漢"), "\x8A");
  EXPECT_EQ(build("a*"), "a");
  EXPECT_EQ(buffer.CanBeEmpty, 1);
  EXPECT_EQ(build("a*$"), "\na");
  EXPECT_EQ(buffer.CanBeEmpty, 2);
  EXPECT_EQ(build("(\\b)*a"), "a");
  EXPECT_EQ(buffer.CanBeEmpty, 0);
  EXPECT_EQ(build(".").size(), 255u);
  EXPECT_EQ(build("[^a-c]").find('b'), std::string::npos);
  EXPECT_EQ(build("x+"), "x");
  EXPECT_EQ(buffer.CanBeEmpty, 0);
  EXPECT_EQ(buffer.MapValid, 1);
  // Many optional empty items: the walk joins paths instead of multiplying them.
  std::string optional;
  for (int i = 0; i < 80; ++i) optional += "\\b?";
  EXPECT_EQ(build((optional + "q").c_str()), "q");
}

TEST(ClassifyPosition, CountsLeadBytesBefore) {
  const char text[] = "a\x8A\xBF\x81\x81\x81\x41";
  EXPECT_EQ(ClassifyPosition(text, 7, 0), 0);
  EXPECT_EQ(ClassifyPosition(text, 7, 1), 1);
  EXPECT_EQ(ClassifyPosition(text, 7, 2), 2);
  EXPECT_EQ(ClassifyPosition(text, 7, 3), 1);
  EXPECT_EQ(ClassifyPosition(text, 7, 4), 2);
  EXPECT_EQ(ClassifyPosition(text, 7, 5), 1);
  EXPECT_EQ(ClassifyPosition(text, 7, 6), 2);
  EXPECT_EQ(ClassifyPosition(text, 7, 7), 0);
}

}  // namespace
