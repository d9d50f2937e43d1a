// The search engine over real documents: string and regex workers, case folding, the
// second-byte rule, invalid patterns, backward search, repeated forward search, binary mode,
// loading on demand and rows where a match gives up.
#include "viewer/search/search_engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "viewer/document/document_test_support.h"
#include "viewer/settings/settings_globals.h"

namespace {

class Search : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    CaseSensitive = 1;
    RegexMode = 0;
  }
  void TearDown() override {
    CaseSensitive = 1;
    RegexMode = 0;
    DocumentTest::TearDown();
  }
  void Load(const std::string& text) { ASSERT_EQ(OpenAndLoad(WriteTemp("search.txt", text)), DocumentResult::kOk); }
  int Prepare(const std::string& pattern, bool regex, bool caseSensitive = true) {
    std::strncpy(SearchPattern, pattern.c_str(), kSearchPatternSize - 1);
    RegexMode = regex ? 1 : 0;
    CaseSensitive = caseSensitive ? 1 : 0;
    return PrepareSearch();
  }
  // Every hit forward from the top, as row:offset:length.
  std::vector<std::string> AllHits() {
    std::vector<std::string> hits;
    for (int32_t r = SearchForward(-1, nullptr, nullptr); r >= 0;) {
      char* hit = nullptr;
      int length = -1;
      int32_t again = SearchForward(r - 1, &hit, &length);
      EXPECT_EQ(again, r);
      hits.push_back(std::to_string(r) + ":" + std::to_string(hit - RowStart(r)) + ":" + std::to_string(length));
      r = SearchForward(r, nullptr, nullptr);
    }
    return hits;
  }
};

TEST_F(Search, StringSearchFoldsCaseWhenAsked) {
  Load("xx abc\nABC\naBc\n");
  Prepare("abc", false);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"0:3:3"}));
  Prepare("abc", false, false);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"0:3:3", "1:0:3", "2:0:3"}));
  // The pattern itself is left as it was.
  EXPECT_STREQ(SearchPattern, "abc");
}

TEST_F(Search, RegexSearchFoldsThroughFoldUpper) {
  Load("Bx\nzz\nax\n");
  Prepare("[a-c]x", true, false);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"0:0:2", "2:0:2"}));
  Prepare("[a-c]x", true, true);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"2:0:2"}));
  Prepare("漢+字", true);
  Load("abc漢漢字\n");
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"0:3:6"}));
}

TEST_F(Search, NoHitStartsOnASecondByte) {
  // ア is 83 41, ソ 83 5C: "A" and "\" inside them are not hits.
  Load("ア\nソ\nxA\n\\\n");
  Prepare("A", false);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"2:1:1"}));
  Prepare("\\\\", true);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"3:0:1"}));
  // A pattern that begins with the second byte of 漢 (8A BF) and ends with the next lead byte.
  Load("漢字\n");
  Prepare("\xBF\x8E", false);
  EXPECT_EQ(AllHits(), std::vector<std::string>{});
}

TEST_F(Search, InvalidRegexFallsBackToStringSearch) {
  Load("a(b\nc)d\n[abc\nabc\\\n");
  for (const char* pattern : {"(", ")", "[abc", "abc\\"}) {
    EXPECT_EQ(Prepare(pattern, true), 0) << pattern;
    EXPECT_EQ(RegexMode, 0);
    EXPECT_EQ(AllHits().size(), 1u) << pattern;
  }
  // The pattern is compiled whatever RegexMode says.
  EXPECT_EQ(Prepare("(", false), 0);
  EXPECT_EQ(Prepare("a(b", false), 0);
  EXPECT_EQ(Prepare("a\\(b", false), 1);
  EXPECT_STREQ(kInvalidRegexMessage, "正規表現が不適切なので、通常文字列として処理を継続します");
}

TEST_F(Search, BackwardSearchFindsTheNearestEarlierRow) {
  Load("ab ab\nxx\nzab\nab\n");
  Prepare("ab", false);
  char* hit = nullptr;
  int length = 0;
  EXPECT_EQ(SearchBackward(0, &hit, &length), -1);
  EXPECT_EQ(SearchBackward(3, &hit, &length), 2);
  EXPECT_EQ(hit, RowPointer(2, 1));
  EXPECT_EQ(length, 2);
  EXPECT_EQ(SearchBackward(2, &hit, nullptr), 0);
  EXPECT_EQ(hit, RowStart(0));  // the leftmost occurrence of the row
  EXPECT_EQ(SearchBackward(1000, nullptr, nullptr), 3);
  Prepare("a.", true);
  EXPECT_EQ(SearchBackward(2, &hit, &length), 0);
  EXPECT_EQ(length, 2);
  EXPECT_EQ(SearchBackward(0, &hit, &length), -1);
}

TEST_F(Search, RepeatedForwardSearchGoesOnWithTheNextRow) {
  Load("ab ab ab\nab\n\nab\n");
  Prepare("ab", false);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"0:0:2", "1:0:2", "3:0:2"}));
  Prepare("b$|^a", true);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"0:0:1", "1:0:1", "3:0:1"}));
  // Rows cut by LineMax end where they are cut: "$" matches there.
  host.rows.lineMax = 10;
  Load(std::string(15, 'x') + "\n");
  Prepare("x$", true);
  EXPECT_EQ(AllHits(), (std::vector<std::string>{"0:9:1", "1:4:1"}));
}

TEST_F(Search, BinaryModeSearchesTheDumpLines) {
  std::string bytes;
  for (int i = 0; i < 64; ++i) bytes += static_cast<char>(i);
  Load(bytes);
  ASSERT_EQ(TheDocument.DisplayMode, 1);
  Prepare("00000020", false);
  EXPECT_EQ(SearchForward(-1, nullptr, nullptr), 2);
  Prepare("1F", false);
  EXPECT_EQ(SearchForward(-1, nullptr, nullptr), 1);
}

TEST_F(Search, ForwardSearchLoadsTheRowsItNeeds) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "line " + std::to_string(i) + "\n";
  std::string path = WriteTemp("lazy.txt", text + "needle\n");
  ASSERT_EQ(OpenDocument(path.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  ASSERT_GT(TheDocument.BytesLeft, 0u);
  Prepare("needle", false);
  EXPECT_EQ(SearchForward(-1, nullptr, nullptr), 2000);
  Prepare("nothing", false);
  EXPECT_EQ(SearchForward(-1, nullptr, nullptr), -1);
  EXPECT_EQ(TheDocument.BytesLeft, 0u);
}

TEST_F(Search, RowsWhereAMatchGivesUpCountAsNoHit) {
  Load(std::string(60, 'a') + "\nac\n");
  ASSERT_EQ(Prepare("(a|aa)*(a|aa)*(a|aa)*c", true), 1);
  EXPECT_EQ(SearchForward(-1, nullptr, nullptr), 1);
  EXPECT_EQ(RowsGivenUp, 1);
}

}  // namespace
