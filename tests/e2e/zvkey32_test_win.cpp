// End-to-end tests of ZVKEY32.EXE under Wine: the viewer's assignments listed, keys typed by
// real input (Shift and Ctrl toggling their boxes), adding, refusing a duplicate, deleting,
// key files saved and loaded back (short, unknown codes, a full table), writing KeyAssign
// to a running viewer that then uses the new key, and starting without the viewer, without
// the control library or before the viewer has ever run.  Each test starts from a deleted
// settings key.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/zv32_session_win.h"
#include "tests/e2e/zvkey32_session_win.h"

using namespace e2e;

namespace {

using C = Customizer;

class CustomizerTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
  void TearDown() override { DeleteSettingsKey(); }
  // The viewer started once writes its default KeyAssign.
  static void RunViewerOnce() {
    Viewer viewer;
    ASSERT_NE(viewer.main(), nullptr);
    std::string bytes;
    ASSERT_TRUE(WaitUntil([&] { return ReadSetting("KeyAssign", bytes); }, 10000));
  }
};

std::string Record(uint16_t key, uint8_t modifiers, uint16_t command) {
  char bytes[5] = {char(key & 0xFF), char(key >> 8), char(modifiers), char(command & 0xFF), char(command >> 8)};
  return std::string(bytes, 5);
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string KeyAssign() {
  std::string bytes;
  return ReadSetting("KeyAssign", bytes) ? bytes : "(missing)";
}

std::string CopyInto(const std::string& folderName, std::initializer_list<const char*> files) {
  std::string folder = ExeDir() + "\\" + folderName;
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* file : files) CopyFileA((ExeDir() + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE);
  return folder;
}

}  // namespace

