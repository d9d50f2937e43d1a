// End-to-end tests of ZV32.EXE under Wine: what a user sees when starting it on a file, a
// folder or nothing, scrolling with the keys, closing it (the settings written), the missing
// control library, kanji-code detection, a missing file, arranging several viewers,
// reloading the key table, and selecting with the mouse and copying to the clipboard.  Each
// test starts from a deleted settings key.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "tests/e2e/zv32_session_win.h"
#include "viewer/shell/clipboard_test_support_win.h"

using namespace e2e;

namespace {

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char c : bytes) {
    text += digits[c >> 4];
    text += digits[c & 15];
  }
  return text;
}

// A REG_SZ value without its NUL; other types as their bytes in hexadecimal.
std::string Setting(const char* name) {
  std::string bytes;
  DWORD type = 0;
  if (!ReadSetting(name, bytes, &type)) return "(missing)";
  if (type == REG_SZ) return bytes.substr(0, bytes.find('\0'));
  return Hex(bytes);
}

}  // namespace

TEST_F(ViewerTest, TitleNamesTheFileOrSaysNothingIsShown) {
  // A quoted path with blanks: the quotes go, the blanks stay.
  std::string file = WriteTestFile("title with blanks.txt", NumberedLines(3));
  {
    std::string quoted = "\"";
    quoted += file;
    quoted += "\"";
    Viewer viewer(quoted);
    ASSERT_NE(viewer.main(), nullptr);
    EXPECT_EQ(viewer.Title(), "Zelko View 32 - " + file);
    EXPECT_TRUE(viewer.WaitRows(4)) << viewer.Position();  // three lines and the empty row after the last line end
  }
  {
    // A quoted folder: the quotes go, the folder becomes current, nothing is shown.
    std::string quoted = "\"";
    quoted += ExeDir();
    quoted += "\\e2e-files\"";
    Viewer viewer(quoted);
    ASSERT_NE(viewer.main(), nullptr);
    EXPECT_EQ(viewer.Title(), "Zelko View 32 - 未表示");
  }
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  EXPECT_EQ(viewer.Title(), "Zelko View 32 - 未表示");
  EXPECT_TRUE(WaitUntil([&] { return viewer.Position() == "0/0"; }, 5000)) << viewer.Position();
}

// Names whose first character's second byte is 0x5C ("表" 95 5C, "能" 94 5C, "ソ" 83 5C), and
// a name with a blank: named relative to the current folder and by full path, each opens
// (title and rows) and becomes the newest recent file as it was named.
TEST_F(ViewerTest, JapaneseNamesAndBlanksOnTheCommandLineOpen) {
  const std::string folder = ExeDir() + "\\e2e-files";
  for (const std::string name : {"表示.txt", "能力.txt", "ソフト 一覧.txt"}) {
    const std::string path = WriteTestFile(name, NumberedLines(7));
    for (const std::string& argument : {name, path}) {
      DeleteSettingsKey();
      {
        Viewer viewer(argument, folder);
        ASSERT_NE(viewer.main(), nullptr) << argument;
        EXPECT_EQ(viewer.Title(), "Zelko View 32 - " + argument);
        EXPECT_TRUE(viewer.WaitRows(8)) << argument << ": " << viewer.Position() << " " << viewer.Message();
        viewer.Press(VK_ESCAPE);
        ASSERT_TRUE(viewer.WaitExit(10000));
      }
      EXPECT_EQ(Setting("File00"), argument);
    }
  }
}

