// End-to-end tests of the settings dialog "Zelko Viewの設定" in ZV32.EXE under Wine: opened
// from the menu command, the command code and the system menu; every page shown (and saved as
// a picture); wrap and tab widths, colours, the tool bar and the right-button menus changed
// and seen in the running viewer and the registry; entries the settings cannot take refused;
// Cancel changing nothing.  Each test starts from a deleted settings key.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/zv32_session_win.h"
#include "viewer/resources/zv32_ids.h"

using namespace e2e;

namespace {

constexpr char kDialogClass[] = "PlimDialog";
constexpr char kCaption[] = "Zelko Viewの設定";

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

HWND WaitSettings(const Viewer& viewer) { return WaitForWindow(viewer.ProcessId(), kDialogClass, kCaption, 10000); }

HWND OpenSettings(const Viewer& viewer) {
  viewer.Command(IDM_SETTINGS);
  return WaitSettings(viewer);
}

bool Visible(HWND dialog, int id) { return IsWindowVisible(Item(dialog, id)) != 0; }

// Chooses tab `page` as a click on it would; true once the page's controls show.
bool ShowPage(HWND dialog, int page, int controlOfPage) {
  Send(Item(dialog, IDC_SETTINGS_FOLDER), BM_SETSTATE, WPARAM(page));
  return WaitUntil([&] { return Visible(dialog, controlOfPage); }, 3000);
}

void Press(HWND dialog, int id) { Send(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(Item(dialog, id))); }
// A check box or radio button clicked with the mouse (they change their own state).  The click
// is sent while the real pointer moves on its own: a press the control took for one outside
// it is tried again, until the state changes or three clicks have gone by.
void Toggle(HWND dialog, int id) {
  HWND box = Item(dialog, id);
  const LRESULT before = Send(box, BM_GETCHECK);
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickCentre(box);
    if (WaitUntil([&] { return Send(box, BM_GETCHECK) != before; }, 1000)) return;
  }
}
void PostPress(HWND dialog, int id) { Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(Item(dialog, id))); }

bool Closes(HWND window) {
  return WaitUntil([&] { return !IsWindow(window); }, 10000);
}

// The message box of a refused entry: its text, closed with OK.
std::string Refusal(const Viewer& viewer) {
  HWND box = WaitForWindow(viewer.ProcessId(), "#32770", "Zelko View 32", 5000);
  if (!box) return "(no message)";
  std::string text = MessageBoxText(box);
  Post(box, WM_COMMAND, IDOK);
  Closes(box);
  return text;
}

std::vector<int> ItemData(HWND list) {
  std::vector<int> data;
  for (int i = 0, n = int(Send(list, LB_GETCOUNT)); i < n; ++i) data.push_back(int(Send(list, LB_GETITEMDATA, WPARAM(i))));
  return data;
}

void SelectItem(HWND dialog, int listId, int index) { Send(Item(dialog, listId), LB_SETCURSEL, WPARAM(index)); }

// Every value of the settings key: name to type and bytes.
std::map<std::string, std::string> AllSettings() {
  std::map<std::string, std::string> values;
  win::RegistryKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name, type = 0, size = 4096;
    std::string data(size, '\0');
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
      break;
    data.resize(size);
    values[name] = std::to_string(type) + ":" + data;
  }
  return values;
}

std::string Setting(const char* name) {
  std::string bytes;
  return ReadSetting(name, bytes) ? bytes : "(missing)";
}

int ToolButtons(HWND main) {
  int count = 0;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassOf(child) == "PlimTool") ++count;
  return count;
}

// The tool buttons' command ids from left to right.
std::vector<int> ToolButtonIds(HWND main) {
  std::map<int, int> byLeft;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != "PlimTool") continue;
    RECT rect;
    GetWindowRect(child, &rect);
    byLeft[rect.left] = GetDlgCtrlID(child);
  }
  std::vector<int> ids;
  for (auto& [left, id] : byLeft) ids.push_back(id);
  return ids;
}

