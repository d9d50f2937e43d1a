// The Win32 layer over real windows (run under Wine): linked windows following each other,
// sub-windows opening at their saved placements, arranging and activating viewer windows,
// and finding this process's own windows among those of another process.
#include <windows.h>

#include "platform/win/owners.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "viewer/shell/instance_arrangement_win.h"
#include "viewer/frame/link_windows_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/shell_windows_test_support_win.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"
#include "viewer/settings/window_placement.h"

namespace {

constexpr char kLinkedClass[] = "ZelkoTest!Linked";
constexpr char kHelperClass[] = "ZelkoTest!Helper";
constexpr char kHelperVariable[] = "ZV_SHELL_TEST_HELPER";
constexpr char kHelperQuitEvent[] = "ZelkoTestHelperQuit";
constexpr DWORD kTestWindowStyle = WS_POPUP | WS_VISIBLE;

// The window rectangle a maximized window had before the tree laid the group out in it.
RECT MaximizedRect{};

LRESULT CALLBACK LinkedTestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) MakeLayered(window);
  if (message == WM_WINDOWPOSCHANGED) {
    if (IsZoomed(window) && !TheLinkTree.Busy) GetWindowRect(window, &MaximizedRect);
    OnLinkedWindowPosChanged(window, reinterpret_cast<const WINDOWPOS*>(lParam));
  }
  if (message == WM_DESTROY) UnlinkWindow(window);
  return DefWindowProcA(window, message, wParam, lParam);
}

// In the helper process started by the FindOwnWindow test: a window of the helper class until
// the test sets the quit event.
struct HelperProcessMode {
  HelperProcessMode() {
    if (!std::getenv(kHelperVariable)) return;
    RegisterTestClass(kHelperClass, DefWindowProcA);
    HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, kHelperQuitEvent);
    OwnedWindow window = MakeWindow(kHelperClass, "helper", 0, 0, 100, 100);
    while (quit && MsgWaitForMultipleObjects(1, &quit, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) PumpMessages();
    ExitProcess(0);
  }
} helperProcessMode;

class WindowsTest : public ShellWindowsTest {
 protected:
  static void SetUpTestSuite() {
    RegisterTestClass(kLinkedClass, LinkedTestProc);
    RegisterViewerTestClass();
  }
  void SetUp() override {
    ShellWindowsTest::SetUp();
    ResetLinkTree(TheLinkTree);
    WindowLinking = 1;
    UnownedSubWindows = 0;
    Instance = GetModuleHandleA(nullptr);
  }
  void TearDown() override {
    MainWindow = nullptr;
    ShellWindowsTest::TearDown();
  }

  // The main window as start-up creates it: linked on the viewer's path, the group's
  // rectangle taken from it once it is shown.
  OwnedWindow OpenViewer(int x, int y, int width, int height) {
    OwnedWindow viewer(CreateLinkedWindow(kLinkedClass, "viewer", kTestWindowStyle, x, y, width,
                                          height, nullptr, nullptr, Instance, nullptr, WindowLink[kViewerLinkPath]));
    InitLinkRootFromMainWindow(viewer.get());
    MainWindow = viewer.get();
    return viewer;
  }
  OwnedWindow OpenFiler() {
    return OwnedWindow(OpenSubWindow(kLinkedClass, "filer", kTestWindowStyle, MainWindow, nullptr,
                                     nullptr, "FilerWndPos", kFilerLinkPath));
  }
  void SavePlacement(const char* name, WindowPlacementValue placement) {
    uint8_t bytes[kPlacementValueSize];
    EncodeWindowPlacement(placement, bytes);
    store.Put(name, kSettingBinary, {bytes, bytes + kPlacementValueSize});
  }
};