TEST_F(ViewerTest, KeysScrollByTheDefaultKeyTable) {
  constexpr int kRows = 500;
  Viewer viewer(WriteTestFile("keys.txt", NumberedLines(kRows)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(kRows + 1)) << viewer.Position();
  ASSERT_TRUE(viewer.WaitTopRow(1));

  viewer.Press(VK_DOWN);  // two rows down
  ASSERT_TRUE(viewer.WaitTopRow(3)) << viewer.Position();
  viewer.Press(VK_SPACE);  // a page down
  ASSERT_TRUE(WaitUntil([&] { return viewer.TopRow() > 3; }, 5000)) << viewer.Position();
  int page = viewer.TopRow() - 3;
  EXPECT_GT(page, 5);
  viewer.Press(VK_SPACE, /*shift=*/true);  // a page up
  EXPECT_TRUE(viewer.WaitTopRow(3)) << viewer.Position();
  viewer.Press(VK_SPACE, /*shift=*/false, /*ctrl=*/true);  // no record: nothing happens
  Pause(300);
  EXPECT_EQ(viewer.TopRow(), 3);
  viewer.Press(VK_END);  // the last page
  EXPECT_TRUE(viewer.WaitTopRow(kRows + 1 - page + 1)) << viewer.Position();
  viewer.Press(VK_HOME);
  EXPECT_TRUE(viewer.WaitTopRow(1)) << viewer.Position();
}

TEST_F(ViewerTest, EscapeClosesAndEveryExitValueIsWritten) {
  Viewer viewer(WriteTestFile("close.txt", NumberedLines(2)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(3));
  viewer.Press(VK_ESCAPE);
  DWORD code = 99;
  ASSERT_TRUE(viewer.WaitExit(10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(Setting("BooleanOption"), "1111111101140007F010111101");
  EXPECT_EQ(Setting("LineMax"), "50000000");
  EXPECT_EQ(Setting("Spacing"), "0A000000");
  EXPECT_EQ(Setting("RSpacing"), "04000000");
  EXPECT_EQ(Setting("LineSpacing"), "00000000");
  EXPECT_EQ(Setting("TabSize"), "04000000");
  EXPECT_EQ(Setting("WindowStyle"), "01000000");
  EXPECT_EQ(Setting("TextColor"), "00000000");
  EXPECT_EQ(Setting("ControlColor"), "3576C600");
  EXPECT_EQ(Setting("LineColor"), "D80A8F00");
  EXPECT_EQ(Setting("BackColor"), "FFFFFF00");
  EXPECT_EQ(Setting("CtrlColor"), "28B00600");
  EXPECT_EQ(Setting("ToolBarList"), "00FF1C0102FF0407FF1D1E1FFF0B0C0DFF1615FF0E0F10FF1214FE");
  EXPECT_EQ(Setting("RMENU0"), "660067006800FFFFC800FEFF");
  EXPECT_EQ(Setting("RMENU1"), "9600970098009900FFFFA000A100A200A300FFFF09000A000B00FEFF");
  EXPECT_EQ(Setting("RMENU2"), "33003200FFFFC800C900CA00FFFF09000A000B00FEFF");
  EXPECT_EQ(Setting("Editor"), "NOTEPAD.EXE");
  EXPECT_EQ(Setting("FileMask"), "*.*");
  EXPECT_EQ(Setting("WindowLink"), "LT|RT|RB|LBR");
  EXPECT_EQ(Setting("SearchHistory"), "Plim\\0\\0");
  EXPECT_EQ(Setting("Font").size(), 120u);
  EXPECT_EQ(Setting("FFont").size(), 120u);
  EXPECT_NE(Setting("LastDir"), "(missing)");
  EXPECT_NE(Setting("FilerMask"), "(missing)");
  EXPECT_EQ(Setting("KeyAssign").size(), 2560u);
  EXPECT_EQ(Setting("PrevWinStyle").size(), 8u);
  EXPECT_EQ(Setting("PrevWinRect").size(), 32u);
  std::string recent = Setting("File00");
  EXPECT_NE(recent.find("close.txt"), std::string::npos) << recent;
}

TEST_F(ViewerTest, WithoutTheControlLibraryItEndsWithCodeOne) {
  std::string folder = ExeDir() + "\\e2e-nodll";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA((ExeDir() + "\\ZV32.EXE").c_str(), (folder + "\\ZV32.EXE").c_str(), FALSE));
  Program program(folder + "\\ZV32.EXE", folder);
  ASSERT_TRUE(program.Started());
  // Without the help file beside it, a message box says what is missing.
  HWND box = WaitForWindow(program.Id(), "#32770", "Zelko View 32", 20000);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(MessageBoxText(box).find("PLIM32.DLL"), std::string::npos) << MessageBoxText(box);
  Post(box, WM_COMMAND, IDOK);
  DWORD code = 99;
  EXPECT_TRUE(program.WaitExit(20000, &code));
  EXPECT_EQ(code, 1u);
  EXPECT_EQ(FindTopWindow(program.Id(), "Zelko View 32"), nullptr);
}

TEST_F(ViewerTest, DetectedEucIsReportedAndAMissingFileIsSaid) {
  // "日本語のテキストです。漢字とかなを含む行です。" in EUC, ten lines.
  const std::string line =
      "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\xA4\xC7\xA4\xB9\xA1\xA3\xB4\xC1"
      "\xBB\xFA\xA4\xC8\xA4\xAB\xA4\xCA\xA4\xF2\xB4\xDE\xA4\xE0\xB9\xD4\xA4\xC7\xA4\xB9\xA1\xA3\r\n";
  std::string text;
  for (int i = 0; i < 10; ++i) text += line;
  {
    Viewer viewer(WriteTestFile("euc.txt", text));
    ASSERT_NE(viewer.main(), nullptr);
    EXPECT_TRUE(viewer.WaitMessage("EUCコードを検出しました", 3000)) << viewer.Message();
    EXPECT_TRUE(viewer.WaitRows(11));
    // A menu help line does not replace it while it is held ...
    Send(viewer.main(), WM_MENUSELECT, MAKEWPARAM(300, MF_HILITE), 0);
    EXPECT_EQ(viewer.Message(), "EUCコードを検出しました");
    // ... for three seconds; then the idle loop clears it.
    EXPECT_TRUE(viewer.WaitMessage("", 8000)) << viewer.Message();
    Send(viewer.main(), WM_MENUSELECT, MAKEWPARAM(300, MF_HILITE), 0);
    EXPECT_EQ(viewer.Message(), "ファイルの先頭へジャンプします");
  }
  Viewer viewer(ExeDir() + "\\e2e-files\\no-such-file.txt");
  ASSERT_NE(viewer.main(), nullptr);
  EXPECT_TRUE(viewer.WaitMessage("ファイルが見つかりません", 3000)) << viewer.Message();
  EXPECT_TRUE(WaitUntil([&] { return viewer.Position() == "0/0"; }, 5000)) << viewer.Position();
}

TEST_F(ViewerTest, MenuHelpLeavesTheStatusBarWhenTheMenuCloses) {
  Viewer viewer(WriteTestFile("menu-help.txt", "123/456   ABC12345  件名\r\n" + NumberedLines(20)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(22)) << viewer.Position();
  ASSERT_TRUE(viewer.WaitMessage("", 8000)) << viewer.Message();
  // "その他(&O)", "ｲﾝﾃﾘｼﾞｪﾝﾄ機能(&I)" and "NIFTYログ解析(&L)" by their accelerators, as keys
  // reach the menu a user opened: each highlighted item shows its help while the menu is open.
  // The pointer goes out of the way first: over an item it would highlight that one. Where
  // the viewer opens by default, the menu may reach any corner of the screen, so the viewer
  // goes to the top left and the pointer to the far corner.
  SetWindowPos(viewer.main(), nullptr, 0, 0, 640, 480, SWP_NOZORDER);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  Post(viewer.main(), WM_SYSCOMMAND, SC_KEYMENU, 'o');
  EXPECT_TRUE(viewer.WaitMessage("テキストモードで表示します")) << viewer.Message();
  Post(viewer.main(), WM_CHAR, 'i');
  EXPECT_TRUE(viewer.WaitMessage("ファイルのページ構造(^Lか整形)を解析します")) << viewer.Message();
  Post(viewer.main(), WM_CHAR, 'l');
  HWND list = WaitForWindow(viewer.ProcessId(), "ZelkoView!LList", "ログヘッダ", 10000);
  ASSERT_NE(list, nullptr);
  // The command has run: the status bar shows what it showed before the menu opened.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(viewer.main()) != FALSE; }, 10000));
  EXPECT_EQ(viewer.Message(), "");
}

// Tiling n viewers gives a grid of equal cells: c columns and r rows of distinct positions.
void ExpectTiled(int count, size_t columns, size_t rows) {
  std::vector<std::unique_ptr<Viewer>> viewers;
  for (int i = 0; i < count; ++i) {
    viewers.push_back(std::make_unique<Viewer>());
    ASSERT_NE(viewers.back()->main(), nullptr);
  }
  viewers.front()->Command(501);
  auto tiled = [&] {
    std::set<LONG> xs, ys, widths, heights;
    for (const auto& viewer : viewers) {
      RECT r;
      GetWindowRect(viewer->main(), &r);
      xs.insert(r.left);
      ys.insert(r.top);
      widths.insert(r.right - r.left);
      heights.insert(r.bottom - r.top);
    }
    return xs.size() == columns && ys.size() == rows && widths.size() == 1 && heights.size() == 1;
  };
  EXPECT_TRUE(WaitUntil(tiled, 5000));
  RECT first;
  GetWindowRect(viewers.front()->main(), &first);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_LE(LONG(columns) * (first.right - first.left), screenWidth + 64);
  EXPECT_GE(LONG(columns) * (first.right - first.left), screenWidth * 3 / 4);
}

TEST_F(ViewerTest, TilingFourAndFiveViewers) {
  ExpectTiled(4, 2, 2);
  ExpectTiled(5, 3, 2);
}

TEST_F(ViewerTest, ReloadedKeyTableTakesEffect) {
  Viewer viewer(WriteTestFile("reload-keys.txt", NumberedLines(300)));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(301));
  // Space now moves one row down (command 3) instead of a page.
  std::string table(1280, '\0');
  table[0] = char(VK_SPACE);
  table[3] = 3;
  WriteBinarySetting("KeyAssign", table);
  Send(viewer.main(), 1125);  // WM_ZV_RELOADKEYS, as the key customizer sends it
  viewer.Press(VK_SPACE);
  EXPECT_TRUE(viewer.WaitTopRow(2)) << viewer.Position();
  viewer.Press(VK_DOWN);  // no longer in the table
  Pause(300);
  EXPECT_EQ(viewer.TopRow(), 2);
}

// The flags of BooleanOption with the tool-bar placement (character 8) replaced.
std::string FlagsWithToolBar(char placement) {
  std::string flags = "1111111101140007F010111101";
  flags[7] = placement;
  return flags;
}

TEST_F(ViewerTest, ToolBarPlacementDecidesWhereTheTextStarts) {
  struct Case {
    char placement;
    int left, top;
  };
  for (Case c : {Case{'0', 2, 2}, Case{'1', 2, 26}, Case{'2', 30, 2}}) {
    DeleteSettingsKey();
    WriteStringSetting("BooleanOption", FlagsWithToolBar(c.placement));
    Viewer viewer;
    ASSERT_NE(viewer.main(), nullptr);
    RECT text;
    GetWindowRect(viewer.text(), &text);
    MapWindowPoints(nullptr, viewer.main(), reinterpret_cast<POINT*>(&text), 2);
    EXPECT_EQ(text.left, c.left) << c.placement;
    EXPECT_EQ(text.top, c.top) << c.placement;
    HWND tool = FindWindowExA(viewer.main(), nullptr, "PlimTool", nullptr);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(IsWindowVisible(tool) != 0, c.placement != '0') << c.placement;
    if (c.placement == '2') SaveScreenshot(viewer.main(), "zv32_vertical_tools");
  }
}

TEST_F(ViewerTest, StartsMaximizedWhenTheWindowStyleSaysSo) {
  WriteDwordSetting("WindowStyle", 3);
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsZoomed(viewer.main()) != 0; }, 3000));
}