struct PageShot {
  int page;
  int control;  // a control of the page
  const char* name;
};
constexpr PageShot kPages[] = {
    {1, IDC_FONT_SAMPLE, "zv32_settings_1_display1"}, {2, IDC_SHOW_CR_MARKS, "zv32_settings_2_display2"},
    {3, IDC_TOOL_CURRENT, "zv32_settings_3_toolbar"},  {4, IDC_LINK_VIEWER, "zv32_settings_4_windows"},
    {5, IDC_MENU_CURRENT, "zv32_settings_5_menus"},    {6, IDC_TOOL_COMMAND_FIRST, "zv32_settings_6_tools"},
    {7, IDC_EDITOR, "zv32_settings_7_etc"},
};

}  // namespace

TEST_F(SettingsDialogTest, OpensFromTheMenuTheCommandCodeAndTheSystemMenuAndShowsEachPage) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Visible(dialog, IDC_FONT_SAMPLE));
  EXPECT_FALSE(Visible(dialog, IDC_TOOL_CURRENT)) << "later pages start hidden";
  RECT first, later;
  GetWindowRect(Item(dialog, IDC_FONT_SAMPLE), &first);
  GetWindowRect(Item(dialog, IDC_PAGE7_LABEL_FIRST), &later);
  EXPECT_EQ(later.left, first.left) << "page 7 lies over page 1";
  EXPECT_EQ(Text(Item(dialog, IDC_LINE_MAX)), "80");
  EXPECT_EQ(Text(Item(dialog, IDC_TAB_SIZE)), "4");
  EXPECT_EQ(Text(Item(dialog, IDC_EDITOR)), "NOTEPAD.EXE");
  EXPECT_EQ(Text(Item(dialog, IDC_LINK_LIST)), "LBR");
  EXPECT_FALSE(IsWindowEnabled(Item(dialog, IDC_FAST_SETUP)));
  for (const PageShot& shot : kPages) {
    ASSERT_TRUE(ShowPage(dialog, shot.page, shot.control)) << shot.page;
    for (const PageShot& other : kPages)
      if (other.page != shot.page) EXPECT_FALSE(Visible(dialog, other.control)) << shot.page << " " << other.page;
    ShowAndSettle(dialog);
    EXPECT_FALSE(SaveScreenshot(dialog, shot.name).empty());
  }
  EXPECT_EQ(ItemData(Item(dialog, IDC_TOOL_AVAILABLE)).size(), 45u);  // every tool-bar image, follow included
  EXPECT_EQ(ItemData(Item(dialog, IDC_MENU_CURRENT)), (std::vector<int>{51, 50, -1, 200, 201, 202, -1, 9, 10, 11}));
  PostPress(dialog, IDC_CANCEL);
  ASSERT_TRUE(Closes(dialog));

  Post(viewer.main(), WM_SYSCOMMAND, IDM_SETTINGS);
  dialog = WaitSettings(viewer);
  ASSERT_NE(dialog, nullptr) << "system menu";
  PostPress(dialog, IDC_CANCEL);
  ASSERT_TRUE(Closes(dialog));

  viewer.Command(20954);
  dialog = WaitSettings(viewer);
  ASSERT_NE(dialog, nullptr) << "command code 954";
  PostPress(dialog, IDC_CANCEL);
  EXPECT_TRUE(Closes(dialog));
}

// Alt+C ("ｷｬﾝｾﾙ(&C)") closes both settings dialogs as their Cancel button does, by real keys.
TEST_F(SettingsDialogTest, AltCCancelsTheSettingsAndTheFilerSettings) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  for (int command : {IDM_SETTINGS, IDM_FILER_SETTINGS}) {
    const char* caption = command == IDM_SETTINGS ? kCaption : "Zelko Filerの設定";
    viewer.Command(command);
    HWND dialog = WaitForWindow(viewer.ProcessId(), kDialogClass, caption, 10000);
    ASSERT_NE(dialog, nullptr) << caption;
    ShowAndSettle(dialog);
    {
      HeldKey alt(VK_MENU);
      RealKey('C');
    }
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000)) << caption;
  }
}

