// The search plan of a regular expression and the literal scan it relies on: which literals
// every match must hold, anchoring, and which patterns may give up (so that no row is passed
// over untried); the scan's folding and its end.
#include "viewer/search/regex_plan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

RegexPlan PlanFor(const std::string& pattern, bool fold = false) {
  RegexBuffer buffer;
  buffer.Fold = fold ? FoldUpper : KeepCase;
  EXPECT_EQ(CompileRegex(pattern.c_str(), int(pattern.size()), buffer), 1) << pattern;
  BuildFirstByteMap(buffer);
  RegexPlan plan;
  PlanRegex(buffer, plan);
  return plan;
}

// Whether the plan requires `text` as one of its literals (checked by scanning `text` itself).
bool Requires(const RegexPlan& plan, const std::string& text) {
  for (int i = 0; i < plan.literalCount; ++i) {
    const LiteralScan& literal = plan.literals[i];
    if (literal.Length() == int(text.size()) && literal.MatchesAt(text.c_str())) return true;
  }
  return false;
}

TEST(RegexPlan, RequiresOnlyLiteralsOnEveryPath) {
  RegexPlan plan = PlanFor("ファイル.*指定");
  EXPECT_EQ(plan.literalCount, 2);
  EXPECT_TRUE(Requires(plan, "ファイル"));
  EXPECT_TRUE(Requires(plan, "指定"));
  plan = PlanFor("(する|した)場合");
  EXPECT_EQ(plan.literalCount, 1);
  EXPECT_TRUE(Requires(plan, "場合"));
  // Alternatives, optional and repeated items, and everything after a top-level "|" are not
  // required.
  EXPECT_EQ(PlanFor("abc|x").literalCount, 0);
  EXPECT_EQ(PlanFor("x?").literalCount, 0);
  EXPECT_EQ(PlanFor("(abc)*d").literalCount, 1);
  EXPECT_TRUE(Requires(PlanFor("(abc)*d"), "d"));
  EXPECT_EQ(PlanFor("(ab)+").literalCount, 0);
  EXPECT_EQ(PlanFor("[0-9]+年").literalCount, 1);
}

TEST(RegexPlan, FoldedLiteralsAcceptBothCases) {
  RegexPlan plan = PlanFor("\\<file\\>", true);
  ASSERT_EQ(plan.literalCount, 1);
  EXPECT_TRUE(plan.literals[0].MatchesAt("file"));
  EXPECT_TRUE(plan.literals[0].MatchesAt("FiLe"));
  EXPECT_FALSE(PlanFor("\\<file\\>").literals[0].MatchesAt("FILE"));
}

TEST(RegexPlan, AnchoringAndGivingUp) {
  EXPECT_TRUE(PlanFor("^[A-Z][A-Z]+").anchored);
  EXPECT_TRUE(PlanFor("\\`ab").anchored);
  EXPECT_FALSE(PlanFor("a^").anchored);
  for (const char* simple : {"abc", "(する|した)場合", "x.*y", "[0-9]+年", "^[A-Z][A-Z]+", "a?b?c?"}) {
    EXPECT_TRUE(PlanFor(simple).cannotGiveUp) << simple;
  }
  // Nested or several loops, or a loop body with choices, can take too many steps.
  for (const char* costly : {"(a|aa)*c", "(a*)*c", ".*.*c", "(ab|a)*c", "a*b*"}) {
    EXPECT_FALSE(PlanFor(costly).cannotGiveUp) << costly;
  }
}

TEST(LiteralScan, FindsEveryPlaceInsideTheRangeOnly) {
  LiteralScan scan;
  const uint8_t pattern[] = {'A', 'b'};
  scan.Build(pattern, 2, true);
  std::string text = std::string(40, '-') + "Ab" + std::string(20, '-') + "ab" + "AB" + "xA";
  const char* begin = text.c_str();
  const char* end = begin + text.size();
  EXPECT_EQ(scan.Find(begin, end), begin + 40);
  EXPECT_EQ(scan.Find(begin + 41, end), begin + 62);  // "a" matches the folded "A"
  EXPECT_EQ(scan.Find(begin + 63, end), nullptr);      // "B" is not folded: the pattern has "b"
  EXPECT_EQ(scan.Find(begin, begin + 41), nullptr);    // "Ab" does not fit before the end
  scan.Build(pattern, 0, false);
  EXPECT_EQ(scan.Find(begin, end), nullptr);
}

}  // namespace
