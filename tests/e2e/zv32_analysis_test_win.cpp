// End-to-end tests of the intelligent analyses in ZV32.EXE under Wine: each analysis from its
// menu id opens a list window of its own with its title and rows (pictures of each), each says so in a
// message box when it finds nothing, and a long log analysis can be cancelled and keeps the
// headers found so far.  Each test starts from a deleted settings key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/zv32_session_win.h"
#include "viewer/resources/zv32_ids.h"

using namespace e2e;

namespace {

constexpr char kListClass[] = "ZelkoView!LList";
constexpr char kDialogClass[] = "PlimDialog";
constexpr char kMessageBoxClass[] = "#32770";
constexpr int kListBox = IDC_LINE_LIST_BOX;

class AnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

std::vector<int> ListRows(HWND list) {
  std::vector<int> rows;
  HWND box = Item(list, kListBox);
  int count = int(Send(box, LB_GETCOUNT));
  for (int i = 0; i < count; ++i) rows.push_back(int(Send(box, LB_GETITEMDATA, WPARAM(i))));
  return rows;
}

// Runs an analysis and returns its list window (null when none appeared).
HWND RunAnalysis(const Viewer& viewer, int id, const char* title) {
  viewer.Command(id);
  return WaitForWindow(viewer.ProcessId(), kListClass, title, 10000);
}

// Runs an analysis that finds nothing; returns the message box's text (closing the box).
std::string NothingFoundMessage(const Viewer& viewer, int id) {
  viewer.Command(id);
  HWND box = WaitForWindow(viewer.ProcessId(), kMessageBoxClass, "Zelko View 32", 10000);
  if (!box) return "(no message box)";
  std::string text = MessageBoxText(box);
  Post(box, WM_COMMAND, IDOK);
  WaitUntil([&] { return !IsWindow(box); }, 5000);
  return text;
}

// Sixty rows of Shift-JIS text with three form feeds, table-of-contents entries, INI sections
// and log headers at known rows.
std::string AnalysedText() {
  std::string text;
  for (int row = 0; row < 60; ++row) {
    std::string line;
    switch (row) {
      case 2: line = "1. 概要"; break;
      case 3: line = "[Section]"; break;
      case 5: line = "　（１）目的"; break;
      case 7: line = "123/456   ABC12345  件名です"; break;
      case 40: line = "■注意"; break;
      case 45: line = "[Other]"; break;
      case 50: line = "12345/67890 XYZ00001  再送"; break;
      default: line = "本文の行です（ページ解析の試験） " + std::to_string(row) + (row == 10 || row == 20 || row == 30 ? "\f" : "");
    }
    text += line + "\r\n";
  }
  return text;
}

}  // namespace

TEST_F(AnalysisTest, EachAnalysisListsItsRowsInAWindowOfItsOwn) {
  std::string file = WriteTestFile("analyses.txt", AnalysedText());
  Viewer viewer(file);
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(61)) << viewer.Position();

  struct Case {
    int id;
    const char* title;
    std::vector<int> rows;  // (the log headers begin with digits: table-of-contents entries too)
    const char* picture;
  };
  const Case cases[] = {
      {IDM_TOC_ANALYSIS, "目次リスト", {2, 5, 7, 40, 50}, "zv32_analysis_toc"},
      {IDM_PAGE_ANALYSIS, "ﾍﾟｰｼﾞﾘｽﾄ (1P=10L)", {0, 11, 21, 31}, "zv32_analysis_pages"},
      {IDM_LOG_ANALYSIS, "ログヘッダ", {7, 50}, "zv32_analysis_log"},
      {IDM_INI_ANALYSIS, "INIﾌｧｲﾙｾｸｼｮﾝ", {3, 45}, "zv32_analysis_ini"},
  };
  for (const Case& c : cases) {
    HWND list = RunAnalysis(viewer, c.id, c.title);
    ASSERT_NE(list, nullptr) << c.title;
    // (the log analysis opens its window at the first header and goes on)
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(viewer.main()) != FALSE; }, 10000));
    EXPECT_EQ(ListRows(list), c.rows) << c.title;
    // (a first list window has no saved place yet and opens small: widen it for the picture)
    SetWindowPos(list, nullptr, 0, 0, 420, 200, SWP_NOMOVE | SWP_NOZORDER);
    ShowAndSettle(list);
    EXPECT_FALSE(SaveScreenshot(list, c.picture).empty());
  }
  // Every run opened a window of its own.
  for (const Case& c : cases) EXPECT_NE(FindTopWindow(viewer.ProcessId(), kListClass, c.title), nullptr) << c.title;
}