TEST_F(SettingsDialogTest, WrapAndTabWidthsChangeTheRowsAndBadNumbersAreRefused) {
  // 30 letters, then 6 tabs: 54 columns with tabs of 4, 78 with tabs of 8.
  std::string line = std::string(30, 'a') + std::string(6, '\t') + "z\r\n";
  std::string text;
  for (int i = 0; i < 60; ++i) text += line;
  Viewer viewer(WriteTestFile("settings_wrap.txt", text));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(61)) << viewer.Position();  // and the empty last row
  viewer.Press(VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return viewer.TopRow() > 1; }, 5000));

  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  SetText(Item(dialog, IDC_LINE_MAX), "-1");
  PostPress(dialog, IDC_OK);
  EXPECT_NE(Refusal(viewer).find("折り返し"), std::string::npos);
  SetText(Item(dialog, IDC_LINE_MAX), "4O");
  PostPress(dialog, IDC_OK);
  EXPECT_NE(Refusal(viewer).find("折り返し"), std::string::npos);
  SetText(Item(dialog, IDC_LINE_MAX), "200");
  PostPress(dialog, IDC_OK);
  EXPECT_NE(Refusal(viewer).find("199"), std::string::npos);
  SetText(Item(dialog, IDC_LINE_MAX), "60");
  SetText(Item(dialog, IDC_TAB_SIZE), "abc");
  PostPress(dialog, IDC_OK);
  EXPECT_NE(Refusal(viewer).find("タブ"), std::string::npos);
  ASSERT_TRUE(IsWindow(dialog)) << "a refused entry keeps the dialog open";
  EXPECT_EQ(Setting("LineMax"), "(missing)") << "nothing reached the settings";

  SetText(Item(dialog, IDC_TAB_SIZE), "8");
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_TRUE(viewer.WaitRows(121)) << "78 columns wrap at 60: " << viewer.Position();
  EXPECT_EQ(viewer.TopRow(), 1) << "reloaded from the top";
  EXPECT_EQ(Setting("LineMax"), std::string("\x3C\0\0\0", 4));
  EXPECT_EQ(Setting("TabSize"), std::string("\x08\0\0\0", 4));

  dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  SetText(Item(dialog, IDC_TAB_SIZE), "4");
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_TRUE(viewer.WaitRows(61)) << "54 columns fit: " << viewer.Position();
}

TEST_F(SettingsDialogTest, ToolButtonsRemovedAndReorderedShowInTheToolBar) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  const int before = ToolButtons(viewer.main());
  ASSERT_EQ(before, 19);  // the default list: 19 buttons and 7 gaps
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ShowPage(dialog, 3, IDC_TOOL_CURRENT));
  std::vector<int> rows = ItemData(Item(dialog, IDC_TOOL_CURRENT));
  ASSERT_EQ(rows.size(), 26u);
  EXPECT_EQ(rows[0], 0);
  EXPECT_EQ(rows[1], -1);

  SelectItem(dialog, IDC_TOOL_CURRENT, 0);
  Press(dialog, IDC_TOOL_UP);  // already first: a beep, nothing moves
  EXPECT_EQ(ItemData(Item(dialog, IDC_TOOL_CURRENT)), rows);
  Press(dialog, IDC_TOOL_DELETE);  // "終了" goes
  Press(dialog, IDC_TOOL_DELETE);  // and the gap after it
  SelectItem(dialog, IDC_TOOL_CURRENT, 1);  // "開く" (row 1) after "Zelko Filer" (row 28)
  Press(dialog, IDC_TOOL_UP);
  std::vector<int> edited = ItemData(Item(dialog, IDC_TOOL_CURRENT));
  ASSERT_GE(edited.size(), 3u);
  EXPECT_EQ(edited[0], 1);
  EXPECT_EQ(edited[1], 28);
  SelectItem(dialog, IDC_TOOL_CURRENT, 0);
  Press(dialog, IDC_TOOL_GAP);
  SelectItem(dialog, IDC_TOOL_AVAILABLE, 0);  // image 0: "終了"
  SelectItem(dialog, IDC_TOOL_CURRENT, -1);
  Press(dialog, IDC_TOOL_INSERT);  // at the top
  edited = ItemData(Item(dialog, IDC_TOOL_CURRENT));
  ASSERT_GE(edited.size(), 4u);
  EXPECT_EQ((std::vector<int>(edited.begin(), edited.begin() + 4)), (std::vector<int>{0, -1, 1, 28}));
  ShowAndSettle(dialog);
  SaveScreenshot(dialog, "zv32_settings_3_toolbar_edited");
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_EQ(ToolButtons(viewer.main()), before);
  std::vector<int> ids = ToolButtonIds(viewer.main());
  ASSERT_GE(ids.size(), 3u);
  EXPECT_EQ((std::vector<int>(ids.begin(), ids.begin() + 3)), (std::vector<int>{IDM_EXIT, IDM_OPEN, IDM_FILER}));
  EXPECT_EQ(Setting("ToolBarList").substr(0, 4), std::string("\x00\xFF\x01\x1C", 4));
  ShowAndSettle(viewer.main());
  SaveScreenshot(viewer.main(), "zv32_settings_toolbar_after");
}


