// Zelko Filer's texts: the path ladder, item columns and names, the history, the initial
// search, the drive wrap and the column positions, with Shift-JIS names whose trail bytes are
// 0x5C ("ソ", "表") or 0x7C ("ポ").
#include "viewer/filer/filer_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "viewer/filer/filer_entry.h"

namespace {

using Strings = std::vector<std::string>;

TEST(FilerText, PathLadderStepsOverDoubleByteCharacters) {
  EXPECT_EQ(PathLadder("C:\\"), Strings{"C:\\"});
  EXPECT_EQ(PathLadder("C:\\A\\B"), (Strings{"C:\\", "A", "B"}));
  EXPECT_EQ(PathLadder("D:\\ソフト\\表\\x"), (Strings{"D:\\", "ソフト", "表", "x"}));
  EXPECT_EQ(PathLadder("\\\\server\\share\\dir"), (Strings{"\\\\server\\share\\", "dir"}));
  EXPECT_EQ(PathAtLevel("C:\\A\\B\\C", 0), "C:\\");
  EXPECT_EQ(PathAtLevel("C:\\A\\B\\C", 2), "C:\\A\\B");
  EXPECT_EQ(PathAtLevel("C:\\表\\ソ", 1), "C:\\表");
}

TEST(FilerText, JoinPathAddsOneSeparatorAndRefusesTooLongPaths) {
  EXPECT_EQ(JoinPath("C:\\", "a.txt"), "C:\\a.txt");
  EXPECT_EQ(JoinPath("C:\\dir", "a.txt"), "C:\\dir\\a.txt");
  // "表" ends in 0x5C, which is not a separator: the join still adds one.
  EXPECT_EQ(JoinPath("C:\\表", "a"), "C:\\表\\a");
  EXPECT_EQ(JoinPath("C:\\d", std::string(254, 'x')), "C:\\d\\" + std::string(254, 'x'));
  EXPECT_EQ(JoinPath("C:\\d", std::string(255, 'x')), "");
}

TEST(FilerText, ItemColumnsAndNames) {
  EXPECT_EQ(ItemColumns("Lname|L.txt|R  12|"), (std::vector<std::string_view>{"Lname", "L.txt", "R  12"}));
  // "ポ" ends in 0x7C: it does not cut the column.
  EXPECT_EQ(ItemColumns("Lポイント|L.doc|"), (std::vector<std::string_view>{"Lポイント", "L.doc"}));
  EXPECT_EQ(ItemName("Lポイント|L.doc|R  12|"), "ポイント.doc");
  EXPECT_EQ(ItemName("LREADME|L|"), "README");
  EXPECT_EQ(ItemName("LC:\\"), "C:\\");
  EXPECT_EQ(ItemName("Lname  |L|"), "name");
  EXPECT_EQ(LowerAscii("ABC表ソX"), "abc表ソx");
}

TEST(FilerText, HistoryMovesRepeatsAndDropsTheOldest) {
  char block[16] = {};
  RecordHistory(block, sizeof block, "C:\\A");
  RecordHistory(block, sizeof block, "D:\\");
  RecordHistory(block, sizeof block, "C:\\A");
  EXPECT_EQ(ListEntries(block, sizeof block), (Strings{"D:\\", "C:\\A"}));
  RecordHistory(block, sizeof block, "E:\\LONGER");  // 10 + 4 + 5 + 1 > 16: "D:\" goes
  EXPECT_EQ(ListEntries(block, sizeof block), (Strings{"C:\\A", "E:\\LONGER"}));
  RecordHistory(block, sizeof block, std::string(15, 'x'));  // cannot fit at all: ignored
  EXPECT_EQ(ListEntries(block, sizeof block), (Strings{"C:\\A", "E:\\LONGER"}));
  RecordHistory(block, sizeof block, std::string(14, 'y'));  // fills the block alone
  EXPECT_EQ(ListEntries(block, sizeof block), (Strings{std::string(14, 'y')}));
  EXPECT_EQ(block[15], '\0');
}

TEST(FilerText, MaskMenuTexts) {
  EXPECT_EQ(MaskMenuText("ITXT;MAN;DOC"), "TXT;MAN;DOCのみ");
  EXPECT_EQ(MaskMenuText("ETXT"), "TXT以外");
}

TEST(FilerText, InitialSearchWrapsAndSkipsTheCurrentItem) {
  Strings names = {"C:\\", "apple", "Banana", "avocado", "cherry"};
  EXPECT_EQ(FindItemByInitial(names, 1, 'A'), 3);
  EXPECT_EQ(FindItemByInitial(names, 3, 'A'), 1);  // wraps round
  EXPECT_EQ(FindItemByInitial(names, 2, 'B'), -1);  // only the current item
  EXPECT_EQ(FindItemByInitial(names, 0, 'Z'), -1);
  EXPECT_EQ(FindItemByInitial(names, -1, 'C'), 0);
  EXPECT_EQ(FindItemByInitial(names, 0, 'C'), 4);
}

TEST(FilerText, DriveWrap) {
  std::vector<int> drives = {0, 2, 3, 25};
  EXPECT_EQ(NextDrive(drives, 25, 1), 0);
  EXPECT_EQ(NextDrive(drives, 0, -1), 25);
  EXPECT_EQ(NextDrive(drives, 2, 1), 3);
  EXPECT_EQ(NextDrive(drives, 7, 1), 0);  // not in the list: the first
  EXPECT_EQ(NextDrive({}, 2, 1), -1);
}

TEST(FilerText, ColumnPositionsAddTheShownColumns) {
  ColumnWidths widths{100, 50, 10, 4, 70, 60};
  ColumnLayout none = ColumnPositions(widths, 0);
  EXPECT_EQ(none.positions, (std::vector<int>{0, 80}));
  EXPECT_EQ(none.total, 80 + 30 + 4);
  ColumnLayout all = ColumnPositions(widths, 0xF);
  EXPECT_EQ(all.positions, (std::vector<int>{0, 80, 194, 264, 324, 384}));
  EXPECT_EQ(all.total, 384);
  widths.widestName = 200;
  widths.widestExtension = 40;
  EXPECT_EQ(ColumnPositions(widths, kColumnTime).positions, (std::vector<int>{0, 200, 304}));
}

}  // namespace