TEST_F(ViewerTest, MouseSelectionGoesToTheClipboard) {
  // Line numbers off: the text starts at the margin "Spacing" (10 pixels), so a press just
  // right of it hits byte 0 of a row whatever the font.
  std::string flags = "1111111101140007F010111101";
  flags[10] = '0';
  WriteStringSetting("BooleanOption", flags);
  Viewer viewer(WriteTestFile("clip.txt", "ab\r\nc"));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(2)) << viewer.Position();
  HWND text = viewer.text();
  RECT client;
  GetClientRect(text, &client);
  const POINT rowZero{11, 1}, belowTheText{11, client.bottom / 2}, margin{2, 1};

  // From byte 0 down past the last row: the whole text; the copy clears the selection.
  ASSERT_TRUE(EmptyClipboardNow());
  viewer.Drag(rowZero, belowTheText);
  Send(viewer.main(), WM_COMMAND, 112);
  EXPECT_EQ(ClipboardTextNow(), "ab\r\nc");
  Send(viewer.main(), WM_COMMAND, 114);  // nothing selected now: the screen is appended
  EXPECT_EQ(ClipboardTextNow(), "ab\r\ncab\r\nc");
  // The same with the default quote "》" before each line.
  viewer.Drag(rowZero, belowTheText);
  Send(viewer.main(), WM_COMMAND, 113);
  EXPECT_EQ(ClipboardTextNow(), "》ab\r\n》c");
  // A press in the margin selects the row; appended to what the clipboard holds.
  viewer.Drag(margin, margin);
  Send(viewer.main(), WM_COMMAND, 114);
  EXPECT_EQ(ClipboardTextNow(), "》ab\r\n》cab\r\n");
  // The top row.
  ASSERT_TRUE(EmptyClipboardNow());
  Send(viewer.main(), WM_COMMAND, 110);
  EXPECT_EQ(ClipboardTextNow(), "ab\r\n");
  EXPECT_EQ(viewer.TopRow(), 1);
}

