// End-to-end tests of the help under Wine: the help file "ZLKOVIEW.HLP" built beside the programs,
// opened by F1 and menu 3 (contents), by the Help buttons of Zelko Filer, the archive filer, the
// settings dialog and ZVKEY32.EXE (their topics), and by ZV32.EXE started without PLIM32.DLL. The
// help engine is Wine's winhlp32, a process of its own: its window (class "MS_WINHELP") is found
// by class, and the topic shown is read from its rich-edit child with WM_GETTEXT.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/e2e_driver_win.h"
#include "tests/e2e/zv32_session_win.h"
#include "tests/e2e/zvkey32_session_win.h"

namespace {

using namespace e2e;

constexpr char kHelpWindowClass[] = "MS_WINHELP";
constexpr char kHelpFileName[] = "ZLKOVIEW.HLP";
constexpr char kFilerClass[] = "ZelkoView!Filer";
constexpr char kArchiveFilerClass[] = "ZelkoView!ArchFiler";
constexpr char kDialogClass[] = "PlimDialog";
constexpr char kSettingsTitle[] = "Zelko Viewの設定";
constexpr int kCustomizerHelp = 503;  // "ヘルプ(&H)" of ZVKEY32.EXE
constexpr DWORD kHelpTimeoutMs = 20000;
constexpr int kFirstLinkX = 12, kFirstLinkY = 7;  // client point on the first letters of the first line
constexpr size_t kHelpTextLimit = 65536;  // characters of a topic read back

// Headings of the topics, as the help window shows them.
constexpr char kContentsHeading[] = "目次";
constexpr char kFilerHeading[] = "Zelko Filer";
constexpr char kArchiveHeading[] = "アーカイブファイラー (LZH / ZIP) と展開";
constexpr char kSettingsHeading[] = "Zelko View の設定ダイアログ";
constexpr char kCustomizerHeading[] = "キー割り当てのカスタマイズ (ZVKEY32.EXE)";
constexpr char kMissingLibraryHeading[] = "PLIM32.DLL が見つかりません";

std::string HelpPath() { return ExeDir() + "\\" + kHelpFileName; }

HWND VisibleHelpWindow() {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kHelpWindowClass, nullptr)) != nullptr)
    if (IsWindowVisible(window)) return window;
  return nullptr;
}

// A descendant of the help window whose class name or text contains `part` (case-insensitive).
struct ChildSearch {
  std::string part;
  bool byClass;
  HWND found;
};

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

BOOL CALLBACK MatchChild(HWND child, LPARAM search) {
  auto* wanted = reinterpret_cast<ChildSearch*>(search);
  std::string name = wanted->byClass ? Lower(ClassOf(child)) : Text(child);
  if (name.find(wanted->part) == std::string::npos) return TRUE;
  wanted->found = child;
  return FALSE;
}

