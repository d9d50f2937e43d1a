// End-to-end: UTF-8 and UTF-16 files in ZV32.EXE.  The viewer names the detected code in the
// status item, shows and copies the text as Shift-JIS, and the kanji-code menu forces another
// code and back.  The files are made from Shift-JIS text with the platform's own conversion, so
// the copied text must come back byte for byte.  A screenshot of the UTF-8 file is saved.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/zv32_search_windows_win.h"
#include "tests/e2e/zv32_session_win.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/shell/clipboard_test_support_win.h"

using namespace e2e;

namespace {

class UnicodeFiles : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

std::wstring Wide(const std::string& sjis) {
  int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, sjis.data(), int(sjis.size()), nullptr, 0);
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, sjis.data(), int(sjis.size()), wide.data(), n);
  return wide;
}

std::string Utf8(const std::string& sjis) {
  std::wstring wide = Wide(sjis);
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::string Utf16(const std::string& sjis, bool bigEndian) {
  std::string bytes;
  for (wchar_t unit : Wide(sjis)) {
    char high = char(unit >> 8), low = char(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

// Japanese lines with half-width katakana and the NEC and IBM extensions, then numbered lines.
std::string JapaneseText() {
  std::string text =
      "UTF-8のテキストです。漢字とかなを含みます。\r\n"
      "ファイルの一覧を表示します。\r\n"
      "半角ｶﾀｶﾅと①②③、髙橋さん。\r\n";
  return text + NumberedLines(20);
}

// The selection as the viewer copies it (command 112), asked again while a search that
// selects it may still be on its way.
std::string CopiedSelection(const Viewer& viewer, const std::string& expected) {
  std::string text;
  WaitUntil(
      [&] {
        EmptyClipboardNow();
        Send(viewer.main(), WM_COMMAND, IDM_COPY_SELECTION);
        return (text = ClipboardTextNow()) == expected;
      },
      3000);
  return text;
}

// The whole text as the viewer copies it (command 115).
std::string CopiedText(const Viewer& viewer) {
  EmptyClipboardNow();
  Send(viewer.main(), WM_COMMAND, IDM_COPY_ALL);
  return ClipboardTextNow();
}

}  // namespace

TEST_F(UnicodeFiles, Utf8IsDetectedShownAndForcedFromTheMenu) {
  // A last line of characters CP932 lacks (an emoji and "é"), shown as "〓".
  const std::string lacking = "\xF0\x9F\x98\x80 \xC3\xA9\r\n";
  const std::string text = JapaneseText() + "〓 〓\r\n";
  const std::string file = Utf8(JapaneseText()) + lacking;
  Viewer viewer(WriteTestFile("utf8.txt", file));
  ASSERT_NE(viewer.main(), nullptr);
  EXPECT_TRUE(viewer.WaitMessage("UTF-8コードを検出しました", 3000)) << viewer.Message();
  ASSERT_TRUE(viewer.WaitRows(25)) << viewer.Position();
  ShowAndSettle(viewer.main());
  Pause(300);
  EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_utf8").empty());
  EXPECT_TRUE(CopiedText(viewer) == text) << CopiedText(viewer).substr(0, 80);

  // Forced to Shift-JIS the UTF-8 bytes are shown as they are; forced back, the text returns.
  Send(viewer.main(), WM_COMMAND, IDM_KANJI_SJIS);
  EXPECT_TRUE(CopiedText(viewer) == file);
  Send(viewer.main(), WM_COMMAND, IDM_KANJI_UTF8);
  EXPECT_TRUE(CopiedText(viewer) == text);
  EXPECT_TRUE(viewer.WaitRows(25)) << viewer.Position();

  // The kanji-code popup (command 149, at the cursor) with the two new items, UTF-8 checked:
  // a picture to look at (menu handles do not cross processes under Wine; the check marks are
  // tested in-process by the shell's tests), and five items tall.
  viewer.Command(IDM_KANJI_MENU);
  HWND popup = WaitForWindow(viewer.ProcessId(), "#32768", nullptr, 5000);
  ASSERT_NE(popup, nullptr);
  Pause(300);
  RECT area;
  GetWindowRect(popup, &area);
  EXPECT_FALSE(SavePng(CaptureScreen(area), "zv32_kanji_menu").empty());
  EXPECT_GE(area.bottom - area.top, 5 * GetSystemMetrics(SM_CYMENUSIZE) - 10);
  Post(viewer.main(), WM_CANCELMODE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, 3000));
}

// A kanji word typed into the search dialog is found in the converted UTF-8 text: forward from
// the dialog, then its second occurrence with the repeat search, then nothing more.
TEST_F(UnicodeFiles, KanjiWordIsFoundInAUtf8File) {
  Viewer viewer(WriteTestFile("utf8-search.txt", Utf8(JapaneseText() + "二つ目の一覧です。\r\n")));
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(25)) << viewer.Position();
  viewer.Command(kSearchCommand);
  HWND dialog = WaitForWindow(viewer.ProcessId(), kDialogClass, kSearchTitle, 5000);
  ASSERT_NE(dialog, nullptr);
  SetText(FindWindowExA(Item(dialog, kSearchText), nullptr, "Edit", nullptr), "一覧");
  PostClick(Item(dialog, kSearchForwardButton));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_EQ(CopiedSelection(viewer, "一覧"), "一覧");
  viewer.Command(kForwardCommand);
  EXPECT_EQ(CopiedSelection(viewer, "一覧"), "一覧");
  viewer.Command(kForwardCommand);
  EXPECT_TRUE(viewer.WaitMessage("検索文字列が見つかりません")) << viewer.Message();
}

TEST_F(UnicodeFiles, Utf16WithTheMarkOrMostlyAsciiIsTextNotAHexDump) {
  const std::string text = JapaneseText();
  {
    Viewer viewer(WriteTestFile("utf16le.txt", "\xFF\xFE" + Utf16(text, false)));
    ASSERT_NE(viewer.main(), nullptr);
    EXPECT_TRUE(viewer.WaitMessage("UTF-16コードを検出しました", 3000)) << viewer.Message();
    ASSERT_TRUE(viewer.WaitRows(24)) << viewer.Position();
    EXPECT_TRUE(CopiedText(viewer) == text);
    Send(viewer.main(), WM_COMMAND, IDM_KANJI_EUC);
    EXPECT_FALSE(CopiedText(viewer) == text);
    Send(viewer.main(), WM_COMMAND, IDM_KANJI_UTF16);
    EXPECT_TRUE(CopiedText(viewer) == text);
    ShowAndSettle(viewer.main());
    Pause(300);
    EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_utf16").empty());
  }
  // Big-endian without a mark: taken for UTF-16 when most high bytes are zero (mostly ASCII).
  std::string mostlyAscii = "漢字の行\r\n";
  for (int i = 0; i < 30; ++i) mostlyAscii += "an ASCII line of the big-endian file\r\n";
  Viewer viewer(WriteTestFile("utf16be.txt", Utf16(mostlyAscii, true)));
  ASSERT_NE(viewer.main(), nullptr);
  EXPECT_TRUE(viewer.WaitMessage("UTF-16コードを検出しました", 3000)) << viewer.Message();
  ASSERT_TRUE(viewer.WaitRows(32)) << viewer.Position();
  EXPECT_TRUE(CopiedText(viewer) == mostlyAscii);
}
