// The clipboard copies over the real clipboard (under Wine): appending to text or to nothing,
// the quote prefix from "ClipStr" (and its default when the value is too long), the copies
// that clear the selection and the one that keeps it, the screen and the whole text.
#include "viewer/shell/clipboard_commands_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "viewer/document/document.h"
#include "viewer/shell/clipboard_test_support_win.h"
#include "viewer/settings/settings_key.h"
#include "viewer/frame/shell_windows_test_support_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kOwnerClass[] = "ZelkoTest!ClipboardOwner";

class ClipboardCommands : public ShellWindowsTest {
 protected:
  static void SetUpTestSuite() { RegisterTestClass(kOwnerClass, DefWindowProcA); }
  void SetUp() override {
    ShellWindowsTest::SetUp();
    owner_ = MakeWindow(kOwnerClass, "owner", 0, 0, 100, 100, false);
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    path_ = std::string(directory) + "clipboard_commands.txt";
    Show("one\r\ntwo\r\nthree\r\n");
    PageRowCount = 2;
    ASSERT_TRUE(EmptyClipboardNow());
  }
  void TearDown() override {
    for (int32_t& edge : TheDocument.Selection) edge = -1;
    CloseSources();
    ResetDocument(nullptr);
    DeleteFileA(path_.c_str());
    owner_.Reset();
    ShellWindowsTest::TearDown();
  }
  void Show(const char* bytes) {
    CloseSources();
    FILE* file = std::fopen(path_.c_str(), "wb");
    std::fputs(bytes, file);
    std::fclose(file);
    EXPECT_EQ(OpenDocument(path_.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
    LoadAll();
  }
  void Select(int32_t anchorRow, int32_t endRow, int32_t anchorColumn, int32_t endColumn) {
    const int32_t selection[4] = {anchorRow, endRow, anchorColumn, endColumn};
    std::copy(selection, selection + 4, TheDocument.Selection);
  }
  HWND owner() const { return owner_.get(); }

  OwnedWindow owner_;
  std::string path_;
};

TEST_F(ClipboardCommands, AppendingToNothingOrToText) {
  ClipboardPut(owner(), "first", true);  // no text yet: like an ordinary copy
  EXPECT_EQ(ClipboardTextNow(), "first");
  ClipboardPut(owner(), " second", true);
  EXPECT_EQ(ClipboardTextNow(), "first second");
  ClipboardPut(owner(), "alone", false);
  EXPECT_EQ(ClipboardTextNow(), "alone");
}

TEST_F(ClipboardCommands, CopiesOfRowsScreenAndSelection) {
  TheDocument.TopLine = 1;
  ASSERT_TRUE(CopyCommand(owner(), 110));
  EXPECT_EQ(ClipboardTextNow(), "two\r\n");
  CopyCommand(owner(), 111);
  EXPECT_EQ(ClipboardTextNow(), "two\r\nthree\r\n");
  CopyCommand(owner(), 115);
  EXPECT_EQ(ClipboardTextNow(), "one\r\ntwo\r\nthree\r\n");
  Select(0, 0, 1, 3);
  CopyCommand(owner(), 114);  // appended; the selection stays
  EXPECT_EQ(ClipboardTextNow(), "one\r\ntwo\r\nthree\r\nne");
  EXPECT_EQ(TheDocument.Selection[0], 0);
  CopyCommand(owner(), 112);  // copied and cleared
  EXPECT_EQ(ClipboardTextNow(), "ne");
  EXPECT_EQ(TheDocument.Selection[0], -1);
  EXPECT_FALSE(CopyCommand(owner(), 116));
}

TEST_F(ClipboardCommands, CopiesOfAnLfFileHoldCrLfLineEnds) {
  Show("one\ntwo\nthree\n");
  TheDocument.TopLine = 1;
  CopyCommand(owner(), 110);
  EXPECT_EQ(ClipboardTextNow(), "two\r\n");
  CopyCommand(owner(), 111);
  EXPECT_EQ(ClipboardTextNow(), "two\r\nthree\r\n");
  Select(0, 1, -1, -1);
  CopyCommand(owner(), 112);
  EXPECT_EQ(ClipboardTextNow(), "one\r\ntwo\r\n");
  Select(0, 1, 1, 2);
  CopyCommand(owner(), 114);  // appended: the text already there keeps its CR LF
  EXPECT_EQ(ClipboardTextNow(), "one\r\ntwo\r\nne\r\ntw");
  Select(1, 0, -1, -1);
  CopyCommand(owner(), 113);
  EXPECT_EQ(ClipboardTextNow(), "》one\r\n》two\r\n");
  CopyCommand(owner(), 115);
  EXPECT_EQ(ClipboardTextNow(), "one\r\ntwo\r\nthree\r\n");
  // A file with CR LF already, and one with mixed ends: no CR is doubled.
  Show("a\r\nb\nc\rd");
  CopyCommand(owner(), 115);
  EXPECT_EQ(ClipboardTextNow(), "a\r\nb\r\nc\r\nd");
}

TEST_F(ClipboardCommands, QuotedCopyTakesItsPrefixFromClipStr) {
  Select(1, 0, -1, -1);
  CopyCommand(owner(), 113);
  EXPECT_EQ(ClipboardTextNow(), "》one\r\n》two\r\n");
  EXPECT_EQ(TheDocument.Selection[0], -1);
  {
    SettingsKeyScope key;
    ASSERT_TRUE(WriteStringSetting("ClipStr", "> "));
  }
  Select(2, 2, 0, 3);
  CopyCommand(owner(), 113);
  EXPECT_EQ(ClipboardTextNow(), "> thr");
  {
    SettingsKeyScope key;
    ASSERT_TRUE(WriteStringSetting("ClipStr", std::string(80, '#').c_str()));  // longer than 79 bytes
  }
  Select(2, 2, 0, 3);
  CopyCommand(owner(), 113);
  EXPECT_EQ(ClipboardTextNow(), "》thr");
}

}  // namespace
