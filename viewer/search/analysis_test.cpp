// The intelligent analyses: the row rules of the table-of-contents, INI and log analyses, and
// the page structure of real documents (form feeds, repeated rows, files too small).
#include "viewer/search/analysis_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "viewer/document/document_test_support.h"
#include "viewer/search/analysis_rules.h"
#include "viewer/search/search_engine.h"
#include "viewer/settings/settings_globals.h"

namespace {

bool Ini(const std::string& row) { return IsIniSection(row.c_str(), int(row.size())); }
int Log(const std::string& row) { return LogHeaderPattern(row.c_str(), int(row.size())); }

TEST(AnalysisRules, TableOfContentsEntries) {
  for (const char* entry : {"1. 概要", "　（１）目的", "[2] 方法", "■注意", "\t 　§3", "(【〈５〉】", "|（▼",
                            "９章", "(【 [〔1"}) {
    EXPECT_TRUE(IsIndexEntry(entry)) << entry;
  }
  // An ASCII bracket not followed by a full-width one ends the skipping, and so does a second
  // ASCII bracket; other symbols, letters and kana start no entry.
  for (const char* row : {"概要", "", "   ", "((1)", "[ 1]", "・項目", "※1", "a1", "（概要）", "＃1", "→1"}) {
    EXPECT_FALSE(IsIndexEntry(row)) << row;
  }
}

TEST(AnalysisRules, IniSections) {
  EXPECT_TRUE(Ini("[Section]"));
  EXPECT_TRUE(Ini("[]"));
  EXPECT_TRUE(Ini("[設定]"));
  EXPECT_FALSE(Ini(" [Section]"));
  EXPECT_FALSE(Ini("[Section] "));
  EXPECT_FALSE(Ini("["));
  EXPECT_FALSE(Ini("]"));
  EXPECT_FALSE(Ini("key=value"));
  // ゾ is 83 5D: its second byte is not a closing bracket.
  EXPECT_FALSE(Ini("[ゾ"));
  EXPECT_TRUE(Ini("[ゾ]"));
}

TEST(AnalysisRules, LogHeaderPatterns) {
  EXPECT_EQ(Log("123/456   ABC12345  "), 1);
  EXPECT_EQ(Log("123/456   ABC12345  件名: 会議のお知らせ"), 1);
  EXPECT_EQ(Log("123/456   abc12345  "), 0);
  EXPECT_EQ(Log("123/456   ABC12345 "), 0);  // the trailing spaces belong to the pattern
  EXPECT_EQ(Log("12345/67890 XYZ00001  subject"), 2);
  EXPECT_EQ(Log("001  [95/04/01 12:34]  PCS01234 title"), 3);
  EXPECT_EQ(Log("001  [95-04-01 12:34]  PCS01234"), 0);
  EXPECT_EQ(Log("#1 題名が入ります題名xABC12345          95/04/01 12:34"), 4);
  EXPECT_EQ(Log("#1 題名が入ります題名xABC12345          95/04/01 12:3"), 0);
  EXPECT_EQ(Log("#x 題名が入ります題名xABC12345          95/04/01 12:34"), 0);
  // '*' needs a character: a NUL inside the row is the end of the text.
  std::string withNul = "#1 題名が入ります題名xABC12345          95/04/01 12:34";
  withNul[5] = '\0';
  EXPECT_EQ(Log(withNul), 0);
  EXPECT_EQ(Log(""), 0);
}

class PageAnalysisTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    std::strcpy(SearchPattern, "keep me");
    RegexMode = 1;
    CaseSensitive = 1;
  }
  void TearDown() override {
    SearchPattern[0] = '\0';
    RegexMode = 0;
    DocumentTest::TearDown();
  }
  // `count` rows "row N" padded to 20 bytes; rows in `formFeeds` end with a form feed.
  void LoadRows(int count, const std::vector<int>& formFeeds) {
    std::string text;
    for (int row = 0; row < count; ++row) {
      std::string line = "row " + std::to_string(row);
      line.resize(20, '.');
      for (int feed : formFeeds) {
        if (feed == row) line += '\f';
      }
      text += line + "\n";
    }
    ASSERT_EQ(OpenAndLoad(WriteTemp("pages.txt", text)), DocumentResult::kOk);
  }
  void LoadText(const std::string& text) { ASSERT_EQ(OpenAndLoad(WriteTemp("pages.txt", text)), DocumentResult::kOk); }
  void ExpectSearchKept() {
    EXPECT_STREQ(SearchPattern, "keep me");
    EXPECT_EQ(RegexMode, 1);
  }
  PageStructure pages;
};