HWND FindChild(HWND parent, const std::string& part, bool byClass) {
  ChildSearch search{part, byClass, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The text of the topic the help window shows, in Shift-JIS. Its rich-edit child counts its length
// in characters, too few bytes for double-byte text, so it is read in UTF-16 into a large buffer.
std::string HelpText(HWND help) {
  HWND edit = FindChild(help, "richedit", true);
  if (!edit) return {};
  std::wstring wide(kHelpTextLimit, L'\0');
  wide.resize(size_t(SendMessageW(edit, WM_GETTEXT, WPARAM(wide.size()), LPARAM(wide.data()))));
  std::string text(wide.size() * 2 + 1, '\0');
  text.resize(size_t(WideCharToMultiByte(932, 0, wide.data(), int(wide.size()), text.data(), int(text.size()), nullptr, nullptr)));
  return text;
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM out) {
  char line[160];
  std::snprintf(line, sizeof line, "%s(%d chars) ", ClassOf(child).c_str(), int(SendMessageW(child, WM_GETTEXTLENGTH, 0, 0)));
  *reinterpret_cast<std::string*>(out) += line;
  return TRUE;
}

// The classes and text lengths of the help window's descendants, for failure messages.
std::string DescribeHelpWindow() {
  HWND help = VisibleHelpWindow();
  std::string out = help ? "" : "no help window";
  if (help) EnumChildWindows(help, DescribeChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

// Waits for a visible help window whose topic contains `heading`; nullptr when none comes.
HWND WaitHelpTopic(const std::string& heading, std::string* lastText = nullptr) {
  HWND shown = nullptr;
  std::string text;
  WaitUntil([&] {
    shown = VisibleHelpWindow();
    text = shown ? HelpText(shown) : std::string();
    return text.find(heading) != std::string::npos;
  }, kHelpTimeoutMs);
  if (lastText) *lastText = text;
  return text.find(heading) != std::string::npos ? shown : nullptr;
}

void QuitHelp() {
  WinHelpA(nullptr, HelpPath().c_str(), HELP_QUIT, 0);
  WaitUntil([] { return VisibleHelpWindow() == nullptr; }, 10000);
}

class HelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteSettingsKey();
    QuitHelp();
  }
  void TearDown() override { QuitHelp(); }

  // The topic with `heading` is shown; a picture of it is saved under `screenshot` when named.
  static void ExpectTopic(const std::string& heading, const std::string& screenshot = {}) {
    std::string text;
    HWND help = WaitHelpTopic(heading, &text);
    ASSERT_NE(help, nullptr) << "help window text: " << text << "; windows: " << DescribeHelpWindow();
    if (!screenshot.empty()) {
      ShowAndSettle(help);
      SaveScreenshot(help, screenshot);
    }
  }
};

TEST_F(HelpTest, TheHelpFileIsBesideThePrograms) {
  bool exists = false;
  std::string bytes = ReadFileBytes(HelpPath(), &exists);
  ASSERT_TRUE(exists) << HelpPath();
  EXPECT_EQ(bytes.compare(0, 4, std::string("\x3F\x5F\x03\x00", 4)), 0);
}

TEST_F(HelpTest, F1AndTheHelpMenuOpenTheContents) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Press(VK_F1);  // command 950
  ExpectTopic(kContentsHeading, "help_contents");
  QuitHelp();
  viewer.Command(IDM_HELP);
  ExpectTopic(kContentsHeading);
}

TEST_F(HelpTest, TheKeywordIndexListsTheKeywords) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_HELP);
  HWND help = WaitHelpTopic(kContentsHeading);
  ASSERT_NE(help, nullptr);
  HWND indexButton = FindChild(help, "索引", false);  // "索引(&I)" of the button bar
  ASSERT_NE(indexButton, nullptr);
  Post(indexButton, BM_CLICK);
  DWORD helpProcess = 0;
  GetWindowThreadProcessId(help, &helpProcess);
  HWND sheet = WaitForWindow(helpProcess, "#32770", nullptr, 10000);
  ASSERT_NE(sheet, nullptr);
  HWND list = nullptr;
  WaitUntil([&] {
    HWND page = FindWindowExA(sheet, nullptr, "#32770", nullptr);
    list = page ? FindWindowExA(page, nullptr, "ListBox", nullptr) : nullptr;
    return list != nullptr && Send(list, LB_GETCOUNT) > 0;
  }, 10000);
  ASSERT_NE(list, nullptr);
  std::vector<std::string> words;
  for (LRESULT i = 0, count = Send(list, LB_GETCOUNT); i < count; ++i) {
    // Asked as wide text: Wine hands another process's list-box lines over in UTF-16 only.
    wchar_t wide[256] = L"";
    char word[512] = "";
    if (SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0) < LRESULT(std::size(wide))) SendMessageW(list, LB_GETTEXT, WPARAM(i), LPARAM(wide));
    WideCharToMultiByte(932, 0, wide, -1, word, sizeof word, nullptr, nullptr);
    words.push_back(word);
  }
  SaveScreenshot(sheet, "help_index");
  for (const char* keyword : {"Zelko Filer", "漢字コード", "ZVKEY32.EXE", "PLIM32.DLL", "一括検索"})
    EXPECT_NE(std::find(words.begin(), words.end(), keyword), words.end()) << keyword;
  Post(sheet, WM_COMMAND, IDCANCEL);
}

TEST_F(HelpTest, TheFilersHelpButtonOpensItsTopic) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_FILER);
  HWND filer = WaitForWindow(viewer.ProcessId(), kFilerClass, "Zelko Filer", kHelpTimeoutMs);
  ASSERT_NE(filer, nullptr);
  Post(filer, WM_COMMAND, IDC_FILER_HELP);
  ExpectTopic(kFilerHeading, "help_filer");
  // The link bar comes before any double-byte text, so its first jump is live from its first
  // letters: a click there shows the contents.
  HWND edit = FindChild(VisibleHelpWindow(), "richedit", true);
  ASSERT_NE(edit, nullptr);
  RealClick(edit, kFirstLinkX, kFirstLinkY);
  ExpectTopic(kContentsHeading);
}

TEST_F(HelpTest, TheArchiveFilersHelpButtonOpensItsTopic) {
  Viewer viewer(ExeDir() + "\\e2e-archives\\members.zip");
  ASSERT_NE(viewer.main(), nullptr);
  HWND filer = WaitForWindow(viewer.ProcessId(), kArchiveFilerClass, nullptr, kHelpTimeoutMs);
  ASSERT_NE(filer, nullptr);
  Post(filer, WM_COMMAND, IDC_ARCH_HELP);
  ExpectTopic(kArchiveHeading);
}