TEST_F(SettingsDialogTest, MenuEditsSurviveSituationChangesAndAreSaved) {
  Viewer viewer(WriteTestFile("settings_menu.txt", NumberedLines(300)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(301)) << viewer.Position();
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ShowPage(dialog, 5, IDC_MENU_CURRENT));
  HWND situation = Item(dialog, IDC_MENU_SITUATION);
  auto choose = [&](int menu) {
    Send(situation, CB_SETCURSEL, WPARAM(menu));
    Send(dialog, WM_COMMAND, MAKEWPARAM(IDC_MENU_SITUATION, CBN_SELCHANGE), LPARAM(situation));
  };
  // "普通": the first item goes, a separator comes before the new first.
  SelectItem(dialog, IDC_MENU_CURRENT, 0);
  Press(dialog, IDC_MENU_DELETE);
  SelectItem(dialog, IDC_MENU_CURRENT, 0);
  Press(dialog, IDC_MENU_SEPARATOR);
  std::vector<int> edited = ItemData(Item(dialog, IDC_MENU_CURRENT));
  EXPECT_EQ(edited, (std::vector<int>{-1, 50, -1, 200, 201, 202, -1, 9, 10, 11}));
  choose(1);
  EXPECT_EQ(ItemData(Item(dialog, IDC_MENU_CURRENT)).front(), 150);
  choose(2);
  EXPECT_EQ(ItemData(Item(dialog, IDC_MENU_CURRENT)), edited) << "edits kept over a situation change";
  // "末尾へ" (code 10) moves up to the top, one place at a time; once there, "↑" only beeps.
  SelectItem(dialog, IDC_MENU_CURRENT, 8);
  for (int i = 0; i < 9; ++i) Press(dialog, IDC_MENU_UP);
  EXPECT_EQ(ItemData(Item(dialog, IDC_MENU_CURRENT)), (std::vector<int>{10, -1, 50, -1, 200, 201, 202, -1, 9, 11}));

  // "選択されたテキスト上で": fill it up to its limit; one more is refused.
  choose(0);
  SelectItem(dialog, IDC_MENU_AVAILABLE, 0);
  for (int i = int(ItemData(Item(dialog, IDC_MENU_CURRENT)).size()); i < 29; ++i) {
    SelectItem(dialog, IDC_MENU_CURRENT, 0);
    Press(dialog, IDC_MENU_INSERT);
  }
  EXPECT_EQ(ItemData(Item(dialog, IDC_MENU_CURRENT)).size(), 29u);
  SelectItem(dialog, IDC_MENU_CURRENT, 0);
  PostPress(dialog, IDC_MENU_INSERT);
  EXPECT_NE(Refusal(viewer).find("メニュー"), std::string::npos);
  EXPECT_EQ(ItemData(Item(dialog, IDC_MENU_CURRENT)).size(), 29u);
  ShowAndSettle(dialog);
  SaveScreenshot(dialog, "zv32_settings_5_menus_edited");
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_EQ(Setting("RMENU2"), std::string("\x0A\x00\xFF\xFF\x32\x00\xFF\xFF\xC8\x00\xC9\x00\xCA\x00\xFF\xFF\x09\x00\x0B\x00\xFE\xFF", 22));
  EXPECT_EQ(Setting("RMENU0").size(), 60u) << "29 items and the end mark";
  EXPECT_EQ(Setting("RMENU1").substr(0, 2), std::string("\x96\x00", 2));

  // The right button in the text (menu "普通") opens the edited menu: its first item now goes
  // to the end of the file.
  ShowAndSettle(viewer.main());
  Post(viewer.text(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 100));
  Post(viewer.text(), WM_RBUTTONUP, 0, MAKELPARAM(300, 100));
  HWND popup = WaitForWindow(viewer.ProcessId(), "#32768", nullptr, 5000);
  ASSERT_NE(popup, nullptr);
  ShowAndSettle(popup);
  SaveScreenshot(popup, "zv32_settings_context_menu");
  Post(popup, WM_KEYDOWN, VK_DOWN);
  Post(popup, WM_KEYDOWN, VK_RETURN);
  EXPECT_TRUE(Closes(popup));
  EXPECT_TRUE(WaitUntil([&] { return viewer.TopRow() > 250; }, 5000)) << viewer.Position();
}