TEST_F(PageAnalysisTest, EvenFormFeedsGivePagesAfterEachFeed) {
  LoadRows(100, {10, 20, 30, 40});
  ASSERT_TRUE(FindPageStructure(pages));
  EXPECT_EQ(pages.rowsPerPage, 10);
  EXPECT_EQ(pages.pageRows, (std::vector<int32_t>{0, 11, 21, 31, 41}));
  ExpectSearchKept();
  char title[64];
  FormatAnalysisTitle(AnalysisKind::Pages, pages.rowsPerPage, title, sizeof title);
  EXPECT_STREQ(title, "ﾍﾟｰｼﾞﾘｽﾄ (1P=10L)");
}

TEST_F(PageAnalysisTest, FormFeedInRowZeroIsListedButNotMeasured) {
  // The spacing test starts after row 0; the list looks at row 0 as well.
  LoadRows(100, {0, 10, 20, 30});
  ASSERT_TRUE(FindPageStructure(pages));
  EXPECT_EQ(pages.rowsPerPage, 10);
  EXPECT_EQ(pages.pageRows, (std::vector<int32_t>{0, 1, 11, 21, 31}));
}

// Four pages of 60 text rows, the form feed placed by `layout`: "end" closes each page's last
// row, "start" opens each page's first row, "own" stands on a row of its own after each page.
std::string FormFeedPages(const std::string& layout) {
  std::string text;
  for (int page = 0; page < 4; ++page) {
    for (int row = 0; row < 60; ++row) {
      std::string line = "page " + std::to_string(page) + " row " + std::to_string(row);
      if (layout == "start" && row == 0 && page > 0) line = "\f" + line;
      if (layout == "end" && row == 59) line += "\f";
      text += line + "\r\n";
    }
    if (layout == "own") text += "\f\r\n";
  }
  return text;
}

TEST_F(PageAnalysisTest, TitleShowsTheDistanceBetweenFormFeedsInEveryLayout) {
  struct Layout {
    const char* name;
    const char* title;
    std::vector<int32_t> rows;
  };
  const Layout layouts[] = {
      {"end", "ﾍﾟｰｼﾞﾘｽﾄ (1P=60L)", {0, 60, 120, 180, 240}},  // (240: the empty row after the last line end)
      {"start", "ﾍﾟｰｼﾞﾘｽﾄ (1P=60L)", {0, 61, 121, 181}},
      {"own", "ﾍﾟｰｼﾞﾘｽﾄ (1P=61L)", {0, 61, 122, 183, 244}},
  };
  for (const Layout& layout : layouts) {
    LoadText(FormFeedPages(layout.name));
    ASSERT_TRUE(FindPageStructure(pages)) << layout.name;
    char title[64];
    FormatAnalysisTitle(AnalysisKind::Pages, pages.rowsPerPage, title, sizeof title);
    EXPECT_STREQ(title, layout.title) << layout.name;
    EXPECT_EQ(pages.pageRows, layout.rows) << layout.name;
  }
}

TEST_F(PageAnalysisTest, UnevenOrTooFewFormFeedsFail) {
  LoadRows(100, {10, 20, 31});
  EXPECT_FALSE(FindPageStructure(pages));
  LoadRows(100, {10, 20});
  EXPECT_FALSE(FindPageStructure(pages));
  ExpectSearchKept();
  EXPECT_TRUE(pages.pageRows.empty());
}

TEST_F(PageAnalysisTest, SmallFilesHaveNoPages) {
  LoadRows(40, {10, 20, 30});  // 40 rows of 21 bytes or so: below 1024 bytes
  ASSERT_LT(TheDocument.FileSize, 1024u);
  EXPECT_FALSE(FindPageStructure(pages));
}

// Pages of `length` rows whose first rows are `head` (the same on every page); the other rows
// differ from page to page.
std::string PagedText(int pages, int length, const std::vector<std::string>& head) {
  std::string text;
  for (int page = 0; page < pages; ++page) {
    for (int row = 0; row < length; ++row) {
      text += row < int(head.size()) ? head[row] : "page " + std::to_string(page) + " line " + std::to_string(row);
      text += "\n";
    }
  }
  return text;
}

