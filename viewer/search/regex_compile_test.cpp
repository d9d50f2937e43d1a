// CompileRegex: the program bytes of repetitions, alternation, groups, classes with double-byte
// ranges and escapes; the patterns that do not compile; growth of the program up to 8192 bytes.
// (Literals here are Shift-JIS at run time: 漢 is 8A BF, あ 82 A0, ん 82 F1.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "viewer/search/regex.h"

namespace {

std::vector<int> Program(const std::string& pattern, FoldFunction fold = nullptr) {
  RegexBuffer buffer;
  buffer.Fold = fold;
  if (!CompileRegex(pattern.data(), static_cast<int>(pattern.size()), buffer)) return {-1};
  return std::vector<int>(buffer.Program(), buffer.Program() + buffer.Used);
}

bool Compiles(const std::string& pattern) { return Program(pattern) != std::vector<int>{-1}; }

TEST(CompileRegex, RepetitionsWrapTheLastItemInJumps) {
  // x*: OnFailureJump -> out, x, MaybeFinalizeJump -> the OnFailureJump.
  EXPECT_EQ(Program("x*"), (std::vector<int>{5, 6, 0, 1, 1, 'x', 7, 0xF7, 0xFF}));
  // x+: DummyFailureJump -> x, OnFailureJump -> out, x, MaybeFinalizeJump -> the OnFailureJump.
  EXPECT_EQ(Program("x+"), (std::vector<int>{8, 3, 0, 5, 6, 0, 1, 1, 'x', 7, 0xF7, 0xFF}));
  EXPECT_EQ(Program("x?"), (std::vector<int>{5, 3, 0, 1, 1, 'x'}));
  // A literal before a repetition stands alone; the run before it is one instruction.
  EXPECT_EQ(Program("abc*"), (std::vector<int>{1, 2, 'a', 'b', 5, 6, 0, 1, 1, 'c', 7, 0xF7, 0xFF}));
  // 漢* repeats the whole double-byte character.
  EXPECT_EQ(Program("漢*"), (std::vector<int>{5, 7, 0, 1, 2, 0x8A, 0xBF, 7, 0xF6, 0xFF}));
  // Operators without an item are ignored; runs of operators combine.
  EXPECT_EQ(Program("*abc"), Program("abc"));
  EXPECT_EQ(Program("a**+"), Program("a*"));
  EXPECT_EQ(Program("a+?"), Program("a*"));
  EXPECT_EQ(Program("a??"), Program("a?"));
}

TEST(CompileRegex, AlternationAndGroups) {
  // a|b: OnFailureJump -> b, a, Jump -> end, b.
  EXPECT_EQ(Program("a|b"), (std::vector<int>{5, 6, 0, 1, 1, 'a', 4, 3, 0, 1, 1, 'b'}));
  EXPECT_EQ(Program("a\nb"), Program("a|b"));
  // a|b|c: the first alternative's jump goes to the second's, which goes to the end.
  EXPECT_EQ(Program("a|b|c"),
            (std::vector<int>{5, 6, 0, 1, 1, 'a', 4, 6, 0, 5, 6, 0, 1, 1, 'b', 4, 3, 0, 1, 1, 'c'}));
  EXPECT_EQ(Program("(a)"), (std::vector<int>{15, 1, 1, 1, 'a', 16, 1}));
  // (a)* repeats the whole group, its start record included.
  EXPECT_EQ(Program("(a)*"), (std::vector<int>{5, 10, 0, 15, 1, 1, 1, 'a', 16, 1, 7, 0xF3, 0xFF}));
  // Groups from 3 on group but record nothing.
  EXPECT_EQ(Program("(a)(b)(c)"),
            (std::vector<int>{15, 1, 1, 1, 'a', 16, 1, 15, 2, 1, 1, 'b', 16, 2, 1, 1, 'c'}));
  // Alternation inside a group ends at the group.
  EXPECT_EQ(Program("(a|b)c"),
            (std::vector<int>{15, 1, 5, 6, 0, 1, 1, 'a', 4, 3, 0, 1, 1, 'b', 16, 1, 1, 1, 'c'}));
}

TEST(CompileRegex, ClassesWithDoubleByteMembersAndRanges) {
  EXPECT_EQ(Program("[あ-ん]"), (std::vector<int>{10, 0, 6, 12, 0x82, 0xA0, 0x82, 0xF1, 13}));
  EXPECT_EQ(Program("[^a-c漢]"), (std::vector<int>{14, 0, 9, 12, 0, 'a', 0, 'c', 11, 0x8A, 0xBF, 13}));
  EXPECT_EQ(Program("[]a]"), (std::vector<int>{10, 0, 5, 11, ']', 11, 'a', 13}));
  EXPECT_EQ(Program("[a-]"), (std::vector<int>{10, 0, 5, 11, 'a', 11, '-', 13}));
  // The backslash is an ordinary member; members are folded.
  EXPECT_EQ(Program("[\\a-c]", FoldUpper), (std::vector<int>{10, 0, 8, 11, '\\', 12, 0, 'A', 0, 'C', 13}));
}

TEST(CompileRegex, EscapesAndAnchors) {
  EXPECT_EQ(Program("^a$"), (std::vector<int>{2, 1, 1, 'a', 3}));
  EXPECT_EQ(Program("a^b"), (std::vector<int>{1, 1, 'a', 2, 1, 1, 'b'}));
  EXPECT_EQ(Program("\\w\\W\\<\\>\\b\\B\\`\\'"), (std::vector<int>{23, 24, 25, 26, 27, 28, 21, 22}));
  EXPECT_EQ(Program("\\.\\\\\\|\\n\\t"), (std::vector<int>{1, 5, '.', '\\', '|', 'n', '\t'}));
  // A back reference needs its group closed; otherwise the digit is a literal.
  EXPECT_EQ(Program("\\2"), (std::vector<int>{1, 1, '2'}));
  EXPECT_EQ(Program("(a)\\1"), (std::vector<int>{15, 1, 1, 1, 'a', 16, 1, 17, 1}));
  EXPECT_EQ(Program("(a\\1)"), (std::vector<int>{15, 1, 1, 2, 'a', '1', 16, 1}));
  // Folding applies to single bytes outside escapes only.
  EXPECT_EQ(Program("ab\\w", FoldUpper), (std::vector<int>{1, 2, 'A', 'B', 23}));
  EXPECT_EQ(Program("\\q", FoldUpper), (std::vector<int>{1, 1, 'Q'}));
}

TEST(CompileRegex, LongLiteralRunsSplitAtCount127) {
  std::string run(127, 'a');
  std::vector<int> program = Program(run + "b");
  ASSERT_EQ(program.size(), 2u + 127 + 2 + 1);
  EXPECT_EQ(program[1], 127);
  EXPECT_EQ(program[129], 1);
  // A double-byte character completing a run of 126 takes the count to 128.
  program = Program(std::string(126, 'a') + "漢");
  EXPECT_EQ(program[1], 128);
}

TEST(CompileRegex, FailsOnMalformedPatterns) {
  for (const char* bad : {"(", ")", "a)", "[abc", "[", "[^", "abc\\", "(a|b", "[]", "\x82", "a\x82", "[\x82]"}) {
    EXPECT_FALSE(Compiles(bad)) << bad;
  }
  EXPECT_TRUE(Compiles(std::string(10, '(') + std::string(10, ')')));
  EXPECT_FALSE(Compiles(std::string(11, '(') + std::string(11, ')')));
  EXPECT_TRUE(Compiles(""));
  EXPECT_TRUE(Compiles("|"));
  EXPECT_TRUE(Compiles("()"));
}

TEST(CompileRegex, ProgramGrowsByDoublingUpTo8192Bytes) {
  RegexBuffer buffer;
  EXPECT_EQ(buffer.Allocated(), 0);  // the first compile allocates 40 bytes, then doubles
  std::string letters = "abcdefghijklmnopqrstuvwxyz";
  ASSERT_TRUE(CompileRegex(letters.data(), static_cast<int>(letters.size()), buffer));
  EXPECT_EQ(buffer.Allocated(), 80);
  EXPECT_EQ(buffer.Used, 28);
  std::string many;
  for (int i = 0; i < 800; ++i) many += "a*";  // 9 bytes each: 7200
  ASSERT_TRUE(CompileRegex(many.data(), static_cast<int>(many.size()), buffer));
  EXPECT_EQ(buffer.Allocated(), 8192);
  EXPECT_EQ(buffer.Used, 7200);
  for (int i = 0; i < 200; ++i) many += "a*";
  EXPECT_FALSE(CompileRegex(many.data(), static_cast<int>(many.size()), buffer));
  EXPECT_EQ(buffer.Used, 0);
  // The buffer stays usable after a failed compile.
  ASSERT_TRUE(CompileRegex("x*", 2, buffer));
  EXPECT_EQ(buffer.Used, 9);
}

}  // namespace