TEST_F(ViewerTest, CopiesOfAUnixFileHoldCrLfLineEnds) {
  Viewer viewer(WriteTestFile("unix.txt", "一行目\n二行目\n\n四行目\n"));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(5)) << viewer.Position();
  ASSERT_TRUE(EmptyClipboardNow());
  Send(viewer.main(), WM_COMMAND, 110);  // the top row
  EXPECT_EQ(ClipboardTextNow(), "一行目\r\n");
  Send(viewer.main(), WM_COMMAND, 115);  // the whole text
  EXPECT_EQ(ClipboardTextNow(), "一行目\r\n二行目\r\n\r\n四行目\r\n");
  Send(viewer.main(), WM_COMMAND, 113);  // the screen, quoted
  EXPECT_EQ(ClipboardTextNow(), "》一行目\r\n》二行目\r\n》\r\n》四行目\r\n");
}

TEST_F(ViewerTest, ToolsAndTheEditorStartWithTheShownFile) {
  const std::string output = ExeDir() + "\\e2e-files\\tool-out.txt";
  DeleteFileA(output.c_str());
  // Tool 1 copies the shown file ('$') to a file of the test's.
  WriteStringSetting("Tool0", "cmd.exe /c copy $ \"" + output + "\"");
  WriteStringSetting("Editor", "cmd.exe /c exit");
  const std::string text = NumberedLines(5);
  Viewer viewer(WriteTestFile("tools.txt", text));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(6));
  viewer.Command(950);  // the tools menu's first item
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(output) == text; }, 15000)) << ReadFileBytes(output);
  viewer.Command(951);  // tool 2 is unset: nothing starts, the viewer goes on
  Pause(300);
  EXPECT_EQ(viewer.RowCount(), 6);
  viewer.Command(20952);  // the editor, then the viewer closes
  DWORD code = 99;
  EXPECT_TRUE(viewer.WaitExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(ViewerTest, AboutBoxShowsTheNameAndVersion) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(430);
  HWND about = WaitForWindow(viewer.ProcessId(), "PlimDialog", "Zelko Viewについて", 10000);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Text(Item(about, 101)), "Zelko View 32");
  EXPECT_EQ(Text(Item(about, 102)), "Ver.1.65");
  ShowAndSettle(about);
  EXPECT_FALSE(SaveScreenshot(about, "zv32_about").empty());
  Post(about, WM_COMMAND, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5000));
}

TEST_F(ViewerTest, ReloadReadsTheFileAgainAndKeepsTheTopRow) {
  const std::string path = WriteTestFile("reload.txt", NumberedLines(100));
  Viewer viewer(path);
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(101));
  viewer.Press(VK_DOWN);
  viewer.Press(VK_DOWN);
  ASSERT_TRUE(viewer.WaitTopRow(5)) << viewer.Position();
  WriteTestFile("reload.txt", NumberedLines(200));  // the file grew meanwhile
  viewer.Command(103);
  EXPECT_TRUE(viewer.WaitRows(201)) << viewer.Position();
  EXPECT_TRUE(viewer.WaitTopRow(5)) << viewer.Position();
}