TEST_F(PageAnalysisTest, UnevenFormFeedsFallBackToRepeatedRows) {
  std::string text = PagedText(5, 66, {"月次報告書", "", "========"});
  // Form feeds in rows 10, 20 and 31 do not make pages; the repeated heads do.
  size_t at = 0;
  for (int row = 0; row <= 31; ++row) {
    at = text.find('\n', at) + 1;
    if (row == 9 || row == 19 || row == 30) text.insert(at - 1, "\f"), ++at;
  }
  LoadText(text);
  ASSERT_TRUE(FindPageStructure(pages));
  EXPECT_EQ(pages.rowsPerPage, 66);
  // (the empty row after the last line break is the first row of a sixth page)
  EXPECT_EQ(pages.pageRows, (std::vector<int32_t>{0, 66, 132, 198, 264, 330}));
  ExpectSearchKept();
}

TEST_F(PageAnalysisTest, RepeatedRowsTakeTheLongestFirstRunAndItsOffset) {
  // The repeated block starts two rows into each page: pages start at L + offset.
  LoadText(PagedText(4, 50, {"x", "y", "HEAD", "====", "DATE", "----"}));
  ASSERT_TRUE(FindPageStructure(pages));
  EXPECT_EQ(pages.rowsPerPage, 50);
  EXPECT_EQ(pages.pageRows, (std::vector<int32_t>{0, 50, 100, 150, 200}));
  // Only the first run of a page length counts: two equal rows, a differing one, then more.
  std::string text = PagedText(4, 60, {"HEAD", "===="});
  for (int page = 0; page < 4; ++page) {
    std::string differing = "page " + std::to_string(page) + " line 2\n";
    text.replace(text.find(differing), differing.size(), "p." + std::to_string(page) + "\na\nb\nc\nd\n");
  }
  LoadText(text);
  EXPECT_FALSE(FindPageStructure(pages));
}

TEST_F(PageAnalysisTest, RepeatedRowsNeedTwoHundredRowsAndRowsThatExist) {
  LoadText(PagedText(3, 66, {"HEAD", "====", "DATE"}));  // 198 rows
  EXPECT_FALSE(FindPageStructure(pages));
  // Blank rows at 60-99 and 140-179: for L = 79 rows L + j and 2L + j are blank while 3L + j
  // lies past the end, which must not count as a third blank row.
  std::string text;
  for (int row = 0; row < 200; ++row) {
    bool blank = (row >= 60 && row < 100) || (row >= 140 && row < 180);
    text += (blank ? std::string() : "unique " + std::to_string(row)) + "\n";
  }
  LoadText(text);
  EXPECT_FALSE(FindPageStructure(pages));
}

class RowAnalysisTest : public DocumentTest {
 protected:
  std::vector<int32_t> Rows(AnalysisKind kind, const std::string& text) {
    EXPECT_EQ(OpenAndLoad(WriteTemp("rows.txt", text)), DocumentResult::kOk);
    std::vector<int32_t> rows;
    CollectAnalysisRows(kind, 0, TheDocument.RowCount, rows);
    return rows;
  }
};

TEST_F(RowAnalysisTest, EachAnalysisListsItsRowsInOrder) {
  EXPECT_EQ(Rows(AnalysisKind::Index, "目次\n1. 概要\n本文\n　（１）目的\n[2] 方法\n■注意\n"),
            (std::vector<int32_t>{1, 3, 4, 5}));
  EXPECT_EQ(Rows(AnalysisKind::Ini, "; comment\n[Boot]\nshell=x\n [Bad]\n[Drivers]\r\nkey=1\n"),
            (std::vector<int32_t>{1, 4}));
  EXPECT_EQ(Rows(AnalysisKind::Log, "hello\n123/456   ABC12345  件名\n本文\n123/456   abc12345  x\n"
                                    "12345/67890 XYZ00001  re\n"),
            (std::vector<int32_t>{1, 4}));
  EXPECT_TRUE(Rows(AnalysisKind::Index, "概要\nおわり\n").empty());
}

TEST_F(RowAnalysisTest, RowsAreTheWrappedRows) {
  // A long line wraps at 80 columns: its second row begins with digits.
  std::string text = std::string(80, 'a') + "12 continued\n";
  EXPECT_EQ(Rows(AnalysisKind::Index, text), (std::vector<int32_t>{1}));
}

}  // namespace