TEST_F(SettingsDialogTest, CancelAfterManyChangesLeavesTheRegistryAsItWas) {
  {
    Viewer first;  // writes every exit value
    ASSERT_NE(first.main(), nullptr);
    first.Command(IDM_EXIT);
    ASSERT_TRUE(first.WaitExit(10000));
  }
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  const std::map<std::string, std::string> stored = AllSettings();
  ASSERT_GT(stored.size(), 20u);
  const int buttons = ToolButtons(viewer.main());
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  SetText(Item(dialog, IDC_LINE_MAX), "20");
  Toggle(dialog, IDC_SHOW_LINE_NUMBERS);
  SetText(Item(dialog, IDC_EDITOR), "OTHER.EXE");
  SetText(Item(dialog, IDC_TOOL_COMMAND_FIRST), "TOOL.EXE");
  Press(dialog, IDC_LINK_SAMPLE_2);
  EXPECT_EQ(Text(Item(dialog, IDC_LINK_LIST)), "LBRB");
  ASSERT_TRUE(ShowPage(dialog, 3, IDC_TOOL_CURRENT));
  SelectItem(dialog, IDC_TOOL_CURRENT, 0);
  Press(dialog, IDC_TOOL_DELETE);
  ASSERT_TRUE(ShowPage(dialog, 5, IDC_MENU_CURRENT));
  SelectItem(dialog, IDC_MENU_CURRENT, 0);
  Press(dialog, IDC_MENU_DELETE);
  PostPress(dialog, IDC_CANCEL);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_EQ(AllSettings(), stored);
  EXPECT_EQ(ToolButtons(viewer.main()), buttons);
}

TEST_F(SettingsDialogTest, LinkPathsLongerThanTheirSlotAreRefused) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  SetText(Item(dialog, IDC_LINK_FILER), "LBRBLBRBLBRBLBR");
  PostPress(dialog, IDC_OK);
  EXPECT_NE(Refusal(viewer).find("Filer:"), std::string::npos);
  EXPECT_TRUE(Visible(dialog, IDC_LINK_FILER)) << "the page of the refused field is shown";
  SetText(Item(dialog, IDC_LINK_FILER), "LBRBLBRBLBRBLB");
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  Post(viewer.main(), WM_CLOSE);
  ASSERT_TRUE(viewer.WaitExit(10000));
  EXPECT_EQ(Setting("WindowLink"), std::string("LT|LBRBLBRBLBRBLB|RB|LBR\0", 25));
}

namespace {

// Answers the colour chooser that button `id` opens with red, green and blue typed into its
// fields.
bool ChooseColorWith(const Viewer& viewer, HWND dialog, int id, int red, int green, int blue) {
  constexpr int kRedField = 706, kGreenField = 707, kBlueField = 708;
  PostPress(dialog, id);
  HWND chooser = nullptr;
  WaitUntil([&] {
    chooser = FindTopWindow(viewer.ProcessId(), "#32770");
    return chooser && Item(chooser, kBlueField);
  }, 5000);
  if (!chooser) return false;
  SetText(Item(chooser, kRedField), std::to_string(red));
  SetText(Item(chooser, kGreenField), std::to_string(green));
  SetText(Item(chooser, kBlueField), std::to_string(blue));
  Post(chooser, WM_COMMAND, IDOK);
  return Closes(chooser);
}

bool Shows(const Image& image, COLORREF colour) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.Pixel(x, y) == colour) return true;
  return false;
}

}  // namespace