TEST_F(HelpTest, TheSettingsDialogsHelpOpensItsTopicAndClosingTheDialogClosesIt) {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_SETTINGS);
  HWND dialog = WaitForWindow(viewer.ProcessId(), kDialogClass, kSettingsTitle, kHelpTimeoutMs);
  ASSERT_NE(dialog, nullptr);
  Post(dialog, WM_COMMAND, IDC_HELP_BUTTON);
  ExpectTopic(kSettingsHeading, "help_settings");
  Post(dialog, WM_COMMAND, IDC_CANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
  EXPECT_TRUE(WaitUntil([] { return VisibleHelpWindow() == nullptr; }, 10000)) << "the help window stayed open";
}

// The customizer starts on the key table the viewer writes when it first runs.
void RunViewerOnce() {
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  std::string bytes;
  ASSERT_TRUE(WaitUntil([&] { return ReadSetting("KeyAssign", bytes); }, 10000));
}

TEST_F(HelpTest, TheKeyCustomizersHelpOpensItsTopicFromAnotherFolder) {
  RunViewerOnce();
  // Started in another folder: the help file is found beside the program, not in the current one.
  std::string elsewhere = ExeDir() + "\\e2e-help-elsewhere";
  CreateDirectoryA(elsewhere.c_str(), nullptr);
  Customizer customizer("ZVKEY32.EXE", elsewhere);
  ASSERT_NE(customizer.WaitDialog(), nullptr);
  customizer.Press(kCustomizerHelp);
  ExpectTopic(kCustomizerHeading);
  customizer.Press(Customizer::kExit);
  EXPECT_TRUE(customizer.WaitExit(10000));
}

// A folder of its own holding ZV32.EXE and the help file but not PLIM32.DLL.
std::string FolderWithoutControlLibrary() {
  std::string folder = ExeDir() + "\\e2e-no-plim";
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA((ExeDir() + "\\ZV32.EXE").c_str(), (folder + "\\ZV32.EXE").c_str(), FALSE);
  CopyFileA(HelpPath().c_str(), (folder + "\\" + kHelpFileName).c_str(), FALSE);
  DeleteFileA((folder + "\\PLIM32.DLL").c_str());
  return folder;
}

TEST_F(HelpTest, WithoutTheControlLibraryTheViewerShowsWhatToDo) {
  std::string folder = FolderWithoutControlLibrary();
  Program viewer(folder + "\\ZV32.EXE", folder, false);
  ASSERT_TRUE(viewer.Started());
  ExpectTopic(kMissingLibraryHeading, "help_missing_library");
  DWORD exitCode = 0;
  EXPECT_TRUE(viewer.WaitExit(10000, &exitCode));
  EXPECT_EQ(exitCode, 1u);
  WinHelpA(nullptr, (folder + "\\" + kHelpFileName).c_str(), HELP_QUIT, 0);
}

// The help file moved aside for the duration of a test, and put back afterwards.
class HiddenHelpFile {
 public:
  HiddenHelpFile() : aside_(HelpPath() + ".aside") { moved_ = MoveFileExA(HelpPath().c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING); }
  ~HiddenHelpFile() {
    if (moved_) MoveFileExA(aside_.c_str(), HelpPath().c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  bool moved() const { return moved_; }

 private:
  std::string aside_;
  bool moved_ = false;
};

TEST_F(HelpTest, WithoutTheHelpFileTheViewerSaysWhereItShouldBe) {
  HiddenHelpFile hidden;
  ASSERT_TRUE(hidden.moved());
  Viewer viewer;
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Press(VK_F1);  // command 950, the help
  HWND box = WaitForWindow(viewer.ProcessId(), "#32770", "Zelko View 32", 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(MessageBoxText(box).find("ZLKOVIEW.HLP"), std::string::npos) << MessageBoxText(box);
  Post(box, WM_COMMAND, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  EXPECT_EQ(VisibleHelpWindow(), nullptr);
}

TEST_F(HelpTest, WithoutTheHelpFileTheKeyCustomizerSaysWhereItShouldBe) {
  RunViewerOnce();
  HiddenHelpFile hidden;
  ASSERT_TRUE(hidden.moved());
  Customizer customizer;
  ASSERT_NE(customizer.WaitDialog(), nullptr);
  customizer.Press(kCustomizerHelp);
  EXPECT_NE(customizer.Answer().find("ZLKOVIEW.HLP"), std::string::npos);
  EXPECT_EQ(VisibleHelpWindow(), nullptr);
  customizer.Press(Customizer::kExit);
  EXPECT_TRUE(customizer.WaitExit(10000));
}

}  // namespace
