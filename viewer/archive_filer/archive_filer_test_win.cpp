// The archive filer window in this process, over an archive written by the test: its lines and
// summary, menu item 104 following its existence, hiding on the system menu's close and
// showing again by command 104, the check-mark keys, and its end when another file opens.
#include "viewer/archive_filer/archive_filer_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "viewer/archive_filer/archive_list_box_win.h"
#include "viewer/archive/lzh_test_support.h"
#include "viewer/document/document.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/frame/shell_windows_test_support_win.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

std::string TempFile(const char* name, const std::string& bytes) {
  char directory[MAX_PATH];
  GetTempPathA(sizeof directory, directory);
  std::string path = std::string(directory) + name;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}

bool Grayed(HMENU menu) { return (GetMenuState(menu, IDM_ARCHIVE_FILER, MF_BYCOMMAND) & MF_GRAYED) != 0; }

class ArchiveFilerWindowTest : public ShellWindowsTest {
 protected:
  static void SetUpTestSuite() {
    RegisterTestClass("ArchiveFilerTestMain", DefWindowProcA);
    RegisterTestClass(kArchFilerWindowClass, ArchWindowProc);
  }
  void SetUp() override {
    ShellWindowsTest::SetUp();
    Instance = GetModuleHandleA(nullptr);
    main_ = MakeWindow("ArchiveFilerTestMain", "Zelko View 32", 0, 0, 300, 200);
    MainWindow = main_.get();
    MainMenu.Reset(CreatePopupMenu());
    AppendMenuA(MainMenu, MF_STRING | MF_GRAYED, IDM_ARCHIVE_FILER, "LZH / ZIP Filer(&L)...");
    archive_ = TempFile("zv_filer_test.lzh", std::string(2, '\0') + StoredMember("README.TXT", "read me\r\n") +
                                                 StoredMember("EMPTY", "") + StoredMember("DATA.BIN", "12345") +
                                                 std::string(1, '\0'));
    text_ = TempFile("zv_filer_test.txt", "plain\r\n");
  }
  void TearDown() override {
    CloseArchiveFiler();
    CloseSources();
    ResetDocument(nullptr);
    MainMenu.Reset();
    MainWindow = nullptr;
    main_.Reset();
    DeleteFileA(archive_.c_str());
    DeleteFileA(text_.c_str());
    ShellWindowsTest::TearDown();
  }
  HWND OpenFiler() {
    EXPECT_EQ(OpenDocument(archive_.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
    OpenArchiveFiler(0);
    HWND filer = FindOwnWindow(kArchFilerWindowClass);
    if (filer) MakeLayered(filer);
    return filer;
  }

  OwnedWindow main_;
  std::string archive_, text_;
};

TEST_F(ArchiveFilerWindowTest, ListsTheMembersAndEnablesMenu104WhileItExists) {
  EXPECT_TRUE(Grayed(MainMenu));
  HWND filer = OpenFiler();
  ASSERT_NE(filer, nullptr);
  HWND list = GetDlgItem(filer, IDC_ARCH_LIST);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(FileNameOfLine(list, 0), "README.TXT");
  EXPECT_EQ(FileNameOfLine(list, 1), "EMPTY");
  EXPECT_EQ(MemberOfLine(list, 2), 2);
  char summary[128] = "";
  GetDlgItemTextA(filer, IDC_ARCH_SUMMARY, summary, sizeof summary);
  EXPECT_STREQ(summary, "  3ﾌｧｲﾙ : 総圧縮率 100% ( 14/ 14 )");
  EXPECT_FALSE(Grayed(MainMenu));
  win::Menu popup(CreatePopupMenu());
  AppendMenuA(popup, MF_STRING | MF_GRAYED, IDM_ARCHIVE_FILER, "item");
  UpdateArchiveFilerMenuItem(popup);
  EXPECT_FALSE(Grayed(popup));

  // Opening another file closes it, and the item turns gray.
  EXPECT_EQ(OpenDocument(text_.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  CloseArchiveFiler();  // what the document host does for CloseDocumentWindows
  EXPECT_EQ(FindOwnWindow(kArchFilerWindowClass), nullptr);
  EXPECT_TRUE(Grayed(MainMenu));
  UpdateArchiveFilerMenuItem(popup);
  EXPECT_TRUE(Grayed(popup));
}

TEST_F(ArchiveFilerWindowTest, CloseHidesAndCommand104ShowsAgain) {
  HWND filer = OpenFiler();
  ASSERT_NE(filer, nullptr);
  SendMessageA(filer, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(filer));
  EXPECT_FALSE(IsWindowVisible(filer));
  ArchiveFilerCommand(MainWindow);
  EXPECT_TRUE(IsWindowVisible(filer));
}

TEST_F(ArchiveFilerWindowTest, KeysToggleCheckMarks) {
  HWND filer = OpenFiler();
  ASSERT_NE(filer, nullptr);
  HWND list = GetDlgItem(filer, IDC_ARCH_LIST);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  EXPECT_EQ(SendMessageA(filer, WM_VKEYTOITEM, MAKEWPARAM(VK_SPACE, 0), LPARAM(list)), -2);
  EXPECT_TRUE(IsLineChecked(list, 0));
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(filer, WM_VKEYTOITEM, MAKEWPARAM('A', 0), LPARAM(list)), -2);
  EXPECT_FALSE(IsLineChecked(list, 0));
  EXPECT_TRUE(IsLineChecked(list, 1));
  EXPECT_EQ(CheckedLines(list), (std::vector<int>{1, 2}));
  EXPECT_EQ(SendMessageA(filer, WM_VKEYTOITEM, MAKEWPARAM('Z', 0), LPARAM(list)), -1);
}

}  // namespace