TEST_F(CustomizerTest, ListsTheViewersKeysAndAddsDeletesAndRefusesDuplicates) {
  RunViewerOnce();
  Customizer customizer;
  ASSERT_NE(customizer.WaitDialog(), nullptr);

  // The 44 default records, ordered by command code; records with equal codes keep their order.
  std::vector<std::string> lines = customizer.Lines();
  ASSERT_EQ(lines.size(), 44u);
  EXPECT_NE(lines.front().find("+  :２行上へ"), std::string::npos) << lines.front();
  EXPECT_NE(lines.back().find("+  :Zelko View終了"), std::string::npos) << lines.back();
  EXPECT_EQ(lines[11], "C         +  :一画面下へ");
  EXPECT_TRUE(Contains(lines, "P         +SC:一行クリップ"));
  EXPECT_TRUE(Contains(lines, "P         + C:全体クリップ"));
  EXPECT_EQ(Send(customizer.Item(C::kCommands), CB_GETCOUNT), 78);
  EXPECT_TRUE(Contains(lines, "F         +S :ファイル追従"));
  EXPECT_EQ(Send(customizer.Item(C::kCommands), CB_GETCURSEL), 0);
  EXPECT_EQ(Text(customizer.Item(C::kCommands)), "１行上へ");
  ShowAndSettle(customizer.dialog());
  EXPECT_FALSE(SaveScreenshot(customizer.dialog(), "zvkey32_dialog").empty());

  customizer.Press(C::kAdd);
  EXPECT_EQ(customizer.Answer(), "キーが入力されていません");
  customizer.Press(C::kDelete);
  EXPECT_EQ(customizer.Answer(), "選択されていません");

  // A key typed into the box shows its name; repeats are ignored.
  customizer.FocusKeyBox();
  customizer.Type('C');
  EXPECT_EQ(customizer.KeyBoxText(), "C");
  Send(customizer.Item(C::kKeyBox), WM_KEYDOWN, VK_SHIFT, LPARAM(0x40000001));
  EXPECT_FALSE(customizer.Checked(C::kShiftBox));

  // C without modifiers is listed already: its line is selected and nothing is added.
  customizer.Press(C::kAdd);
  HWND box = customizer.WaitMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(customizer.SelectedLine(), 11);
  ShowAndSettle(box);
  EXPECT_EQ(customizer.Answer(IDOK, "zvkey32_duplicate"), "キー定義に重複があります");
  EXPECT_EQ(customizer.Lines().size(), 44u);

  // Shift alone toggles its box; Shift+A then gives A with the box as toggled.
  customizer.FocusKeyBox();
  {
    HeldKey shift(VK_SHIFT);
    EXPECT_TRUE(WaitUntil([&] { return customizer.Checked(C::kShiftBox); }, 2000));
    customizer.Type('A');
  }
  EXPECT_EQ(customizer.KeyBoxText(), "A");
  EXPECT_TRUE(customizer.Checked(C::kShiftBox));
  { HeldKey ctrl(VK_CONTROL); }
  EXPECT_TRUE(WaitUntil([&] { return customizer.Checked(C::kCtrlBox); }, 2000));
  { HeldKey ctrl(VK_CONTROL); }
  EXPECT_TRUE(WaitUntil([&] { return !customizer.Checked(C::kCtrlBox); }, 2000));

  // Shift+A for "次のZelko View" (56): right after the lines of code 50.
  customizer.ChooseCommand(56);
  customizer.Press(C::kAdd);
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines().size() == 45u; }, 3000));
  lines = customizer.Lines();
  int added = customizer.SelectedLine();
  ASSERT_GE(added, 0);
  EXPECT_EQ(lines[added], "A         +S :次のZelko View");
  EXPECT_NE(lines[added - 1].find(":LZH/ZIPかFilerへ"), std::string::npos);
  EXPECT_FALSE(customizer.Checked(C::kShiftBox));
  EXPECT_EQ(customizer.KeyBoxText(), "A");

  // The same key with other modifiers is a new assignment; the same once more is refused.
  customizer.Press(C::kAdd);
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines().size() == 46u; }, 3000));
  customizer.Press(C::kAdd);
  EXPECT_EQ(customizer.Answer(), "キー定義に重複があります");
  EXPECT_EQ(customizer.Lines()[customizer.SelectedLine()], "A         +  :次のZelko View");

  // Delete removes the selected line and selects the line now at its place.
  std::string next = customizer.Lines()[customizer.SelectedLine() + 1];
  customizer.Press(C::kDelete);
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines().size() == 45u; }, 3000));
  EXPECT_EQ(customizer.Lines()[customizer.SelectedLine()], next);
  // After the last line the line before it is selected.
  Send(customizer.Item(C::kList), LB_SETCURSEL, 44);
  customizer.Press(C::kDelete);
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines().size() == 44u; }, 3000));
  EXPECT_EQ(customizer.SelectedLine(), 43);

  // Exit drops the changes: KeyAssign is what the viewer wrote.
  std::string before = KeyAssign();
  customizer.Press(C::kExit);
  DWORD code = 99;
  EXPECT_TRUE(customizer.WaitExit(10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(KeyAssign(), before);
}

TEST_F(CustomizerTest, KeyFilesSaveAndLoadBackShortFilesAndAFullTable) {
  RunViewerOnce();
  Customizer customizer;
  ASSERT_NE(customizer.WaitDialog(), nullptr);
  std::vector<std::string> defaults = customizer.Lines();
  ASSERT_EQ(defaults.size(), 44u);

  std::string first = WriteTestFile("first.zvk", "");
  DeleteFileA(first.c_str());
  ASSERT_TRUE(customizer.ChooseFile(C::kSave, "キー定義のセーブ", first));
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(first).size() == 1280; }, 3000));
  EXPECT_EQ(ReadFileBytes(first), KeyAssign());

  // Without its extension the name gets ".zvk"; the file holds the changed table, packed.
  Send(customizer.Item(C::kList), LB_SETCURSEL, 0);
  customizer.Press(C::kDelete);
  customizer.FocusKeyBox();
  customizer.Type('G');
  customizer.ChooseCommand(955);
  customizer.Press(C::kAdd);
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines().size() == 44u; }, 3000));
  std::vector<std::string> changed = customizer.Lines();
  EXPECT_TRUE(Contains(changed, "G         +  :アバウト表示"));
  std::string second = WriteTestFile("second.zvk", "");
  DeleteFileA(second.c_str());
  ASSERT_TRUE(customizer.ChooseFile(C::kSave, "キー定義のセーブ", second.substr(0, second.size() - 4)));
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(second).size() == 1280; }, 3000));
  std::string saved = ReadFileBytes(second);
  EXPECT_EQ(saved.substr(0, 5), Record(VK_RETURN, 0, 8));  // the first free slot was slot 12 (Up)
  EXPECT_EQ(saved.substr(12 * 5, 5), Record('G', 0, 955));
  EXPECT_EQ(saved.substr(44 * 5), std::string(1280 - 44 * 5, '\0'));

  ASSERT_TRUE(customizer.ChooseFile(C::kLoad, "キー定義のロード", first));
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines() == defaults; }, 3000));
  ASSERT_TRUE(customizer.ChooseFile(C::kLoad, "キー定義のロード", second));
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines() == changed; }, 3000));

  // A short file: two records and a cut-off third; the rest is empty.  An unknown code stays.
  std::string shortFile =
      WriteTestFile("short.zvk", Record('U', 2, 4242) + Record('T', 0, 250) + Record('V', 0, 1).substr(0, 3));
  ASSERT_TRUE(customizer.ChooseFile(C::kLoad, "キー定義のロード", shortFile));
  std::vector<std::string> expected = {"T         +  :テキスト表示", "U         +S :??Unknown??"};
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines() == expected; }, 3000));
  std::string shortSaved = WriteTestFile("short-saved.zvk", "");
  DeleteFileA(shortSaved.c_str());
  ASSERT_TRUE(customizer.ChooseFile(C::kSave, "キー定義のセーブ", shortSaved));
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(shortSaved).size() == 1280; }, 3000));
  EXPECT_EQ(ReadFileBytes(shortSaved).substr(0, 10), Record('U', 2, 4242) + Record('T', 0, 250));

  // 256 records: the table is full.
  std::string full;
  for (int i = 0; i < 256; ++i) full += Record(uint16_t(0x100 + i), 0, 1);
  ASSERT_TRUE(customizer.ChooseFile(C::kLoad, "キー定義のロード", WriteTestFile("full.zvk", full)));
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines().size() == 256u; }, 5000));
  EXPECT_EQ(customizer.Lines().front(), "VK0100    +  :１行上へ");
  customizer.FocusKeyBox();
  customizer.Type('G');
  customizer.Press(C::kAdd);
  EXPECT_EQ(customizer.Answer(), "これ以上追加できません");
  EXPECT_EQ(customizer.Lines().size(), 256u);
}