TEST_F(SettingsDialogTest, ChosenTextAndBackgroundColoursReachTheTextWindow) {
  Viewer viewer(WriteTestFile("settings_colours.txt", NumberedLines(30)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(31)) << viewer.Position();
  const COLORREF text = RGB(0xF0, 0xE0, 0x10), back = RGB(0x20, 0x30, 0x40), marks = RGB(0x00, 0xFF, 0x80);
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ChooseColorWith(viewer, dialog, IDC_CHOOSE_TEXT_COLOR, 0xF0, 0xE0, 0x10));
  ASSERT_TRUE(ChooseColorWith(viewer, dialog, IDC_CHOOSE_BACK_COLOR, 0x20, 0x30, 0x40));
  ShowAndSettle(dialog);
  Image sample = Capture(Item(dialog, IDC_FONT_SAMPLE), true);
  SavePng(sample, "zv32_settings_colour_sample");
  EXPECT_TRUE(Shows(sample, back)) << "the sample shows the new background";
  EXPECT_TRUE(Shows(sample, text)) << "and the new text colour";
  ASSERT_TRUE(ShowPage(dialog, 2, IDC_SHOW_CR_MARKS));
  ASSERT_TRUE(ChooseColorWith(viewer, dialog, IDC_CHOOSE_CONTROL_COLOR, 0x00, 0xFF, 0x80));
  ShowAndSettle(dialog);
  EXPECT_TRUE(Shows(Capture(Item(dialog, IDC_CONTROL_COLOR_BOX), true), marks));
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  ShowAndSettle(viewer.main());
  Pause(300);
  Image shown = Capture(viewer.text(), true);
  SavePng(shown, "zv32_settings_colours_applied");
  EXPECT_TRUE(Shows(shown, back));
  EXPECT_TRUE(Shows(shown, text));
  EXPECT_TRUE(Shows(shown, marks)) << "the line-end marks in the new colour";
  EXPECT_EQ(Setting("TextColor"), std::string("\xF0\xE0\x10\x00", 4));
  EXPECT_EQ(Setting("BackColor"), std::string("\x20\x30\x40\x00", 4));
}

namespace {

constexpr char kFilerCaption[] = "Zelko Filerの設定";

// A list item's text as the program sees it (Shift-JIS); across processes the system hands
// the text over in UTF-16.
std::string ListText(HWND list, int index) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(list, LB_GETTEXTLEN, WPARAM(index), 0, SMTO_ABORTIFHUNG, 5000, &length);
  if (LONG_PTR(length) < 0) return "(none)";
  std::wstring wide(size_t(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(index), LPARAM(wide.data()), SMTO_ABORTIFHUNG, 5000, &copied);
  char text[512] = "";
  WideCharToMultiByte(932, 0, wide.c_str(), int(copied), text, sizeof text - 1, nullptr, nullptr);
  return text;
}

void ChooseTypeItem(HWND dialog, int index) {
  HWND list = Item(dialog, IDC_FCONF_TYPES);
  Send(list, LB_SETCURSEL, WPARAM(index));
  Send(dialog, WM_COMMAND, MAKEWPARAM(IDC_FCONF_TYPES, LBN_SELCHANGE), LPARAM(list));
}

}  // namespace