// Four pages of 60 text rows with the form feed closing each page's last row, opening the next
// page's first row, or standing on a row of its own between the pages.
std::string FormFeedPages(int layout) {
  enum { kEnd, kStart, kOwn };
  std::string text;
  for (int page = 0; page < 4; ++page) {
    for (int row = 0; row < 60; ++row) {
      std::string line = "ページ" + std::to_string(page + 1) + "の" + std::to_string(row + 1) + "行目";
      if (layout == kStart && row == 0 && page > 0) line = "\f" + line;
      if (layout == kEnd && row == 59) line += "\f";
      text += line + "\r\n";
    }
    if (layout == kOwn) text += "\f\r\n";
  }
  return text;
}

TEST_F(AnalysisTest, PageTitleShowsTheRowsFromOneFormFeedToTheNext) {
  struct Case {
    const char* title;
    std::vector<int> rows;
  };
  const Case cases[] = {
      {"ﾍﾟｰｼﾞﾘｽﾄ (1P=60L)", {0, 60, 120, 180, 240}},  // (240: the empty row after the last line end)
      {"ﾍﾟｰｼﾞﾘｽﾄ (1P=60L)", {0, 61, 121, 181}},
      {"ﾍﾟｰｼﾞﾘｽﾄ (1P=61L)", {0, 61, 122, 183, 244}},
  };
  for (int layout = 0; layout < 3; ++layout) {
    const Case& c = cases[layout];
    Viewer viewer(WriteTestFile("feeds" + std::to_string(layout) + ".txt", FormFeedPages(layout)));
    ASSERT_NE(viewer.main(), nullptr);
    HWND list = RunAnalysis(viewer, IDM_PAGE_ANALYSIS, c.title);
    ASSERT_NE(list, nullptr) << "layout " << layout << ": " << c.title;
    EXPECT_EQ(ListRows(list), c.rows) << c.title;
  }
}

TEST_F(AnalysisTest, AnalysesThatFindNothingSaySo) {
  // Below 1024 bytes, no entry, no header, no section.
  Viewer viewer(WriteTestFile("plain.txt", NumberedLines(20)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(21)) << viewer.Position();
  EXPECT_EQ(NothingFoundMessage(viewer, IDM_PAGE_ANALYSIS),
            "ページ構造の解析に失敗しました\nファイルが小さすぎるか、ページ構造が存在しません");
  EXPECT_EQ(NothingFoundMessage(viewer, IDM_LOG_ANALYSIS), "特にヘッダらしいものがみつかりませんでした");
  EXPECT_EQ(NothingFoundMessage(viewer, IDM_INI_ANALYSIS), ".INIファイルの構造解析に失敗しました");
  // (the numbered lines begin with digits: table-of-contents entries)
  Viewer prose(WriteTestFile("prose.txt", "概要\r\n本文です。\r\n"));
  ASSERT_NE(prose.main(), nullptr);
  ASSERT_TRUE(prose.WaitRows(3)) << prose.Position();
  EXPECT_EQ(NothingFoundMessage(prose, IDM_TOC_ANALYSIS), "特に目次項目らしいものがみつかりませんでした");
  EXPECT_EQ(FindTopWindow(viewer.ProcessId(), kListClass), nullptr);
  EXPECT_EQ(FindTopWindow(prose.ProcessId(), kListClass), nullptr);
  EXPECT_TRUE(IsWindowEnabled(viewer.main()));
}

TEST_F(AnalysisTest, CancellingALongLogAnalysisKeepsTheHeadersFound) {
  // Every row a header: the analysis takes seconds, the meter moves, the cancel stops it.
  constexpr int kRows = 1000000;
  Viewer viewer(WriteTestFile("long.log", RepeatedLines(kRows, "123/456   ABC12345  x\r\n")));
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_LOG_ANALYSIS);
  HWND progress = WaitForWindow(viewer.ProcessId(), kDialogClass, "ログ解析", 60000);
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(Text(Item(progress, IDC_ABORT_TEXT)), "解析中です...");
  EXPECT_FALSE(IsWindowEnabled(viewer.main()));
  HWND meter = Item(progress, IDC_ABORT_METER);
  EXPECT_TRUE(WaitUntil([&] { return Send(meter, BM_GETSTATE) > 0; }, 20000));
  Post(progress, WM_COMMAND, IDC_OK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 20000));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(viewer.main()) != FALSE; }, 5000));
  EXPECT_EQ(FindTopWindow(viewer.ProcessId(), kMessageBoxClass), nullptr);
  // The headers found before the cancel stay listed, in order from the first row.
  HWND list = WaitForWindow(viewer.ProcessId(), kListClass, "ログヘッダ", 5000);
  ASSERT_NE(list, nullptr);
  HWND box = Item(list, kListBox);
  int count = int(Send(box, LB_GETCOUNT));
  EXPECT_GT(count, 0);
  EXPECT_LT(count, kRows);
  for (int i : {0, 1, count / 2, count - 1}) {
    if (i >= 0 && i < count) EXPECT_EQ(Send(box, LB_GETITEMDATA, WPARAM(i)), i);
  }
}