TEST_F(CustomizerTest, WriteAsksThenARunningViewerUsesTheNewKeyAtOnce) {
  std::string file = WriteTestFile("keys.txt", NumberedLines(300));
  Viewer viewer(file);
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(301));
  viewer.Press('G');
  Pause(500);
  EXPECT_EQ(viewer.TopRow(), 1);

  Customizer customizer;
  ASSERT_NE(customizer.WaitDialog(), nullptr);
  ASSERT_EQ(customizer.Lines().size(), 44u);
  customizer.FocusKeyBox();
  customizer.Type('G');
  customizer.ChooseCommand(10);  // "末尾へ"
  customizer.Press(C::kAdd);
  EXPECT_TRUE(WaitUntil([&] { return Contains(customizer.Lines(), "G         +  :末尾へ"); }, 3000));

  std::string before = KeyAssign();
  customizer.Press(C::kWrite);
  EXPECT_EQ(customizer.Answer(IDNO), "Zelko View本体に書き込みますか？");
  EXPECT_EQ(KeyAssign(), before);

  customizer.Press(C::kWrite);
  EXPECT_EQ(customizer.Answer(IDYES), "Zelko View本体に書き込みますか？");
  EXPECT_TRUE(WaitUntil([&] { return KeyAssign() != before; }, 3000));
  std::string written = KeyAssign();
  ASSERT_EQ(written.size(), 1280u);
  EXPECT_EQ(written.substr(0, 44 * 5), before.substr(0, 44 * 5));
  EXPECT_EQ(written.substr(44 * 5, 5), Record('G', 0, 10));

  viewer.Press('G');
  EXPECT_TRUE(WaitUntil([&] { return viewer.TopRow() > 1; }, 5000)) << viewer.Position();
}

TEST_F(CustomizerTest, StartsWithoutTheViewerTheLibraryOrAUsableKeyAssign) {
  RunViewerOnce();
  {
    // Not beside ZV32.EXE: the message, then the dialog with an empty list.
    std::string folder = CopyInto("zvkey-alone", {"ZVKEY32.EXE", "PLIM32.DLL"});
    Customizer customizer(folder + "\\ZVKEY32.EXE", folder);
    EXPECT_EQ(customizer.Answer(), "Zelko View本体(ZLKOVIEW.EXE)がありません。同じディレクトリから実行して下さい");
    ASSERT_NE(customizer.WaitDialog(), nullptr);
    EXPECT_TRUE(customizer.Lines().empty());
  }
  {
    // Without the control library: its message and exit code 1.
    std::string folder = CopyInto("zvkey-nolib", {"ZVKEY32.EXE"});
    Customizer customizer(folder + "\\ZVKEY32.EXE", folder);
    EXPECT_EQ(customizer.Answer(), "Can't find PLIM.DLL");
    DWORD code = 99;
    EXPECT_TRUE(customizer.WaitExit(10000, &code));
    EXPECT_EQ(code, 1u);
  }
  // A KeyAssign of another type or too long is not read.
  for (bool asText : {true, false}) {
    if (asText) WriteStringSetting("KeyAssign", "KeyAssign");
    else WriteBinarySetting("KeyAssign", std::string(1281, 'A'));
    Customizer customizer;
    EXPECT_EQ(customizer.Answer(), "一度Zelko Viewを使った後で実行してください") << asText;
    ASSERT_NE(customizer.WaitDialog(), nullptr);
    EXPECT_TRUE(customizer.Lines().empty());
  }
  // Before the viewer ever ran: the same message; writing then fails and says so.
  DeleteSettingsKey();
  Customizer customizer;
  EXPECT_EQ(customizer.Answer(), "一度Zelko Viewを使った後で実行してください");
  ASSERT_NE(customizer.WaitDialog(), nullptr);
  customizer.FocusKeyBox();
  customizer.Type('G');
  customizer.Press(C::kAdd);
  EXPECT_TRUE(WaitUntil([&] { return customizer.Lines().size() == 1u; }, 3000));
  customizer.Press(C::kWrite);
  EXPECT_EQ(customizer.Answer(IDYES), "Zelko View本体に書き込みますか？");
  EXPECT_EQ(customizer.Answer(), "Zelko View本体の設定(レジストリ)に書き込めません");
  EXPECT_EQ(KeyAssign(), "(missing)");
}