TEST_F(SettingsDialogTest, FilerSettingsAddAndDeleteCustomTypesAndSaveThem) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_FILER_SETTINGS);
  HWND dialog = WaitForWindow(viewer.ProcessId(), kDialogClass, kFilerCaption, 10000);
  ASSERT_NE(dialog, nullptr);
  HWND list = Item(dialog, IDC_FCONF_TYPES);
  ASSERT_EQ(Send(list, LB_GETCOUNT), 3);
  EXPECT_EQ(ListText(list, 0), "種類別フィルタ");
  EXPECT_EQ(ListText(list, 1), "のみ:TXT;MAN;DOC");
  EXPECT_EQ(Send(list, LB_GETCURSEL), 1) << "FilerCustomType 0 is the first entry";
  EXPECT_TRUE(IsWindowEnabled(Item(dialog, IDC_FCONF_DELETE)));
  EXPECT_EQ(Text(Item(dialog, IDC_FCONF_EXTENSIONS)), "TXT;MAN;DOC");
  ChooseTypeItem(dialog, 0);
  EXPECT_FALSE(IsWindowEnabled(Item(dialog, IDC_FCONF_DELETE))) << "the type filter cannot be deleted";
  Press(dialog, IDC_FCONF_DELETE);
  EXPECT_EQ(Send(list, LB_GETCOUNT), 3);

  SetText(Item(dialog, IDC_FCONF_EXTENSIONS), "TXT");
  Toggle(dialog, IDC_FCONF_ALL_BUT);
  Press(dialog, IDC_FCONF_ADD);
  ASSERT_EQ(Send(list, LB_GETCOUNT), 4);
  EXPECT_EQ(ListText(list, 3), "以外:TXT");
  ChooseTypeItem(dialog, 1);
  EXPECT_EQ(Send(Item(dialog, IDC_FCONF_ONLY), BM_GETCHECK), BST_CHECKED);
  Press(dialog, IDC_FCONF_DELETE);
  EXPECT_EQ(ListText(list, 1), "のみ:CPP;C;H;RC") << "the next entry moves up and is chosen";
  EXPECT_EQ(Send(list, LB_GETCURSEL), 1);
  SetText(Item(dialog, IDC_FCONF_EXTENSIONS), "");
  PostPress(dialog, IDC_FCONF_ADD);
  EXPECT_NE(Refusal(viewer).find("拡張子"), std::string::npos);
  EXPECT_EQ(Send(list, LB_GETCOUNT), 3);

  const PageShot pages[] = {{1, IDC_FCONF_TYPES, "zv32_filer_settings_1_filter"},
                            {2, IDC_FCONF_FONT_SAMPLE, "zv32_filer_settings_2_display"},
                            {3, IDC_FCONF_DRIVE_BAR, "zv32_filer_settings_3_other"}};
  for (const PageShot& shot : pages) {
    ASSERT_TRUE(ShowPage(dialog, shot.page, shot.control)) << shot.page;
    ShowAndSettle(dialog);
    EXPECT_FALSE(SaveScreenshot(dialog, shot.name).empty());
  }
  ASSERT_TRUE(ShowPage(dialog, 2, IDC_FCONF_FONT_SAMPLE));  // radio groups work on shown pages
  Toggle(dialog, IDC_FCONF_SORT_NAME + 1);
  Toggle(dialog, IDC_FCONF_SIZE_COLUMN);  // the size column off
  ChooseTypeItem(dialog, 2);
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_EQ(Setting("FilerMask"), std::string("ICPP;C;H;RC|ETXT|\0", 18));
  std::string flags = Setting("BooleanOption");
  ASSERT_GE(flags.size(), 17u);
  EXPECT_EQ(flags[11], '1') << "sorted by extension";
  EXPECT_EQ(flags[14], '1') << "the second entry chosen";
  EXPECT_EQ(flags[15], '6') << "date and time columns";

  viewer.Command(20957);
  dialog = WaitForWindow(viewer.ProcessId(), kDialogClass, kFilerCaption, 10000);
  ASSERT_NE(dialog, nullptr) << "command code 957";
  EXPECT_EQ(Send(Item(dialog, IDC_FCONF_TYPES), LB_GETCURSEL), 2);
  PostPress(dialog, IDC_CANCEL);
  EXPECT_TRUE(Closes(dialog));
}

TEST_F(SettingsDialogTest, MenuBarToolBarAndStatusBarFollowTheDisplayPageAtOnce) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_NE(GetMenu(viewer.main()), nullptr);
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ShowPage(dialog, 2, IDC_SHOW_MENU_BAR));
  Toggle(dialog, IDC_SHOW_MENU_BAR);
  Toggle(dialog, IDC_SHOW_STATUS_BAR);
  Toggle(dialog, IDC_TOOL_BAR_LEFT);
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_EQ(GetMenu(viewer.main()), nullptr);
  RECT text, client;
  GetWindowRect(viewer.text(), &text);
  MapWindowPoints(nullptr, viewer.main(), reinterpret_cast<POINT*>(&text), 2);
  GetClientRect(viewer.main(), &client);
  EXPECT_EQ(text.left, 30) << "the tool bar stands on the left";
  EXPECT_EQ(text.top, 2);
  EXPECT_EQ(text.bottom, client.bottom - 2) << "no status bar";
  ShowAndSettle(viewer.main());
  SaveScreenshot(viewer.main(), "zv32_settings_bars_changed");
  EXPECT_EQ(Setting("BooleanOption").substr(4, 4), "1002") << "wrap, no status bar, no menu bar, tools on the left";
}