// Windows keep a minimum width, so the sizes here leave every window wider than that.
TEST_F(WindowsTest, LinkedFilerSharesTheViewersPlaceAndFollowsIt) {
  OwnedWindow viewer = OpenViewer(100, 100, 600, 300);
  SavePlacement("FilerWndPos", {0, 0, 300, 200, kShowNormal});
  OwnedWindow filer = OpenFiler();
  ASSERT_TRUE(filer);
  RECT v = WindowRect(viewer.get()), f = WindowRect(filer.get());
  // Side by side in the viewer's former rectangle: the filer keeps its saved width, the viewer
  // the rest.
  EXPECT_EQ(v.left, 100);
  EXPECT_EQ(v.right, 400);
  EXPECT_EQ(f.left, 400);
  EXPECT_EQ(f.right, 700);
  EXPECT_EQ(f.top, 100);
  EXPECT_EQ(f.bottom, 400);
  EXPECT_GT(f.right - f.left, 0);

  // Widening the viewer by 30 narrows the filer by 30.
  SetWindowPos(viewer.get(), nullptr, 0, 0, v.right - v.left + 30, v.bottom - v.top, SWP_NOMOVE | SWP_NOZORDER);
  RECT v2 = WindowRect(viewer.get()), f2 = WindowRect(filer.get());
  EXPECT_EQ(v2.right, v.right + 30);
  EXPECT_EQ(f2.left, f.left + 30);
  EXPECT_EQ(f2.right, f.right);

  // Moving the viewer carries the filer along.
  SetWindowPos(viewer.get(), nullptr, v2.left + 20, v2.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT f3 = WindowRect(filer.get());
  EXPECT_EQ(f3.left, f2.left + 20);
  EXPECT_EQ(f3.top, f2.top + 10);
  EXPECT_EQ(f3.right - f3.left, f2.right - f2.left);

  // Closing the filer gives its width back to the viewer.
  filer.Reset();
  RECT v4 = WindowRect(viewer.get());
  EXPECT_EQ(v4.left, v2.left + 20);
  EXPECT_EQ(v4.right, f3.right);
}

TEST_F(WindowsTest, MaximizedViewerTakesTheGroupIntoItsRectangle) {
  OwnedWindow viewer = OpenViewer(100, 100, 600, 300);
  SavePlacement("FilerWndPos", {0, 0, 300, 200, kShowNormal});
  OwnedWindow filer = OpenFiler();
  ShowWindow(viewer.get(), SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(viewer.get()));
  RECT v = WindowRect(viewer.get()), f = WindowRect(filer.get());
  EXPECT_EQ(v.left, MaximizedRect.left);
  EXPECT_EQ(v.right, f.left);
  EXPECT_EQ(f.right, MaximizedRect.right);
  EXPECT_EQ(f.top, MaximizedRect.top);
  EXPECT_EQ(f.bottom, MaximizedRect.bottom);
}

TEST_F(WindowsTest, SubWindowOpensAtItsSavedPlacement) {
  WindowLinking = 0;
  OwnedWindow viewer = OpenViewer(120, 130, 400, 300);

  // Nothing saved: right of the viewer, where there is room, and as tall as it.
  OwnedWindow first = OpenFiler();
  EXPECT_EQ(WindowRect(first.get()).left, 120 + 400);
  EXPECT_EQ(WindowRect(first.get()).top, 130);
  EXPECT_EQ(WindowRect(first.get()).right, 120 + 400 + 320);
  EXPECT_EQ(WindowRect(first.get()).bottom, 130 + 300);
  first.Reset();

  // Saved minimized: opens in normal state where it was.
  SavePlacement("FilerWndPos", {50, 60, 200, 120, kShowMinimized});
  OwnedWindow second = OpenFiler();
  EXPECT_FALSE(IsIconic(second.get()));
  EXPECT_TRUE(IsWindowVisible(second.get()));
  EXPECT_EQ(WindowRect(second.get()).left, 50);
  EXPECT_EQ(WindowRect(second.get()).bottom, 180);
  second.Reset();

  // Off the screen to the left and below: back to 0.
  SavePlacement("FilerWndPos", {-500, 100000, 200, 120, kShowNormal});
  OwnedWindow third = OpenFiler();
  EXPECT_EQ(WindowRect(third.get()).left, 0);
  EXPECT_EQ(WindowRect(third.get()).top, 0);

  // Saving writes where it is now and its state.
  SetWindowPos(third.get(), nullptr, 33, 44, 210, 130, SWP_NOZORDER);
  SaveSubWindowPlacement(third.get(), "FilerWndPos");
  WindowPlacementValue saved;
  {
    SettingsKeyScope key;
    ASSERT_TRUE(ReadWindowPlacement("FilerWndPos", saved));
  }
  EXPECT_EQ(saved.left, 33);
  EXPECT_EQ(saved.top, 44);
  EXPECT_EQ(saved.width, 210);
  EXPECT_EQ(saved.height, 130);
  EXPECT_EQ(saved.showState, kShowNormal);
}

TEST_F(WindowsTest, UnownedSubWindowsHaveNoOwner) {
  WindowLinking = 0;
  OwnedWindow viewer = OpenViewer(100, 100, 300, 200);
  OwnedWindow owned = OpenFiler();
  EXPECT_EQ(GetWindow(owned.get(), GW_OWNER), viewer.get());
  owned.Reset();
  UnownedSubWindows = 1;
  OwnedWindow unowned = OpenFiler();
  EXPECT_EQ(GetWindow(unowned.get(), GW_OWNER), nullptr);
}

// Arrangement of the viewer windows of every process.
class ArrangeTest : public WindowsTest {
 protected:
  void Open(int count) {
    for (int i = 0; i < count; ++i) viewers.push_back(MakeWindow(kMainWindowClass, "Zelko View 32 - x", 200 + 7 * i, 200, 300 + i, 200 + i));
  }
  void TearDown() override {
    viewers.clear();
    ReportedMaxPosition = {10, 20};
    ReportedMaxSize = {800, 600};
    WindowsTest::TearDown();
  }
  std::vector<OwnedWindow> viewers;
};

TEST_F(ArrangeTest, TilingFourUsesTwoByTwoFromTheTopOfTheZOrder) {
  Open(4);
  OwnedWindow hidden = MakeWindow(kMainWindowClass, "Zelko View 32 - hidden", 5, 5, 99, 99, false);
  std::vector<HWND> order = ViewerWindows(false);
  ASSERT_EQ(order.size(), 4u);
  ArrangeViewers(viewers[0].get(), 501);
  const RECT expected[4] = {{10, 20, 410, 320}, {410, 20, 810, 320}, {10, 320, 410, 620}, {410, 320, 810, 620}};
  for (int i = 0; i < 4; ++i) {
    RECT r = WindowRect(order[i]);
    EXPECT_TRUE(EqualRect(&r, &expected[i])) << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  EXPECT_EQ(WindowRect(hidden.get()).right, 5 + 99);  // hidden windows take no part
}

TEST_F(ArrangeTest, TilingFiveUsesThreeByTwoOfTheScreenWhenNoSizeIsReported) {
  ReportedMaxPosition = {0, 0};
  ReportedMaxSize = {0, 0};
  Open(5);
  std::vector<HWND> order = ViewerWindows(false);
  ArrangeViewers(viewers[0].get(), 501);
  const int w = GetSystemMetrics(SM_CXSCREEN) / 3, h = GetSystemMetrics(SM_CYSCREEN) / 2;
  for (int i = 0; i < 5; ++i) {
    RECT r = WindowRect(order[i]);
    EXPECT_EQ(r.left, (i % 3) * w) << i;
    EXPECT_EQ(r.top, (i / 3) * h) << i;
    EXPECT_EQ(r.right - r.left, w) << i;
    EXPECT_EQ(r.bottom - r.top, h) << i;
  }
}

TEST_F(ArrangeTest, CascadeStartsAtTheBottomAndKeepsSizes) {
  Open(4);
  std::vector<HWND> bottomUp = ViewerWindows(true);
  std::vector<RECT> before;
  for (HWND w : bottomUp) before.push_back(WindowRect(w));
  ArrangeViewers(viewers[0].get(), 500);
  const int d = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + 1;
  for (int i = 0; i < 4; ++i) {
    RECT r = WindowRect(bottomUp[i]);
    EXPECT_EQ(r.left, 10 + i * d) << i;
    EXPECT_EQ(r.top, 20 + i * d) << i;
    EXPECT_EQ(r.right - r.left, before[i].right - before[i].left) << i;
    EXPECT_EQ(r.bottom - r.top, before[i].bottom - before[i].top) << i;
  }
}

TEST_F(ArrangeTest, NextPreviousAndTheWindowListActivate) {
  Open(3);
  std::vector<HWND> order = ViewerWindows(false);
  SetForegroundWindow(order[0]);
  ArrangeViewers(order[0], 510);  // the top one goes to the bottom, the second comes up
  EXPECT_EQ(GetForegroundWindow(), order[1]);
  EXPECT_EQ(ViewerWindows(true).front(), order[0]);

  ArrangeViewers(order[1], 511);  // the bottom one comes up
  EXPECT_EQ(GetForegroundWindow(), order[0]);

  std::vector<HWND> now = ViewerWindows(false);
  ActivateViewer(3);
  EXPECT_EQ(GetForegroundWindow(), now[2]);
  ActivateViewer(4);  // no such window: nothing changes
  EXPECT_EQ(GetForegroundWindow(), now[2]);
}

TEST_F(ArrangeTest, NextWithOneViewerKeepsItActive) {
  Open(1);
  SetForegroundWindow(viewers[0].get());
  ArrangeViewers(viewers[0].get(), 510);
  EXPECT_EQ(GetForegroundWindow(), viewers[0].get());
}

// A helper process of this executable shows a window of the same class.
class OtherProcess {
 public:
  OtherProcess() {
    quit_.Reset(CreateEventA(nullptr, TRUE, FALSE, kHelperQuitEvent));
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    SetEnvironmentVariableA(kHelperVariable, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    char commandLine[MAX_PATH + 4];
    wsprintfA(commandLine, "\"%s\"", path);
    started_ = CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
    SetEnvironmentVariableA(kHelperVariable, nullptr);
  }
  ~OtherProcess() {
    SetEvent(quit_);
    if (started_) {
      WaitForSingleObject(process_.hProcess, 20000);
      win::Handle process(process_.hProcess), thread(process_.hThread);
    }
  }
  // Waits until the helper's window exists.
  HWND Window() {
    for (int i = 0; started_ && i < 300; ++i) {
      if (HWND w = FindWindowA(kHelperClass, "helper")) return w;
      Sleep(50);
    }
    return nullptr;
  }

 private:
  win::Handle quit_;
  BOOL started_ = FALSE;
  PROCESS_INFORMATION process_{};
};

TEST_F(WindowsTest, FindOwnWindowSkipsOtherProcesses) {
  RegisterTestClass(kHelperClass, DefWindowProcA);
  OwnedWindow own = MakeWindow(kHelperClass, "own", 0, 0, 100, 100);
  OtherProcess other;
  HWND foreign = other.Window();
  ASSERT_NE(foreign, nullptr);
  SetWindowPos(foreign, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(FindOwnWindow(kHelperClass), own.get());
  EXPECT_EQ(FindOwnWindow("ZELKOTEST!HELPER"), own.get());  // case does not matter
  own.Reset();
  EXPECT_EQ(FindOwnWindow(kHelperClass), nullptr);
}

TEST(TopLevelWindows, ClassNamesCompareTheirFirst28Characters) {
  constexpr char kLongClass[] = "ZelkoTest!A-very-long-class-name-one";
  RegisterTestClass(kLongClass, DefWindowProcA);
  OwnedWindow window = MakeWindow(kLongClass, "long", 0, 0, 50, 50);
  EXPECT_TRUE(HasWindowClass(window.get(), "ZelkoTest!A-very-long-class-name-two"));  // differs after 28
  EXPECT_FALSE(HasWindowClass(window.get(), "ZelkoTest!A-very-long-clas"));
  EXPECT_FALSE(HasWindowClass(window.get(), "ZelkoTest!B-very-long-class-name-one"));
}

}  // namespace
