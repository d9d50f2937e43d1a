// The viewer's document host over real windows (under Wine): opening another document closes
// the line lists of the one before.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/frame/shell_windows_test_support_win.h"
#include "viewer/frame/viewer_globals_win.h"
#include "viewer/search_windows/line_list_win.h"
#include "viewer/shell/document_host_win.h"

namespace {

class DocumentHostTest : public ShellWindowsTest {
 protected:
  static void SetUpTestSuite() {
    RegisterTestClass("ZelkoTest!HostMain", DefWindowProcA);
    RegisterTestClass(kLineListWindowClass, LineListWindowProc);
  }
  void SetUp() override {
    ShellWindowsTest::SetUp();
    Instance = GetModuleHandleA(nullptr);
    main_ = MakeWindow("ZelkoTest!HostMain", "viewer", 40, 40, 300, 200);
    MainWindow = main_.get();
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    path_ = std::string(directory) + "document_host_rows.txt";
    FILE* file = std::fopen(path_.c_str(), "wb");
    for (int i = 0; i < 5; ++i) std::fprintf(file, "row %d\r\n", i + 1);
    std::fclose(file);
  }
  void TearDown() override {
    SetDocumentHost(nullptr);
    CloseLineListWindows();
    CloseSources();
    ResetDocument(nullptr);
    MainWindow = nullptr;
    main_.Reset();
    DeleteFileA(path_.c_str());
    ShellWindowsTest::TearDown();
  }

  OwnedWindow main_;
  std::string path_;
};

TEST_F(DocumentHostTest, OpeningAnotherDocumentClosesTheLists) {
  ASSERT_EQ(OpenDocument(path_.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  LoadAll();
  HWND window = OpenLineListWindow("一括検索 『 a 』", "FindWndPos");
  ASSERT_NE(window, nullptr);
  MakeLayered(window);
  InstallWin32DocumentHost();
  ASSERT_EQ(OpenDocument(path_.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  LoadAll();
  SetDocumentHost(nullptr);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
