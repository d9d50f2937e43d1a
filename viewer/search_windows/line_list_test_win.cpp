// The line-list window over real windows (under Wine): its list box fills the client area
// with the border outside, items are document rows drawn as rows, and closing the windows of
// the process saves each one's placement under its name.  The settings live in memory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/search_windows/line_list_win.h"
#include "viewer/frame/link_windows_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/frame/shell_windows_test_support_win.h"
#include "viewer/frame/viewer_globals_win.h"
#include "viewer/settings/window_placement.h"

namespace {

class LineListTest : public ShellWindowsTest {
 protected:
  static void SetUpTestSuite() {
    RegisterTestClass("ZelkoTest!Main", DefWindowProcA);
    WNDCLASSA list{};
    list.lpfnWndProc = LineListWindowProc;
    list.hInstance = GetModuleHandleA(nullptr);
    list.hCursor = LoadCursor(nullptr, IDC_ARROW);
    list.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    list.lpszClassName = kLineListWindowClass;
    RegisterClassA(&list);
  }
  void SetUp() override {
    ShellWindowsTest::SetUp();
    ResetLinkTree(TheLinkTree);
    WindowLinking = 0;
    UnownedSubWindows = 0;
    Instance = GetModuleHandleA(nullptr);
    main_ = MakeWindow("ZelkoTest!Main", "viewer", 40, 40, 300, 200);
    MainWindow = main_.get();
    OpenRows(40);
  }
  void TearDown() override {
    CloseLineListWindows();
    CloseSources();
    ResetDocument(nullptr);
    MainWindow = nullptr;
    main_.Reset();
    DeleteFileA(path_.c_str());
    ShellWindowsTest::TearDown();
  }

  void OpenRows(int rows) {
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    path_ = std::string(directory) + "line_list_rows.txt";
    FILE* file = std::fopen(path_.c_str(), "wb");
    for (int i = 0; i < rows; ++i) std::fprintf(file, "row %d\tend\r\n", i + 1);
    std::fclose(file);
    EXPECT_EQ(OpenDocument(path_.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
    LoadAll();
    TheDocument.RowHeight = 14;
  }

  std::vector<HWND> OwnLists() {
    std::vector<HWND> lists;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kLineListWindowClass, nullptr)) != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process == GetCurrentProcessId()) lists.push_back(window);
    }
    return lists;
  }

  OwnedWindow main_;
  std::string path_;
};

TEST_F(LineListTest, ListBoxFillsTheClientAreaAndHoldsTheRows) {
  HWND window = OpenLineListWindow("一括検索 『 row 』", "FindWndPos");
  ASSERT_NE(window, nullptr);
  MakeLayered(window);
  EXPECT_EQ(WindowTitle(window), "一括検索 『 row 』");
  EXPECT_EQ(GetWindow(window, GW_OWNER), MainWindow);
  HWND list = GetDlgItem(window, kLineListBoxId);
  ASSERT_NE(list, nullptr);
  RECT client{}, box{};
  GetClientRect(window, &client);
  GetWindowRect(list, &box);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, -1);
  EXPECT_EQ(box.top, -1);
  EXPECT_EQ(box.right, client.right + 1);
  EXPECT_EQ(box.bottom, client.bottom + 1);
  // Resizing keeps it so.
  SetWindowPos(window, nullptr, 0, 0, 260, 180, SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(window, &client);
  GetWindowRect(list, &box);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.right, client.right + 1);
  EXPECT_EQ(box.bottom, client.bottom + 1);
  // Items are rows of the document at the rows' height; they carry no text of their own.
  const std::vector<int32_t> rows = {0, 3, 39};
  AddLineListRows(window, rows);
  AddLineListRows(window, std::vector<int32_t>{});
  EXPECT_EQ(LineListRowCount(window), 3);
  EXPECT_EQ(LineListRow(window, 1), 3);
  EXPECT_EQ(LineListRow(window, 2), 39);
  EXPECT_EQ(LineListRow(window, 3), -1);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 14);
  // Painting every item reads the rows without trouble, also rows the document lacks.
  AddLineListRows(window, std::vector<int32_t>{5000});
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(LineListRowCount(window), 4);
}

TEST_F(LineListTest, ClosingTheListsSavesEachPlacementUnderItsName) {
  HWND find = OpenLineListWindow("一括検索 『 a 』", "FindWndPos");
  HWND page = OpenLineListWindow("ページ", "PageWndPos");
  ASSERT_TRUE(find && page);
  MakeLayered(find);
  MakeLayered(page);
  SetWindowPos(find, nullptr, 31, 42, 220, 140, SWP_NOZORDER);
  SetWindowPos(page, nullptr, 55, 66, 230, 150, SWP_NOZORDER);
  EXPECT_EQ(OwnLists().size(), 2u);
  CloseLineListWindows();
  EXPECT_TRUE(OwnLists().empty());
  EXPECT_TRUE(IsWindow(MainWindow));  // only the lists go
  WindowPlacementValue saved{};
  SettingsKeyScope key;
  ASSERT_TRUE(ReadWindowPlacement("FindWndPos", saved));
  EXPECT_EQ(saved.left, 31);
  EXPECT_EQ(saved.top, 42);
  EXPECT_EQ(saved.width, 220);
  EXPECT_EQ(saved.height, 140);
  ASSERT_TRUE(ReadWindowPlacement("PageWndPos", saved));
  EXPECT_EQ(saved.left, 55);
  EXPECT_EQ(saved.width, 230);
  // A list opened again comes back where it was saved.
  HWND again = OpenLineListWindow("一括検索 『 b 』", "FindWndPos");
  ASSERT_NE(again, nullptr);
  MakeLayered(again);
  RECT r = WindowRect(again);
  EXPECT_EQ(r.left, 31);
  EXPECT_EQ(r.bottom, 42 + 140);
}

}  // namespace
