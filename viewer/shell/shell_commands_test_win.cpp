// Commands, menus and the tool bar over real windows and menus (run under Wine): the items a
// popup gets when it opens, the right-button menus, DispatchCommand's effects on the
// document, the marks and the settings, and the tool buttons built from ToolBarList.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plim32_win.h"
#include "viewer/document/document.h"
#include "viewer/settings/command_table.h"
#include "viewer/shell/dispatch_command_win.h"
#include "viewer/shell/follow_win.h"
#include "viewer/text_window/mark_commands_win.h"
#include "viewer/shell/menus_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_store.h"
#include "viewer/frame/shell_windows_test_support_win.h"
#include "viewer/shell/tool_bar_win.h"
#include "viewer/settings/tool_button_table.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kPlainClass[] = "ZelkoTest!Plain";
constexpr char kToolClass[] = "PlimTool";

std::string ItemText(HMENU menu, int position) {
  char text[300] = "";
  GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT ItemState(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

HMENU Popup(std::initializer_list<int> ids) {
  HMENU menu = CreatePopupMenu();
  for (int id : ids) {
    if (id == 0)
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuA(menu, MF_STRING, UINT_PTR(id), "item");
  }
  return menu;
}

void AppendPopup(HMENU menu, HMENU popup) { AppendMenuA(menu, MF_POPUP, UINT_PTR(popup), "popup"); }

// The menu "Main" in its shape: the popups and submenus where the resources put them.
HMENU BuildMainMenu() {
  HMENU file = Popup({100, 104, 0, 101, 102, 103, 0});
  AppendPopup(file, Popup({140, 141, 142, 143, 144}));
  for (int id : {0, 130, 0, 120, 0}) AppendMenuA(file, id ? MF_STRING : MF_SEPARATOR, UINT_PTR(id), "item");
  HMENU jump = Popup({300, 301, 302});
  AppendPopup(jump, Popup({310, 311, 312, 313}));
  AppendPopup(jump, Popup({320, 321, 322, 323}));
  AppendMenuA(jump, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(jump, MF_STRING, IDM_FOLLOW, "item");
  HMENU other = Popup({400, 401, 0});
  AppendPopup(other, Popup({411, 410, 412, 413}));
  AppendPopup(other, Popup({950, 951, 952, 953, 954, 955, 956}));
  for (int id : {900, 0, 420, 423, 421, 422, 0, 3, 430})
    AppendMenuA(other, id ? MF_STRING : MF_SEPARATOR, UINT_PTR(id), "item");
  HMENU main = CreateMenu();
  for (HMENU popup : {file, Popup({110, 111, 112, 113, 114, 115}), Popup({200, 201, 202}), jump,
                      Popup({500, 501, 502, 503, 0, 509, 0, 510, 511, 0}), other})
    AppendPopup(main, popup);
  return main;
}

// Records what the main window and the text window are sent or posted.
std::vector<std::pair<UINT, WPARAM>> Received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_VSCROLL || message == WM_HSCROLL || message == WM_CLOSE)
    Received.emplace_back(message, wParam);
  if (message == WM_CLOSE) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<std::pair<std::string, int>> StatusReports;
void RecordStatus(const char* text, int priority) { StatusReports.emplace_back(text, priority); }

class CommandsTest : public ShellWindowsTest {
 protected:
  static void SetUpTestSuite() { RegisterTestClass(kPlainClass, RecordingProc); }
  void SetUp() override {
    ShellWindowsTest::SetUp();
    Instance = GetModuleHandleA(nullptr);
    main_ = MakeWindow(kPlainClass, "Zelko View 32 - test", 0, 0, 300, 200);
    text_ = OwnedWindow(CreateWindowExA(0, kPlainClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, main_.get(),
                                        nullptr, Instance, nullptr));
    MainWindow = main_.get();
    TextWindow = text_.get();
    MainMenu.Reset(BuildMainMenu());
    MarkStatusReporter = RecordStatus;
    StatusReports.clear();
    Received.clear();
    WindowLinking = 0;
  }
  void TearDown() override {
    MarkStatusReporter = ShowStatusMessage;
    CloseSources();
    ResetDocument(nullptr);
    MainMenu.Reset();
    TextWindow = nullptr;
    MainWindow = nullptr;
    text_.Reset();
    main_.Reset();
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    ShellWindowsTest::TearDown();
  }

  HMENU Sub(int position) { return GetSubMenu(MainMenu, position); }
  HMENU Sub(int position, int item) { return GetSubMenu(Sub(position), item); }

  // A text file of `rows` lines, loaded completely.
  std::string OpenTextFile(const char* name, int rows) {
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    std::string path = std::string(directory) + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    for (int i = 0; i < rows; ++i) std::fprintf(file, "line %d\r\n", i + 1);
    std::fclose(file);
    files_.push_back(path);
    EXPECT_EQ(OpenDocument(path.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
    LoadAll();
    return path;
  }
  int Dispatch(int id) { return DispatchCommand(MainWindow, id); }

  OwnedWindow main_, text_;
  std::vector<std::string> files_;
};

TEST_F(CommandsTest, FileMenuListsTheRecentFilesAfterItsFixedItems) {
  store.PutString("File00", "C:\\A.TXT");
  store.PutString("File01", "C:\\B.TXT");
  store.PutString("File03", "C:\\D.TXT");  // after an empty entry: not listed
  AppendMenuA(Sub(0), MF_STRING, 150, "(&0) C:\\OLD.TXT");  // left from the last opening
  UpdatePopupMenu(Sub(0), 0);
  ASSERT_EQ(GetMenuItemCount(Sub(0)), 15);
  EXPECT_EQ(ItemText(Sub(0), 13), "(&0) C:\\A.TXT");
  EXPECT_EQ(ItemText(Sub(0), 14), "(&1) C:\\B.TXT");
  EXPECT_EQ(GetMenuItemID(Sub(0), 13), 150u);
  EXPECT_EQ(GetMenuItemID(Sub(0), 14), 151u);
  EXPECT_EQ(GetMenuItemID(Sub(0), 12), 0u);  // the fixed items stay
}

TEST_F(CommandsTest, WindowMenuListsEveryViewerWithAccelerators) {
  RegisterViewerTestClass();
  std::vector<OwnedWindow> viewers;
  for (int i = 0; i < 11; ++i) {
    char title[64];
    std::snprintf(title, sizeof title, "Zelko View 32 - FILE%02d.TXT", i);
    viewers.push_back(MakeWindow(kMainWindowClass, title, 10 * i, 10, 200, 100));
  }
  WindowLinking = 1;
  UpdatePopupMenu(Sub(4), 4);
  EXPECT_TRUE(ItemState(Sub(4), 509) & MF_CHECKED);
  ASSERT_EQ(GetMenuItemCount(Sub(4)), 10 + 11);
  std::set<std::string> names;
  for (int i = 0; i < 11; ++i) {
    std::string label = ItemText(Sub(4), 10 + i);
    EXPECT_EQ(GetMenuItemID(Sub(4), 10 + i), UINT(520 + i));
    ASSERT_EQ(label.size(), std::string("(&0) - FILE00.TXT").size()) << label;
    EXPECT_EQ(label.substr(0, 6), std::string("(&") + char('0' + i) + ") -") << label;
    names.insert(label.substr(5));
  }
  EXPECT_EQ(ItemText(Sub(4), 20).substr(0, 4), "(&:)");
  EXPECT_EQ(names.size(), 11u);
  EXPECT_TRUE(names.count("- FILE00.TXT"));

  // Opening again with one viewer fewer and linking off.
  viewers.pop_back();
  WindowLinking = 0;
  UpdatePopupMenu(Sub(4), 4);
  EXPECT_FALSE(ItemState(Sub(4), 509) & MF_CHECKED);
  EXPECT_EQ(GetMenuItemCount(Sub(4)), 10 + 10);
}

TEST_F(CommandsTest, SubmenusAreKnownByTheirItemsWhateverIndexWindowsGives) {
  TheDocument.KanjiCode = 2;
  UpdatePopupMenu(Sub(0, 7), 0);  // as when opened at the cursor
  EXPECT_FALSE(GetMenuState(Sub(0, 7), 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(Sub(0, 7), 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(Sub(0, 7), 2, MF_BYPOSITION) & MF_CHECKED);

  TheDocument.Marks[0] = 5;
  TheDocument.Marks[3] = 7;
  UpdatePopupMenu(Sub(3, 4), 4);
  EXPECT_FALSE(ItemState(Sub(3, 4), 320) & MF_GRAYED);
  EXPECT_TRUE(ItemState(Sub(3, 4), 321) & MF_GRAYED);
  EXPECT_TRUE(ItemState(Sub(3, 4), 322) & MF_GRAYED);
  EXPECT_FALSE(ItemState(Sub(3, 4), 323) & MF_GRAYED);
  UpdatePopupMenu(Sub(3, 3), 3);
  EXPECT_TRUE(ItemState(Sub(3, 3), 310) & MF_CHECKED);
  EXPECT_FALSE(ItemState(Sub(3, 3), 311) & MF_CHECKED);
  EXPECT_TRUE(ItemState(Sub(3, 3), 313) & MF_CHECKED);

  // The file menu is not mistaken for the kanji submenu it contains.
  UpdatePopupMenu(Sub(0), 0);
  EXPECT_EQ(GetMenuItemCount(Sub(0)), 13);
  EXPECT_TRUE(GetMenuState(Sub(0, 7), 2, MF_BYPOSITION) & MF_CHECKED);

  TheDocument.KanjiCode = 4;  // UTF-16, the last item
  UpdatePopupMenu(Sub(0, 7), 0);
  EXPECT_FALSE(GetMenuState(Sub(0, 7), 2, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(Sub(0, 7), 4, MF_BYPOSITION) & MF_CHECKED);
}

// The follow command: its item greyed with nothing to follow, checked while on; a look after
// the folder's report appends the new rows and keeps the end in view; off, nothing is watched.
TEST_F(CommandsTest, FollowCommandChecksItsItemAndAppendsWhatTheFileGains) {
  const UINT kFollow = IDM_FOLLOW;
  ResetDocument(nullptr);
  UpdatePopupMenu(Sub(3), 3);
  EXPECT_TRUE(ItemState(Sub(3), kFollow) & MF_GRAYED) << "nothing shown";
  EXPECT_EQ(Dispatch(kFollow), 1);
  EXPECT_FALSE(FollowingFile());

  const std::string path = OpenTextFile("follow.txt", 5);
  UpdatePopupMenu(Sub(3), 3);
  EXPECT_FALSE(ItemState(Sub(3), kFollow) & (MF_GRAYED | MF_CHECKED));
  PageRowCount = 10;
  Dispatch(kFollow);
  ASSERT_TRUE(FollowingFile());
  UpdatePopupMenu(Sub(3), 3);
  EXPECT_TRUE(ItemState(Sub(3), kFollow) & MF_CHECKED);
  EXPECT_LE(FollowWaitTimeout(), 1000u);
  HANDLE handles[1];
  EXPECT_EQ(FollowWaitHandles(handles), 1u) << "the folder is watched";

  FILE* file = std::fopen(path.c_str(), "ab");
  std::fprintf(file, "line 6\r\nline 7\r\n");
  std::fclose(file);
  Received.clear();
  Sleep(300);
  FollowAfterWait(true);
  EXPECT_EQ(TheDocument.RowCount, 8);
  EXPECT_TRUE(std::count(Received.begin(), Received.end(), std::make_pair(UINT(WM_VSCROLL), WPARAM(SB_BOTTOM))))
      << "the last row was in view: it stays in view";

  TheDocument.TopLine = 0;
  PageRowCount = 2;
  file = std::fopen(path.c_str(), "ab");
  std::fprintf(file, "line 8\r\n");
  std::fclose(file);
  Received.clear();
  Sleep(1050);  // due without a report from the folder
  FollowAfterWait(false);
  EXPECT_EQ(TheDocument.RowCount, 9);
  EXPECT_TRUE(Received.empty()) << "scrolled up, the view stays";

  Dispatch(kFollow);
  EXPECT_FALSE(FollowingFile());
  EXPECT_EQ(FollowWaitTimeout(), INFINITE);
  EXPECT_EQ(FollowWaitHandles(handles), 0u);
  UpdatePopupMenu(Sub(3), 3);
  EXPECT_FALSE(ItemState(Sub(3), kFollow) & MF_CHECKED);
}

TEST_F(CommandsTest, ToolsMenuShowsTheProgramNamesOfTheToolCommands) {
  store.PutString("Tool0", "C:\\WINDOWS\\NOTEPAD.EXE /A $");
  store.PutString("Tool1", "*");
  store.PutString("Tool3", "");
  store.PutString("Tool4", "C:\\TOOLS\\表示.EXE");  // 表's second byte is '\'
  store.PutString("Tool5", "GREP.EXE -n");
  store.PutString("Tool6", "cmd.exe /c echo % > Z:\\tmp\\tool2.txt");  // a backslash in the arguments
  UpdatePopupMenu(Sub(5, 4), 0);
  HMENU tools = Sub(5, 4);
  EXPECT_EQ(ItemText(tools, 0), "(&1)NOTEPAD.EXE");
  EXPECT_EQ(ItemText(tools, 1), "(&2) -------");
  EXPECT_EQ(ItemText(tools, 2), "(&3) -------");  // missing
  EXPECT_EQ(ItemText(tools, 3), "(&4) -------");
  EXPECT_EQ(ItemText(tools, 4), "(&5)表示.EXE");
  EXPECT_EQ(ItemText(tools, 5), "(&6)GREP.EXE");
  EXPECT_EQ(ItemText(tools, 6), "(&7)cmd.exe");
  EXPECT_EQ(GetMenuItemID(tools, 6), 956u);
}

TEST_F(CommandsTest, ContextMenusFromTheDefaultLists) {
  LoadSettings(SW_SHOW);
  BuildContextMenus();
  HMENU first = ContextMenus[0];
  ASSERT_EQ(GetMenuItemCount(ContextMenus[0]), 5);
  EXPECT_EQ(GetMenuItemID(ContextMenus[0], 0), 20102u);
  EXPECT_EQ(ItemText(ContextMenus[0], 0), "選択範囲クリップ");
  EXPECT_TRUE(GetMenuState(ContextMenus[0], 3, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(ContextMenus[0], 4), 20200u);
  ASSERT_EQ(GetMenuItemCount(ContextMenus[1]), 13);
  EXPECT_EQ(GetMenuItemID(ContextMenus[1], 5), 20160u);
  EXPECT_EQ(ItemText(ContextMenus[1], 12), "ジャンプ");
  ASSERT_EQ(GetMenuItemCount(ContextMenus[2]), 10);
  EXPECT_EQ(ItemText(ContextMenus[2], 0), "直接Zelko Filerへ");

  // Rebuilding replaces the menus; an unknown code gets the unknown name.
  RightMenus[0][0] = 999;
  BuildContextMenus();
  EXPECT_FALSE(IsMenu(first));
  EXPECT_EQ(ItemText(ContextMenus[0], 0), "??Unknown??");
  DestroyContextMenus();
  EXPECT_EQ(ContextMenus[2], nullptr);
}

TEST_F(CommandsTest, MarkCommandsSetJumpAndReport) {
  OpenTextFile("zv_marks.txt", 40);
  TheDocument.TopLine = 3;
  EXPECT_EQ(Dispatch(310), 1);
  EXPECT_EQ(TheDocument.Marks[0], 3);
  EXPECT_EQ(Dispatch(20160), 1);  // key command "マークジャンプⅠ"
  EXPECT_EQ(Dispatch(321), 1);
  const std::vector<std::pair<std::string, int>> expected = {
      {"マーク1にこの行(4)を記憶しました", 1}, {"マーク1にジャンプしました", 1}, {"マーク2は記憶されていません", 1}};
  EXPECT_EQ(StatusReports, expected);

  // The tool buttons set an unset mark and jump to a set one.
  Dispatch(801);
  Dispatch(802);
  PumpMessages();
  std::vector<std::pair<UINT, WPARAM>> commands;  // the jump also scrolls the text window
  for (const auto& message : Received)
    if (message.first == WM_COMMAND) commands.push_back(message);
  EXPECT_EQ(commands, (std::vector<std::pair<UINT, WPARAM>>{{WM_COMMAND, 320}, {WM_COMMAND, 311}}));

  EXPECT_EQ(Dispatch(20170), 1);  // "マーククリア"
  for (int32_t mark : TheDocument.Marks) EXPECT_EQ(mark, -1);
}

TEST_F(CommandsTest, MarkOnAnEmptyDocumentIsNeitherSetNorReported) {
  ResetDocument(nullptr);
  Dispatch(312);
  EXPECT_EQ(TheDocument.Marks[2], -1);
  EXPECT_TRUE(StatusReports.empty());
}

TEST_F(CommandsTest, RecentFileReplacesTheShownFile) {
  std::string second = OpenTextFile("zv_second.txt", 5);
  std::string first = OpenTextFile("zv_first.txt", 8);
  TheDocument.Marks[2] = 4;
  AppendMenuA(Sub(0), MF_STRING, 150, ("(&0) " + second).c_str());
  EXPECT_EQ(Dispatch(150), 1);
  EXPECT_EQ(std::string(TheDocument.FileName), second);
  EXPECT_EQ(TheDocument.Marks[2], -1);
  EXPECT_EQ(store.GetString("File00"), first);
  EXPECT_EQ(Dispatch(151), 1);  // no such item: nothing happens
  EXPECT_EQ(std::string(TheDocument.FileName), second);
}

TEST_F(CommandsTest, DisplayModeCommandsClearTheSelection) {
  OpenTextFile("zv_mode.txt", 10);
  for (int32_t& edge : TheDocument.Selection) edge = 2;
  EXPECT_EQ(Dispatch(20251), 1);  // "バイナリ表示"
  EXPECT_EQ(TheDocument.DisplayMode, 1);
  for (int32_t edge : TheDocument.Selection) EXPECT_EQ(edge, -1);
  Dispatch(20252);  // the toggle posts the other mode
  PumpMessages();
  EXPECT_EQ(Received, (std::vector<std::pair<UINT, WPARAM>>{{WM_COMMAND, 400}}));
  Dispatch(400);
  EXPECT_EQ(TheDocument.DisplayMode, 0);
}

TEST_F(CommandsTest, KanjiCodeCommandsReload) {
  OpenTextFile("zv_kanji.txt", 10);
  EXPECT_EQ(Dispatch(141), 1);
  EXPECT_EQ(TheDocument.KanjiCode, 1);
  EXPECT_EQ(Dispatch(140), 1);
  EXPECT_EQ(TheDocument.KanjiCode, 0);
  EXPECT_EQ(Dispatch(143), 1);
  EXPECT_EQ(TheDocument.KanjiCode, 3);
  EXPECT_EQ(Dispatch(144), 1);
  EXPECT_EQ(TheDocument.KanjiCode, 4);
}

TEST_F(CommandsTest, KeyCommandsScrollTheTextWindow) {
  Dispatch(20005);  // half a screen up
  Dispatch(20013);  // two characters left
  Dispatch(20008);  // one screen down
  PumpMessages();
  const std::vector<std::pair<UINT, WPARAM>> expected = {{WM_VSCROLL, 10}, {WM_HSCROLL, 19}, {WM_VSCROLL, 3}};
  EXPECT_EQ(Received, expected);
  Received.clear();
  Dispatch(300);
  Dispatch(20953);  // "Zelko View終了"
  PumpMessages();
  EXPECT_EQ(Received, (std::vector<std::pair<UINT, WPARAM>>{{WM_VSCROLL, SB_TOP}, {WM_CLOSE, 0}}));
}

TEST_F(CommandsTest, SettingsCommandsToggleTheirFlags) {
  WindowLinking = 0;
  Dispatch(20058);
  EXPECT_EQ(WindowLinking, 1);
  Dispatch(509);
  EXPECT_EQ(WindowLinking, 0);
  ShowCrMarks = 0;
  ShowTabMarks = 0;
  Dispatch(20253);
  Dispatch(20253);
  EXPECT_EQ(ShowCrMarks, 1);
  EXPECT_EQ(ShowTabMarks, 1);
}

TEST_F(CommandsTest, CommandsWithoutTheirWindowsYetFallToDefaultProcessing) {
  for (int id : {0, 21000, 155})
    EXPECT_EQ(Dispatch(id), 0) << id;
  // 104 shows the archive filer, or Zelko Filer, or asks for Zelko Filer (command 100).
  EXPECT_EQ(Dispatch(104), 1);
}

// Every button sends a command the program knows, and shows an image of its own.
TEST(ToolButtonTable, ButtonsSendKnownCommandsWithDistinctImages) {
  std::set<int> known = {419, 800, 801, 802, 803, 804, 809};
  for (int i = 0; i < kCommandNameCount; ++i) {
    const CommandAction action = CommandNameTable[i].action;
    if (action.kind == CommandKind::kMenu) known.insert(action.value);
  }
  for (int id = 950; id <= 956; ++id) known.insert(id);
  std::set<int> images;
  for (int i = 0; i < kToolButtonCount; ++i) {
    const ToolButton& row = ToolButtonTable[i];
    EXPECT_TRUE(known.count(row.command)) << "row " << i << " command " << row.command;
    EXPECT_GE(row.image, 0) << i;
    EXPECT_LT(row.image, kToolButtonCount) << i;
    EXPECT_TRUE(images.insert(row.image).second) << "row " << i << " repeats image " << row.image;
    EXPECT_STRNE(row.description, "") << i;
  }
  EXPECT_EQ(ToolButtonTable[kToolButtonCount].image, -1);
}

// Stands in for PLIM32.DLL's tool button: keeps the image index it was created with.
LRESULT CALLBACK StubToolProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* param = static_cast<const PlimToolCreate*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, param ? param->Index : -1);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class ToolBarTest : public CommandsTest {
 protected:
  static void SetUpTestSuite() {
    CommandsTest::SetUpTestSuite();
    RegisterTestClass(kToolClass, StubToolProc);
  }
  void TearDown() override {
    ToolBarList[0] = 0xFE;
    ToolBarPlacement = 1;
    CommandsTest::TearDown();
  }
  struct Button {
    int id;
    POINT at;
    LONG_PTR image;
    std::string text;
  };
  std::vector<Button> Buttons() {
    std::vector<Button> buttons;
    for (HWND child = GetWindow(MainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[32];
      GetClassNameA(child, name, sizeof name);
      if (std::string(name) != kToolClass) continue;
      RECT r = WindowRect(child);
      POINT at{r.left, r.top};
      ScreenToClient(MainWindow, &at);
      buttons.push_back({GetDlgCtrlID(child), at, GetWindowLongPtrA(child, GWLP_USERDATA), WindowTitle(child)});
    }
    return buttons;
  }
};

TEST_F(ToolBarTest, ButtonsInARowWithGapsAndTheirImages) {
  const uint8_t list[] = {0, 0xFF, 1, 200, 43, 0xFE};  // 200 is no button: left out
  std::copy(std::begin(list), std::end(list), ToolBarList);
  ToolBarPlacement = 1;
  BuildToolBar(MainWindow);
  std::vector<Button> buttons = Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  std::sort(buttons.begin(), buttons.end(), [](const Button& a, const Button& b) { return a.at.x < b.at.x; });
  EXPECT_EQ(buttons[0].id, 120);
  EXPECT_EQ(buttons[0].at.x, 5);
  EXPECT_EQ(buttons[0].at.y, 2);
  EXPECT_EQ(buttons[0].text, "Zelko Viewを終了させます");
  EXPECT_EQ(buttons[1].id, 101);
  EXPECT_EQ(buttons[1].at.x, 5 + 24 + 7);
  EXPECT_EQ(buttons[1].image, 2);
  EXPECT_EQ(buttons[2].id, 149);
  EXPECT_EQ(buttons[2].at.x, 5 + 24 + 7 + 24);
  EXPECT_EQ(ToolBarEnd, 5 + 24 + 7 + 24 + 24 + 8);

  // Rebuilding as a column; other children stay.
  DestroyToolBar(MainWindow);
  EXPECT_TRUE(Buttons().empty());
  EXPECT_TRUE(IsWindow(TextWindow));
  ToolBarPlacement = 2;
  BuildToolBar(MainWindow);
  buttons = Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  std::sort(buttons.begin(), buttons.end(), [](const Button& a, const Button& b) { return a.at.y < b.at.y; });
  EXPECT_EQ(buttons[0].at.x, 2);
  EXPECT_EQ(buttons[0].at.y, 1);
  EXPECT_EQ(buttons[1].at.y, 1 + 20 + 7);
  EXPECT_EQ(ToolBarEnd, 1 + 20 + 7 + 20 + 20 + 8);
}

}  // namespace
