// End-to-end: following a growing log in ZV32.EXE.  A writer appends a line every 100 ms; with
// "ファイル追従" on, each new last row is shown within a second and the position text follows;
// scrolled up, the view stays where it is while the rows grow; back at the end it follows
// again; a rotated log is loaded afresh with a message and its end shown, a truncated one too;
// turned off, nothing more is read.  The
// status bar says "追従中" while following.  A screenshot is saved.  (The menu item's check and
// grey are tested in process: Wine's menus cannot be read from another process.)
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/e2e/zv32_session_win.h"
#include "platform/win/owners.h"
#include "viewer/resources/zv32_ids.h"

using namespace e2e;

namespace {

constexpr int kFirstLines = 100;

class Follow : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

// Appends as a logger does: opened for appending, shared with readers, closed after each line.
void AppendLine(const std::string& path, int number) {
  win::Handle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  char line[96];
  int length = std::snprintf(line, sizeof line, "%d 行目: 追記されたログです。\r\n", number);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, line, DWORD(length), &written, nullptr));
}

// Cuts the file to nothing where it is, as a rotation by copying and truncating does.
void Truncate(const std::string& path) {
  win::Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
}

bool StatusSaysFollowing(const Viewer& viewer) {
  HWND item = GetDlgItem(viewer.main(), IDC_FOLLOW_TEXT);
  return item && IsWindowVisible(item) && Text(item) == "追従中";
}

TEST_F(Follow, NewRowsAppearAndTheViewKeepsToTheEndUntilScrolledUpOrTurnedOff) {
  const std::string path = WriteTestFile("growing.log", NumberedLines(kFirstLines));
  Viewer viewer(path);
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(kFirstLines + 1)) << viewer.Position();
  EXPECT_FALSE(StatusSaysFollowing(viewer));

  viewer.Command(IDM_FOLLOW);
  ASSERT_TRUE(WaitUntil([&] { return StatusSaysFollowing(viewer); }, 3000));
  ASSERT_TRUE(WaitUntil([&] { return viewer.TopRow() > 1; }, 3000)) << "turned on, the view goes to the end";

  // Every 100 ms a line; each is shown within a second, and the top row moves along.
  int lines = kFirstLines;
  int top = viewer.TopRow();
  for (int i = 0; i < 10; ++i) {
    AppendLine(path, ++lines);
    DWORD start = GetTickCount();
    EXPECT_TRUE(viewer.WaitRows(lines + 1, 1000)) << "line " << lines << ": " << viewer.Position();
    EXPECT_GT(viewer.TopRow(), top) << "line " << lines << ": " << viewer.Position();
    top = viewer.TopRow();
    DWORD spent = GetTickCount() - start;
    if (spent < 100) Pause(100 - spent);
  }
  EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_follow").empty());

  // Scrolled to the top, the rows grow and the view stays.
  viewer.Command(IDM_TOP);
  ASSERT_TRUE(viewer.WaitTopRow(1));
  for (int i = 0; i < 3; ++i) {
    AppendLine(path, ++lines);
    EXPECT_TRUE(viewer.WaitRows(lines + 1, 1500)) << viewer.Position();
  }
  EXPECT_EQ(viewer.TopRow(), 1) << viewer.Position();

  // Back at the end, it follows again.
  viewer.Command(IDM_BOTTOM);
  ASSERT_TRUE(WaitUntil([&] { return viewer.TopRow() > 1; }, 3000));
  top = viewer.TopRow();
  AppendLine(path, ++lines);
  EXPECT_TRUE(viewer.WaitRows(lines + 1, 1500)) << viewer.Position();
  EXPECT_GT(viewer.TopRow(), top) << viewer.Position();

  // Rotated: renamed away and a new log begun under the name, longer than a page.  The view
  // showed the end, so it shows the new log's end, and goes on following it.
  const std::string rotated = path + ".1";
  DeleteFileA(rotated.c_str());
  ASSERT_TRUE(MoveFileA(path.c_str(), rotated.c_str()));
  Pause(300);
  for (int i = 1; i <= kFirstLines; ++i) AppendLine(path, i);
  EXPECT_TRUE(viewer.WaitMessage("ファイルが置き換えられました。先頭から読み込み直します", 3000)) << viewer.Message();
  EXPECT_TRUE(viewer.WaitRows(kFirstLines + 1, 3000)) << viewer.Position();
  EXPECT_TRUE(StatusSaysFollowing(viewer));
  EXPECT_TRUE(WaitUntil([&] { return viewer.TopRow() > 1; }, 1000)) << "the new log's end: " << viewer.Position();
  top = viewer.TopRow();
  AppendLine(path, kFirstLines + 1);
  EXPECT_TRUE(viewer.WaitRows(kFirstLines + 2, 1500)) << viewer.Position();
  EXPECT_GT(viewer.TopRow(), top) << viewer.Position();

  // Cut short where it is and written again (a rotation by copying and truncating): loaded afresh.
  Truncate(path);
  for (int i = 1; i <= 5; ++i) AppendLine(path, i);
  EXPECT_TRUE(viewer.WaitRows(6, 3000)) << viewer.Position();
  EXPECT_TRUE(StatusSaysFollowing(viewer));
  AppendLine(path, 6);
  EXPECT_TRUE(viewer.WaitRows(7, 1500)) << viewer.Position();

  // Turned off: the meter is back, and appended lines are not read.
  viewer.Command(IDM_FOLLOW);
  ASSERT_TRUE(WaitUntil([&] { return !StatusSaysFollowing(viewer); }, 3000));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(viewer.main(), kLoadMeterItem)));
  AppendLine(path, 7);
  Pause(2000);
  EXPECT_EQ(viewer.RowCount(), 7) << viewer.Position();
  DeleteFileA(rotated.c_str());
}

TEST_F(Follow, ANonFileDocumentCannotBeFollowed) {
  Viewer viewer;  // nothing shown
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_FOLLOW);
  EXPECT_TRUE(viewer.WaitMessage("このファイルは追従できません", 3000)) << viewer.Message();
  EXPECT_FALSE(StatusSaysFollowing(viewer));
}

}  // namespace
