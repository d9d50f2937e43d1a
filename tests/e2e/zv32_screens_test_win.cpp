// End-to-end pictures of ZV32.EXE: a Shift-JIS text with line numbers, marks, tabs and control
// codes; the same file in binary mode; a long line wrapped into rows.  Each is saved as a PNG
// under the build folder and checked for the colours a user would see.
#include <gtest/gtest.h>

#include "tests/e2e/zv32_session_win.h"

using namespace e2e;

namespace {

class ViewerScreens : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

// Whether any pixel of the image has exactly this colour.
bool Shows(const Image& image, COLORREF colour) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.Pixel(x, y) == colour) return true;
  return false;
}

// Whether some row of the image has `length` pixels of this colour side by side.
bool HasRun(const Image& image, COLORREF colour, int length) {
  for (int y = 0; y < image.height; ++y) {
    int run = 0;
    for (int x = 0; x < image.width; ++x) {
      run = image.Pixel(x, y) == colour ? run + 1 : 0;
      if (run >= length) return true;
    }
  }
  return false;
}

constexpr COLORREF kLineNumberColour = RGB(0xD8, 0x0A, 0x8F);
constexpr COLORREF kControlCodeColour = RGB(0x28, 0xB0, 0x06);
constexpr COLORREF kMarkColour = RGB(0x35, 0x76, 0xC6);  // CR and TAB marks

std::string SampleText() {
  std::string text =
      "Zelko View 32 の表示見本です。\r\n"
      "\t字下げ(タブ)の行\tと途中のタブ\r\n"
      "制御コード: \x01 と \x1B[0m が ^A と ^[ に見えます\r\n"
      "全角英数字ＡＢＣ１２３と半角ｶﾀｶﾅ\r\n";
  text += NumberedLines(40);
  return text;
}

void Settle(const Viewer& viewer) {
  ShowAndSettle(viewer.main());
  Pause(300);
}

}  // namespace

TEST_F(ViewerScreens, TextWithLineNumbersMarksAndControlCodes) {
  std::string path = WriteTestFile("screens.txt", SampleText());
  Viewer viewer(path);
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(45)) << viewer.Position();
  viewer.Command(310);  // mark 1 on the top row
  EXPECT_TRUE(viewer.WaitMessage("マーク1にこの行(1)を記憶しました", 3000)) << viewer.Message();
  viewer.Press(VK_DOWN);
  ASSERT_TRUE(viewer.WaitTopRow(3));
  viewer.Command(311);  // mark 2 on row 3
  EXPECT_TRUE(viewer.WaitMessage("マーク2にこの行(3)を記憶しました", 3000)) << viewer.Message();
  viewer.Press(VK_HOME);
  ASSERT_TRUE(viewer.WaitTopRow(1));
  Settle(viewer);
  Image image = Capture(viewer.main());
  EXPECT_FALSE(SavePng(image, "zv32_text").empty());
  Image text = Capture(viewer.text(), true);
  EXPECT_TRUE(Shows(text, kLineNumberColour));
  EXPECT_TRUE(Shows(text, kControlCodeColour));
  EXPECT_TRUE(Shows(text, kMarkColour));

  // A selection from the middle of row 5 to the middle of row 7 shows inverted.
  RECT client;
  GetClientRect(viewer.text(), &client);
  int rowHeight = 16;  // close enough to land inside rows 5 and 7 of the default font
  viewer.Drag({client.right / 4, 4 * rowHeight + rowHeight / 2}, {client.right / 3, 6 * rowHeight + rowHeight / 2});
  Settle(viewer);
  EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_selection").empty());
  EXPECT_TRUE(HasRun(Capture(viewer.text(), true), RGB(0, 0, 0), 40));  // the inverted background
}

TEST_F(ViewerScreens, BinaryModeShowsSixteenBytesARow) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += char(i * 7);
  Viewer viewer(WriteTestFile("screens.bin", bytes));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(63)) << viewer.Position();  // detected as binary: 1000 / 16 rounded up
  Settle(viewer);
  EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_binary").empty());
  viewer.Command(400);  // the same bytes as text
  EXPECT_TRUE(WaitUntil([&] { return viewer.RowCount() != 63; }, 5000)) << viewer.Position();
  viewer.Command(401);
  EXPECT_TRUE(viewer.WaitRows(63)) << viewer.Position();
}

TEST_F(ViewerScreens, LongLineWrapsIntoRows) {
  std::string line;
  for (int i = 0; i < 25; ++i) line += "折り返しの見本 ";  // 16 columns each: 400 columns
  Viewer viewer(WriteTestFile("wrapped.txt", line + "\r\n次の行\r\n"));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(7)) << viewer.Position();  // 400 columns in five rows of 80, two more
  Settle(viewer);
  EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_wrapped").empty());
}