TEST_F(SettingsDialogTest, BrowsingForAToolReplacesTheWholeField) {
  const std::string program = WriteTestFile("settings_tool.exe", "MZ");
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ShowPage(dialog, 6, IDC_TOOL_COMMAND_FIRST));
  SetText(Item(dialog, IDC_TOOL_COMMAND_FIRST + 2), "OLD.EXE -x %s");
  PostPress(dialog, IDC_TOOL_BROWSE_FIRST + 2);
  HWND chooser = WaitForWindow(viewer.ProcessId(), "#32770", "参照", 10000);
  ASSERT_NE(chooser, nullptr);
  constexpr int kNameCombo = 1148, kNameEdit = 1152;  // the explorer-style and the old dialog's name fields
  HWND name = Item(chooser, kNameCombo) ? Item(chooser, kNameCombo) : Item(chooser, kNameEdit);
  ASSERT_NE(name, nullptr);
  SetText(name, program);
  Post(chooser, WM_COMMAND, IDOK);
  ASSERT_TRUE(Closes(chooser));
  EXPECT_EQ(Text(Item(dialog, IDC_TOOL_COMMAND_FIRST + 2)), program) << "the arguments are dropped";
  PostPress(dialog, IDC_CANCEL);
  EXPECT_TRUE(Closes(dialog));
}

TEST_F(SettingsDialogTest, AStoredQuotePrefixLongerThanTheFieldTakesIsKept) {
  const std::string prefix = "[引用] これは長い引用の接頭辞です > ";  // longer than 18 bytes
  WriteStringSetting("ClipStr", prefix);
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(Item(dialog, IDC_CLIP_STR)), prefix);
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_EQ(Setting("ClipStr"), prefix + std::string(1, '\0'));
}

TEST_F(SettingsDialogTest, FilerSettingsOkReplacesAnOpenFilerWithTheNewLayout) {
  constexpr char kFilerClass[] = "ZelkoView!Filer";
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_FILER);
  HWND filer = WaitForWindow(viewer.ProcessId(), kFilerClass, "Zelko Filer", 20000);
  ASSERT_NE(filer, nullptr);
  RECT before;
  GetWindowRect(filer, &before);
  viewer.Command(IDM_FILER_SETTINGS);
  HWND dialog = WaitForWindow(viewer.ProcessId(), kDialogClass, kFilerCaption, 10000);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ShowPage(dialog, 3, IDC_FCONF_HORIZONTAL));
  Toggle(dialog, IDC_FCONF_HORIZONTAL);
  Toggle(dialog, IDC_FCONF_DRIVE_BAR);
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(filer); }, 5000)) << "the old filer is gone";
  HWND again = WaitForWindow(viewer.ProcessId(), kFilerClass, "Zelko Filer", 20000);
  ASSERT_NE(again, nullptr) << "and a new one opened";
  ShowAndSettle(again);
  SaveScreenshot(again, "zv32_filer_settings_applied");
  std::string flags = Setting("BooleanOption");
  ASSERT_GE(flags.size(), 23u);
  EXPECT_EQ(flags[21], '0') << "horizontal filer";
  EXPECT_EQ(flags[22], '0') << "no drive bar";
}

TEST_F(SettingsDialogTest, LineSpacingMakesRowsTallerSoAPageHoldsFewer) {
  Viewer viewer(WriteTestFile("settings_spacing.txt", NumberedLines(400)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(401)) << viewer.Position();
  viewer.Press(VK_NEXT);
  ASSERT_TRUE(WaitUntil([&] { return viewer.TopRow() > 1; }, 5000));
  const int pageBefore = viewer.TopRow() - 1;
  HWND dialog = OpenSettings(viewer);
  ASSERT_NE(dialog, nullptr);
  SetText(Item(dialog, IDC_LINE_SPACING), "16");
  PostPress(dialog, IDC_OK);
  ASSERT_TRUE(Closes(dialog));
  ASSERT_TRUE(viewer.WaitTopRow(1)) << "reloaded from the top";
  viewer.Press(VK_NEXT);
  ASSERT_TRUE(WaitUntil([&] { return viewer.TopRow() > 1; }, 5000));
  const int pageAfter = viewer.TopRow() - 1;
  EXPECT_LT(pageAfter * 3, pageBefore * 2) << pageBefore << " rows a page before, " << pageAfter << " after";
  ShowAndSettle(viewer.main());
  SaveScreenshot(viewer.main(), "zv32_settings_line_spacing");
}
