// The search dialog's starting state and the repeat-search step over a loaded document: the
// selection (or the last pattern) as the search text, the row a search starts from, and
// SearchRow following the hits.
#include "viewer/search/search_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "viewer/document/document_test_support.h"
#include "viewer/search/search_engine.h"
#include "viewer/settings/settings_globals.h"

namespace {

class SearchSession : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    ASSERT_EQ(OpenAndLoad(WriteTemp("session.txt", "zero row\r\nfirst 漢字 row\r\nsecond\r\nneedle\r\n")), DocumentResult::kOk);
    std::strcpy(SearchPattern, "last");
  }
  void TearDown() override {
    SearchPattern[0] = '\0';
    for (int32_t& edge : TheDocument.Selection) edge = -1;
    DocumentTest::TearDown();
  }
  void Select(int32_t anchorRow, int32_t endRow, int32_t anchorColumn, int32_t endColumn) {
    int32_t* s = TheDocument.Selection;
    s[0] = anchorRow;
    s[1] = endRow;
    s[2] = anchorColumn;
    s[3] = endColumn;
  }
};

TEST_F(SearchSession, DialogTextIsTheSelectionOrElseTheLastPattern) {
  EXPECT_EQ(InitialSearchText(10), "last");
  Select(1, 1, 6, 10);  // "漢字"
  EXPECT_EQ(InitialSearchText(10), "漢字");
  Select(1, 1, 10, 6);  // the same, dragged leftwards
  EXPECT_EQ(InitialSearchText(10), "漢字");
  // An empty selection (a click) keeps the last pattern rather than the screen's text.
  Select(1, 1, 6, 6);
  EXPECT_EQ(InitialSearchText(10), "last");
  // Over a line end: only the first line's part.
  Select(0, 1, 5, 5);
  EXPECT_EQ(InitialSearchText(10), "row");
  // Whole rows (a press in the margin): the first row.
  Select(2, 3, -1, -1);
  EXPECT_EQ(InitialSearchText(10), "second");
}

TEST_F(SearchSession, RepeatStepsFollowSearchRowFromTheTopRow) {
  std::strcpy(SearchPattern, "row");
  CaseSensitive = 1;
  RegexMode = 0;
  ASSERT_TRUE(PrepareSearch());
  TheDocument.TopLine = 1;
  StartSearchAtTopRow();
  EXPECT_EQ(TheDocument.SearchRow, 0);
  char* hit = nullptr;
  int length = 0;
  // Forward finds the top row itself; backward from the dialog skips the row above the top.
  EXPECT_EQ(SearchNext(true, &hit, &length), 1);
  EXPECT_EQ(std::string(hit, size_t(length)), "row");
  EXPECT_EQ(TheDocument.SearchRow, 1);
  EXPECT_EQ(SearchNext(true, nullptr, nullptr), -1);
  EXPECT_EQ(TheDocument.SearchRow, 1);  // a miss leaves it
  EXPECT_EQ(SearchNext(false, nullptr, nullptr), 0);
  StartSearchAtTopRow();
  EXPECT_EQ(SearchNext(false, nullptr, nullptr), -1);
}

}  // namespace
