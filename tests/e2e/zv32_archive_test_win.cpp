// End-to-end tests of the archive filer under Wine, on archives made by jlha and zip: the
// member list and its summary, showing a member by selecting its line, check marks by key and
// click, extraction through the folder chooser (with folders inside the chosen one), each
// answer of the same-name question and the rename dialog, a cancelled extraction, running a
// member through a test association, hiding the window and command 104.
#include <windows.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/zv32_session_win.h"
#include "viewer/shell/clipboard_test_support_win.h"

using namespace e2e;

namespace {

constexpr char kArchFilerClass[] = "ZelkoView!ArchFiler";
constexpr char kDialogClass[] = "PlimDialog";
constexpr char kChooserTitle[] = "解凍先のディレクトリを指定してください";
constexpr char kSameNameTitle[] = "同名のファイルがあります";
constexpr char kRenameTitle[] = "新しいファイル名";
constexpr char kProgressTitle[] = "解凍中";
constexpr int kListId = IDC_ARCH_LIST;
constexpr int kSummaryId = IDC_ARCH_SUMMARY;
constexpr int kExtractButton = IDC_ARCH_EXTRACT;
constexpr int kArchiveFilerMenu = IDM_ARCHIVE_FILER;
constexpr LPARAM kChecked = 0x800000;
constexpr int kOverwrite = IDC_SAME_NAME_OVERWRITE, kRename = IDC_SAME_NAME_RENAME, kOverwriteAll = IDC_SAME_NAME_ALL,
              kSkip = IDC_SAME_NAME_SKIP, kStopRun = IDC_CANCEL;

std::string ArchivePath(const char* name) { return ExeDir() + "\\e2e-archives\\" + name; }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  win::FindHandle search(FindFirstFileA((path + "\\*").c_str(), &found));
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
  }
  RemoveDirectoryA(path.c_str());
}

// An empty folder ExeDir()\e2e-files\NAME.
std::string FreshFolder(const std::string& name) {
  std::string files = ExeDir() + "\\e2e-files";
  CreateDirectoryA(files.c_str(), nullptr);
  std::string folder = files + "\\" + name;
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A line of another process's list box: asked for in UTF-16 (which is how Wine hands list
// box texts across processes) and turned into the ANSI code page.
std::string LineText(HWND list, int line) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, WPARAM(line), 0, SMTO_ABORTIFHUNG, 5000, &length) ||
      LRESULT(length) < 0)
    return {};
  std::wstring wide(size_t(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(line), reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  std::string text(wide.size() * 2 + 1, '\0');
  int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), int(text.size()), nullptr, nullptr);
  text.resize(bytes > 0 ? size_t(bytes - 1) : 0);
  return text;
}

std::vector<std::string> Lines(HWND list) {
  std::vector<std::string> lines;
  int count = int(Send(list, LB_GETCOUNT));
  for (int i = 0; i < count; ++i) lines.push_back(LineText(list, i));
  return lines;
}

int LineOf(HWND list, const std::string& prefix) {
  std::vector<std::string> lines = Lines(list);
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].compare(0, prefix.size(), prefix) == 0) return int(i);
  return -1;
}

bool Checked(HWND list, int line) { return (Send(list, LB_GETITEMDATA, WPARAM(line)) & kChecked) != 0; }

// The viewer on an archive, with its archive filer.
struct ArchiveSession {
  explicit ArchiveSession(const char* archive) : viewer(ArchivePath(archive)) {
    filer = WaitForWindow(viewer.ProcessId(), kArchFilerClass, nullptr, 20000);
    list = filer ? GetDlgItem(filer, kListId) : nullptr;
  }
  HWND Dialog(const char* className, const char* title, DWORD timeoutMs = 10000) const {
    return WaitForWindow(viewer.ProcessId(), className, title, timeoutMs);
  }
  void ClickLine(int line, int x) const {
    RECT item{};
    Send(list, LB_GETITEMRECT, WPARAM(line), reinterpret_cast<LPARAM>(&item));
    int y = (item.top + item.bottom) / 2;
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Send(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void CheckLines(const std::vector<int>& lines) const {
    for (int line : lines) ClickLine(line, 5);
  }
  // The chooser goes down from the viewer's folder into e2e-files\FOLDER and confirms.
  bool ChooseFolder(const std::string& folder) const {
    HWND chooser = Dialog("#32770", kChooserTitle);
    if (!chooser) return false;
    HWND folders = GetDlgItem(chooser, lst2);
    auto showsFolder = [&] {
      std::string shown = Text(GetDlgItem(chooser, IDC_UNPACK_TO_FOLDER));
      return shown.size() >= folder.size() && !_stricmp(shown.substr(shown.size() - folder.size()).c_str(), folder.c_str());
    };
    // A chooser that opens in the last extraction folder is confirmed as it is.
    for (const std::string& part : {std::string("e2e-files"), folder}) {
      if (showsFolder()) break;
      int item = -1;
      int count = int(Send(folders, LB_GETCOUNT));
      for (int i = 0; i < count && item < 0; ++i)
        if (_stricmp(LineText(folders, i).c_str(), ("[" + part + "]").c_str()) == 0) item = i;
      if (item < 0) return false;
      Send(folders, LB_SETCURSEL, WPARAM(item));
      Send(chooser, WM_COMMAND, MAKEWPARAM(lst2, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
    }
    if (!showsFolder()) return false;
    Post(chooser, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
    return true;
  }
  // The viewer and the filer (`filerWidth` wide) side by side, as window linking places them,
  // saved as NAME.png; the path written.
  std::string SaveSideBySide(const char* name, int filerWidth) const {
    SetWindowPos(viewer.main(), nullptr, 0, 0, 560, 420, SWP_NOZORDER);
    SetWindowPos(filer, nullptr, 560, 0, filerWidth, 420, SWP_NOZORDER);
    ShowAndSettle(viewer.main());
    ShowAndSettle(filer);
    RECT viewerRect{}, filerRect{}, both{};
    GetWindowRect(viewer.main(), &viewerRect);
    GetWindowRect(filer, &filerRect);
    UnionRect(&both, &viewerRect, &filerRect);
    return SavePng(CaptureScreen(both), name);
  }
  void Answer(HWND dialog, int button) const {
    Post(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    WaitUntil([&] { return !IsWindow(dialog); }, 5000);
  }
  // The message that a run stopped at a same-name question: true when it says `text`; closed.
  bool DismissStopReport(const std::string& text) const {
    HWND box = Dialog("#32770", "Zelko View 32", 5000);
    if (!box) return false;
    std::string said = MessageBoxText(box);
    Post(box, WM_COMMAND, IDOK);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    return said == text;
  }
  // The run has ended when the filer stays enabled with no dialog of the run (checked twice,
  // as the filer is enabled for a moment between the chooser and the progress dialog).
  bool WaitRunEnd() const {
    auto idle = [&] {
      DWORD id = viewer.ProcessId();
      return IsWindowEnabled(filer) && !FindTopWindow(id, kDialogClass, kProgressTitle) &&
             !FindTopWindow(id, kDialogClass, kSameNameTitle) && !FindTopWindow(id, "#32770", kChooserTitle);
    };
    return WaitUntil([&] {
      if (!idle()) return false;
      Pause(300);
      return idle();
    }, 30000);
  }
  Viewer viewer;
  HWND filer = nullptr;
  HWND list = nullptr;
};

class ArchiveFilerTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

// "yy-mm-dd" and "hh:mm:ss" of a line: two digits each.
bool HasTwoDigitStamp(const std::string& line) {
  size_t date = line.find("|R", line.find("%)"));
  if (date == std::string::npos || line.size() < date + 2 + 8 + 2 + 8) return false;
  std::string stamp = line.substr(date + 2);
  return stamp[2] == '-' && stamp[5] == '-' && stamp.substr(8, 2) == "|R" && stamp[12] == ':';
}

// The "yy-mm-dd hh:mm:ss" a line lists, and the same of a file's last write time (local).
std::string ListedStamp(const std::string& line) {
  size_t date = line.find("|R", line.find("%)"));
  return date == std::string::npos ? std::string() : line.substr(date + 2, 8) + " " + line.substr(date + 12, 8);
}
std::string FileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return "missing";
  FILETIME local{};
  SYSTEMTIME t{};
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &t);
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%02d-%02d %02d:%02d:%02d", t.wYear % 100, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

}  // namespace

TEST_F(ArchiveFilerTest, ListsTheMembersOfAnLzhAndShowsTheOneSelected) {
  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  std::vector<std::string> lines = Lines(session.list);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].substr(0, 38), "LREADME|L.TXT|R      14|L(|R100%)|R26-");
  EXPECT_TRUE(HasTwoDigitStamp(lines[0])) << lines[0];
  EXPECT_EQ(lines[1].substr(0, 33), "LEMPTY|L.DAT|R       0|L(|R  0%)|");
  EXPECT_EQ(lines[2].substr(0, 37), "Lsub\\INNER|L.TXT|R     741|L(|R 17%)|");
  EXPECT_EQ(lines[3].substr(0, 12), "L\x8A\xBF\x8E\x9A|L.TXT|");  // the kanji name
  EXPECT_EQ(lines[4].substr(0, 9), "LNOEXT|L|");
  EXPECT_EQ(Text(GetDlgItem(session.filer, kSummaryId)), "  6ﾌｧｲﾙ : 総圧縮率  21% ( 170/ 784 )");
  // The loader shows README.TXT and selects its line.
  EXPECT_EQ(Send(session.list, LB_GETCURSEL), 0);
  ASSERT_TRUE(session.viewer.WaitRows(2)) << session.viewer.Position();
  // A click on a line (beside its icon) shows that member.
  session.ClickLine(2, 60);
  EXPECT_TRUE(session.viewer.WaitRows(51)) << session.viewer.Position();
  EXPECT_FALSE(Checked(session.list, 2));
  EXPECT_EQ(session.viewer.Title(), "Zelko View 32 - " + ArchivePath("members.lzh"));

  // Side by side, as window linking places them.
  EXPECT_FALSE(session.SaveSideBySide("archfiler_docked", 360).empty());
}

// LZH folder entries and the members inside them are listed by their paths, folders with the
// folder icon.
TEST_F(ArchiveFilerTest, ListsLzhFolderEntriesByTheirPaths) {
  ArchiveSession session("h1_subdir.lzh");
  ASSERT_NE(session.filer, nullptr);
  std::vector<std::string> lines = Lines(session.list);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 12), "Lsubdir\\|L|R");
  EXPECT_EQ(lines[1].substr(0, 20), "Lsubdir\\subdir2\\|L|R");
  EXPECT_EQ(lines[2].substr(0, 29), "Lsubdir\\subdir2\\hello|L.txt|R");
  auto iconType = [&](int line) { return int((Send(session.list, LB_GETITEMDATA, WPARAM(line)) >> 16) & 0x7F); };
  EXPECT_EQ(iconType(0), 0);  // the folder icon
  EXPECT_EQ(iconType(1), 0);
  EXPECT_NE(iconType(2), 0);
  ShowAndSettle(session.filer);
  EXPECT_FALSE(SaveScreenshot(session.filer, "zv32_archive_lzh_folders").empty());
}

TEST_F(ArchiveFilerTest, ListsZipMembersWithTheirFolders) {
  ArchiveSession session("members.zip");
  ASSERT_NE(session.filer, nullptr);
  std::vector<std::string> lines = Lines(session.list);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].substr(0, 38), "LREADME|L.TXT|R      14|L(|R100%)|R26-");
  EXPECT_EQ(lines[2].substr(0, 10), "Lsub/|L|R ");
  EXPECT_EQ(lines[3].substr(0, 18), "Lsub/INNER|L.TXT|R");
  EXPECT_TRUE(HasTwoDigitStamp(lines[3])) << lines[3];
  EXPECT_EQ(Text(GetDlgItem(session.filer, kSummaryId)).substr(0, 19), "  7ﾌｧｲﾙ : 総圧縮率 ");
  session.ClickLine(3, 60);
  EXPECT_TRUE(session.viewer.WaitRows(51)) << session.viewer.Position();
}

// Each member clicked in the list is detected as a file of its own: EUC, JIS and UTF-8 members
// after a Shift-JIS one read as the same Japanese text.
TEST_F(ArchiveFilerTest, EachMemberClickedIsShownInItsOwnCode) {
  const std::string text = "日本語の文章です。\r\nかなと漢字を含みます。\r\n";
  ArchiveSession session("codes.zip");
  ASSERT_NE(session.filer, nullptr);
  ASSERT_TRUE(session.viewer.WaitRows(3)) << session.viewer.Position();
  for (const std::string name : {"LEUC|L", "LJIS|L", "LUTF8|L", "LSJIS|L"}) {
    int line = LineOf(session.list, name);
    ASSERT_GE(line, 0) << name;
    RECT item{};
    Send(session.list, LB_GETITEMRECT, WPARAM(line), reinterpret_cast<LPARAM>(&item));
    RealClick(session.list, 60, (item.top + item.bottom) / 2);
    ASSERT_TRUE(session.viewer.WaitRows(3, 5000)) << session.viewer.Position();
    EmptyClipboardNow();
    Send(session.viewer.main(), WM_COMMAND, IDM_COPY_ALL);
    EXPECT_EQ(ClipboardTextNow(), text) << name;
    if (name == "LEUC|L") {
      ShowAndSettle(session.viewer.main());
      EXPECT_FALSE(SaveScreenshot(session.viewer.main(), "zv32_archive_euc_member").empty());
    }
  }
}

// From a fresh settings key the archive filer opens beside the viewer, usable and not over the
// viewer's caption or menu.
TEST_F(ArchiveFilerTest, OpensBesideTheViewerAtFirst) {
  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.filer) != 0; }, 5000));
  EXPECT_EQ(SubWindowPlacementFault(session.viewer.main(), session.filer), "");
  RECT viewer{}, filer{};
  GetWindowRect(session.viewer.main(), &viewer);
  GetWindowRect(session.filer, &filer);
  ASSERT_TRUE(session.viewer.WaitRows(2)) << session.viewer.Position();
  // The filer belongs to the viewer: a click on the viewer leaves it in front.
  EXPECT_EQ(GetWindow(session.filer, GW_OWNER), session.viewer.main());
  RealClick(session.viewer.main(), 40, (viewer.bottom - viewer.top) / 2);
  Pause(300);
  EXPECT_TRUE(IsAbove(session.filer, session.viewer.main()));
  ShowAndSettle(session.viewer.main());
  EXPECT_TRUE(IsAbove(session.filer, session.viewer.main()));
  RECT both{};
  UnionRect(&both, &viewer, &filer);
  EXPECT_FALSE(SavePng(CaptureScreen(both), "zv32_archive_first_placement").empty());
}

TEST_F(ArchiveFilerTest, CheckMarksBySpaceTheKeyAAndAClickOnTheIcon) {
  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  Send(session.list, LB_SETCURSEL, 1);
  Send(session.list, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(Checked(session.list, 1));
  EXPECT_EQ(Send(session.list, LB_GETCURSEL), 2);  // the selection moved one line down
  Send(session.list, WM_KEYDOWN, 'A');             // every mark turns over
  EXPECT_FALSE(Checked(session.list, 1));
  EXPECT_TRUE(Checked(session.list, 0));
  EXPECT_TRUE(Checked(session.list, 5));
  session.ClickLine(5, 5);  // on the icon: the mark turns over, the member is not shown
  EXPECT_FALSE(Checked(session.list, 5));
  EXPECT_EQ(Send(session.list, LB_GETCURSEL), 5);
  Post(session.filer, WM_COMMAND, 101);  // tool button: all marks turn over
  EXPECT_TRUE(WaitUntil([&] { return Checked(session.list, 5) && !Checked(session.list, 0); }, 5000));
  ShowAndSettle(session.filer);
  EXPECT_FALSE(SaveScreenshot(session.filer, "archfiler_checked").empty());
}

TEST_F(ArchiveFilerTest, ExtractsTheCheckedMembersIntoTheChosenFolder) {
  std::string lzhOut = FreshFolder("arch-lzh");
  {
    ArchiveSession session("members.lzh");
    ASSERT_NE(session.filer, nullptr);
    Post(session.filer, WM_COMMAND, kExtractButton);  // nothing checked: nothing happens
    Pause(500);
    EXPECT_EQ(FindTopWindow(session.viewer.ProcessId(), "#32770", kChooserTitle), nullptr);
    session.CheckLines({0, 1, 2, 3, 4});
    Post(session.filer, WM_COMMAND, kExtractButton);
    ASSERT_TRUE(session.ChooseFolder("arch-lzh"));
    ASSERT_TRUE(session.WaitRunEnd());
    EXPECT_EQ(ReadFileBytes(lzhOut + "\\README.TXT"), "hello readme\r\n");
    bool exists = false;
    EXPECT_EQ(ReadFileBytes(lzhOut + "\\EMPTY.DAT", &exists), "");
    EXPECT_TRUE(exists);
    EXPECT_EQ(ReadFileBytes(lzhOut + "\\sub\\INNER.TXT").substr(0, 14), "inner line 1\r\n");
    EXPECT_EQ(ReadFileBytes(lzhOut + "\\\x8A\xBF\x8E\x9A.TXT"), "kanji\r\n");
    EXPECT_EQ(ReadFileBytes(lzhOut + "\\NOEXT"), "no extension\r\n");
    EXPECT_FALSE(Exists(lzhOut + "\\RUN.ZVT"));
    // Each file has its member's date and time, not the time of the extraction.
    EXPECT_EQ(FileStamp(lzhOut + "\\README.TXT"), ListedStamp(LineText(session.list, 0)));
    EXPECT_EQ(FileStamp(lzhOut + "\\sub\\INNER.TXT"), ListedStamp(LineText(session.list, 2)));
    // The viewer still shows README.TXT, from its first row.
    EXPECT_EQ(session.viewer.RowCount(), 2);
  }
  std::string zipOut = FreshFolder("arch-zip");
  ArchiveSession session("members.zip");
  ASSERT_NE(session.filer, nullptr);
  Send(session.list, WM_KEYDOWN, 'A');
  Send(session.list, WM_KEYDOWN, 'U');
  ASSERT_TRUE(session.ChooseFolder("arch-zip"));
  ASSERT_TRUE(session.WaitRunEnd());
  EXPECT_EQ(ReadFileBytes(zipOut + "\\sub\\INNER.TXT").substr(0, 14), "inner line 1\r\n");
  // Files and the folder entry "sub/" keep their stored times.
  EXPECT_EQ(FileStamp(zipOut + "\\README.TXT"), ListedStamp(LineText(session.list, 0)));
  EXPECT_EQ(FileStamp(zipOut + "\\sub"), ListedStamp(LineText(session.list, 2)));
  EXPECT_EQ(FileStamp(zipOut + "\\sub\\INNER.TXT"), ListedStamp(LineText(session.list, 3)));
  EXPECT_EQ(ReadFileBytes(zipOut + "\\RUN.ZVT"), "run me\r\n");
  EXPECT_EQ(ReadFileBytes(zipOut + "\\\x8A\xBF\x8E\x9A.TXT"), "kanji\r\n");
}

TEST_F(ArchiveFilerTest, SameNameAnswersOverwriteRenameSkipAllAndStop) {
  std::string out = FreshFolder("arch-same");
  auto reset = [&] {
    CreateDirectoryA((out + "\\sub").c_str(), nullptr);
    for (const char* name : {"README.TXT", "EMPTY.DAT", "sub\\INNER.TXT", "NOEXT", "NEW.TXT"})
      WriteFile(out + "\\" + name, std::string("old ") + name);
  };
  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  session.CheckLines({0, 1, 2, 4});  // README.TXT, EMPTY.DAT, sub\INNER.TXT, NOEXT

  // Overwrite, rename (first to a name that exists too, then to a free one), skip, stop.
  reset();
  DeleteFileA((out + "\\NEW.TXT").c_str());
  WriteFile(out + "\\TAKEN.TXT", "taken");
  Post(session.filer, WM_COMMAND, kExtractButton);
  ASSERT_TRUE(session.ChooseFolder("arch-same"));
  HWND question = session.Dialog(kDialogClass, kSameNameTitle);
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(Text(GetDlgItem(question, 7702)), "README.TXT               ");
  EXPECT_EQ(Text(GetDlgItem(question, 7713)).substr(0, 31), "サイズ           14 byte  2026-");
  ShowAndSettle(question);
  EXPECT_FALSE(SaveScreenshot(question, "archfiler_same_name").empty());
  // Behind the question the progress dialog names the member asked about.
  HWND progress = FindTopWindow(session.viewer.ProcessId(), kDialogClass, kProgressTitle);
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(Text(GetDlgItem(progress, 100)), "README.TXTを展開中...");
  session.Answer(question, kOverwrite);
  question = session.Dialog(kDialogClass, kSameNameTitle);  // EMPTY.DAT
  ASSERT_NE(question, nullptr);
  session.Answer(question, kRename);
  HWND rename = session.Dialog(kDialogClass, kRenameTitle);
  ASSERT_NE(rename, nullptr);
  EXPECT_EQ(Text(GetDlgItem(rename, 7774)), "EMPTY.DAT");
  SetText(GetDlgItem(rename, 7774), "TAKEN.TXT");
  ShowAndSettle(rename);
  EXPECT_FALSE(SaveScreenshot(rename, "archfiler_rename").empty());
  session.Answer(rename, IDOK);
  question = session.Dialog(kDialogClass, kSameNameTitle);  // TAKEN.TXT exists too
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(Text(GetDlgItem(question, 7702)).substr(0, 9), "TAKEN.TXT");
  session.Answer(question, kRename);
  rename = session.Dialog(kDialogClass, kRenameTitle);
  ASSERT_NE(rename, nullptr);
  SetText(GetDlgItem(rename, 7774), "NEW.TXT");
  session.Answer(rename, IDOK);
  question = session.Dialog(kDialogClass, kSameNameTitle);  // sub\INNER.TXT
  ASSERT_NE(question, nullptr);
  session.Answer(question, kSkip);
  question = session.Dialog(kDialogClass, kSameNameTitle);  // NOEXT
  ASSERT_NE(question, nullptr);
  session.Answer(question, kStopRun);
  EXPECT_TRUE(session.DismissStopReport("展開を中止しました。2個のファイルを展開しました。"));
  ASSERT_TRUE(session.WaitRunEnd());
  EXPECT_EQ(ReadFileBytes(out + "\\README.TXT"), "hello readme\r\n");
  EXPECT_EQ(ReadFileBytes(out + "\\EMPTY.DAT"), "old EMPTY.DAT");
  EXPECT_EQ(ReadFileBytes(out + "\\TAKEN.TXT"), "taken");
  bool exists = false;
  EXPECT_EQ(ReadFileBytes(out + "\\NEW.TXT", &exists), "");
  EXPECT_TRUE(exists);
  EXPECT_EQ(ReadFileBytes(out + "\\sub\\INNER.TXT"), "old sub\\INNER.TXT");
  EXPECT_EQ(ReadFileBytes(out + "\\NOEXT"), "old NOEXT");

  // "All": no further question in this run; the next run asks again.  The chooser opens in the
  // folder the last run extracted to.
  reset();
  Post(session.filer, WM_COMMAND, kExtractButton);
  HWND chooser = session.Dialog("#32770", kChooserTitle);
  ASSERT_NE(chooser, nullptr);
  const std::string opened = Text(GetDlgItem(chooser, IDC_UNPACK_TO_FOLDER));
  EXPECT_EQ(opened.substr(opened.size() >= 9 ? opened.size() - 9 : 0), "arch-same") << opened;
  ASSERT_TRUE(session.ChooseFolder("arch-same"));
  question = session.Dialog(kDialogClass, kSameNameTitle);
  ASSERT_NE(question, nullptr);
  session.Answer(question, kOverwriteAll);
  ASSERT_TRUE(session.WaitRunEnd());
  EXPECT_EQ(ReadFileBytes(out + "\\README.TXT"), "hello readme\r\n");
  EXPECT_EQ(ReadFileBytes(out + "\\NOEXT"), "no extension\r\n");
  EXPECT_EQ(ReadFileBytes(out + "\\sub\\INNER.TXT").substr(0, 14), "inner line 1\r\n");
  Post(session.filer, WM_COMMAND, kExtractButton);
  ASSERT_TRUE(session.ChooseFolder("arch-same"));
  question = session.Dialog(kDialogClass, kSameNameTitle);
  ASSERT_NE(question, nullptr);
  session.Answer(question, kStopRun);
  EXPECT_TRUE(session.DismissStopReport("展開を中止しました。0個のファイルを展開しました。"));
  EXPECT_TRUE(session.WaitRunEnd());
}

// The same-name question by keys, as a user answers it: Alt+S skips the member; Esc stops the
// whole run at once (the question goes away, no later member is written) and says how many
// members were written.
TEST_F(ArchiveFilerTest, SameNameByKeysAltLetterAnswersAndEscapeStops) {
  std::string out = FreshFolder("arch-keys");
  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  auto run = [&] {
    for (const char* name : {"README.TXT", "EMPTY.DAT"}) WriteFile(out + "\\" + name, std::string("old ") + name);
    DeleteFileA((out + "\\sub\\INNER.TXT").c_str());
    Post(session.filer, WM_COMMAND, kExtractButton);
    return session.ChooseFolder("arch-keys");
  };
  session.CheckLines({0, 1, 2});  // README.TXT, EMPTY.DAT, sub\INNER.TXT

  // Esc at the first question: nothing is written.
  ASSERT_TRUE(run());
  HWND question = session.Dialog(kDialogClass, kSameNameTitle);
  ASSERT_NE(question, nullptr);
  Pause(500);  // the user reads the question; the keys go where the system put the focus
  RealKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 3000)) << "Esc did not close the question";
  if (IsWindow(question)) session.Answer(question, kOverwrite);
  EXPECT_TRUE(session.DismissStopReport("展開を中止しました。0個のファイルを展開しました。"));
  ASSERT_TRUE(session.WaitRunEnd());
  EXPECT_EQ(ReadFileBytes(out + "\\README.TXT"), "old README.TXT");
  EXPECT_EQ(ReadFileBytes(out + "\\EMPTY.DAT"), "old EMPTY.DAT");
  EXPECT_FALSE(Exists(out + "\\sub\\INNER.TXT"));

  // Alt+O overwrites README.TXT, Alt+S skips EMPTY.DAT, sub\INNER.TXT is written.
  ASSERT_TRUE(run());
  for (char letter : {'O', 'S'}) {
    question = session.Dialog(kDialogClass, kSameNameTitle);
    ASSERT_NE(question, nullptr) << letter;
    Pause(300);
    {
      HeldKey alt(VK_MENU);
      RealKey(WORD(letter));
    }
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 3000)) << "Alt+" << letter << " did not answer";
  }
  ASSERT_TRUE(session.WaitRunEnd());
  EXPECT_EQ(ReadFileBytes(out + "\\README.TXT"), "hello readme\r\n");
  EXPECT_EQ(ReadFileBytes(out + "\\EMPTY.DAT"), "old EMPTY.DAT");
  EXPECT_EQ(ReadFileBytes(out + "\\sub\\INNER.TXT").substr(0, 14), "inner line 1\r\n");
}

TEST_F(ArchiveFilerTest, CancelledExtractionLeavesNoFile) {
  std::string out = FreshFolder("arch-cancel");
  ArchiveSession session("big.lzh");
  ASSERT_NE(session.filer, nullptr);
  session.CheckLines({1});
  Post(session.filer, WM_COMMAND, kExtractButton);
  ASSERT_TRUE(session.ChooseFolder("arch-cancel"));
  HWND progress = session.Dialog(kDialogClass, kProgressTitle);
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(Text(GetDlgItem(progress, 100)), "BIG.TXTを展開中...");
  EXPECT_FALSE(IsWindowEnabled(session.filer));
  // A quick picture (the copy does not wait), then the cancel at once.
  Pause(200);
  Image picture = Capture(progress);
  Post(progress, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(progress, IDOK)));
  ASSERT_FALSE(picture.rgb.empty()) << "the extraction ended before it could be cancelled";
  EXPECT_FALSE(SavePng(picture, "archfiler_progress").empty());
  ASSERT_TRUE(session.WaitRunEnd());
  EXPECT_FALSE(Exists(out + "\\BIG.TXT"));
  EXPECT_EQ(FindTopWindow(session.viewer.ProcessId(), "#32770", nullptr), nullptr);  // no failure message
}

TEST_F(ArchiveFilerTest, RunsAMemberAndDeletesItsCopyWhenItsProgramEnds) {
  {
    win::RegistryKey key;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, ".zvt", 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("ZvTestFile"), 11);
  }
  std::string command = "\"" + ExeDir() + "\\zv32_run_helper.exe\" \"%1\"";
  {
    win::RegistryKey key;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, "ZvTestFile\\shell\\open\\command", 0, nullptr, 0, KEY_WRITE, nullptr,
                    key.Receive(), nullptr);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   DWORD(command.size() + 1));
  }
  std::string marker = ExeDir() + "\\run-helper.txt";
  DeleteFileA(marker.c_str());

  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  int line = LineOf(session.list, "LRUN|");
  ASSERT_GE(line, 0);
  session.ClickLine(line, 60);
  RECT item{};
  Send(session.list, LB_GETITEMRECT, WPARAM(line), reinterpret_cast<LPARAM>(&item));
  Send(session.list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, item.top + 2));
  Send(session.list, WM_LBUTTONUP, 0, MAKELPARAM(60, item.top + 2));
  std::string copy;
  ASSERT_TRUE(WaitUntil([&] { return !(copy = ReadFileBytes(marker)).empty(); }, 15000));
  EXPECT_EQ(copy.substr(copy.size() - 8), "\\RUN.ZVT");
  EXPECT_EQ(ReadFileBytes(copy), "run me\r\n");
  // The viewer's idle wait wakes when the program ends and deletes the copy, with no input.
  EXPECT_TRUE(WaitUntil([&] { return !Exists(copy); }, 15000));
}

TEST_F(ArchiveFilerTest, ClosingHidesTheWindowAndCommand104ShowsIt) {
  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  Post(session.filer, WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(session.filer); }, 5000));
  EXPECT_TRUE(IsWindow(session.filer));
  session.viewer.Command(kArchiveFilerMenu);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(session.filer) != FALSE; }, 5000));

  // A viewer on a plain file has no archive filer.
  Viewer plain(WriteTestFile("plain.txt", NumberedLines(3)));
  ASSERT_TRUE(plain.WaitRows(4));
  EXPECT_EQ(FindTopWindow(plain.ProcessId(), kArchFilerClass), nullptr);
}

// A source tarball is listed like any archive, folders and links included, and its readme shown.
TEST_F(ArchiveFilerTest, ListsATarGzAndShowsItsReadme) {
  ArchiveSession session("project-1.0.tar.gz");
  ASSERT_NE(session.filer, nullptr);
  std::vector<std::string> lines = Lines(session.list);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_GE(LineOf(session.list, "Lproject-1.0/|L|R"), 0);
  EXPECT_GE(LineOf(session.list, "Lproject-1.0/docs/MEMO|L.TXT|R"), 0);
  EXPECT_GE(LineOf(session.list, "Lproject-1.0/LINK|L.TXT|R"), 0);
  int readme = LineOf(session.list, "Lproject-1.0/README|L.TXT|R");
  ASSERT_GE(readme, 0);
  EXPECT_TRUE(HasTwoDigitStamp(lines[size_t(readme)])) << lines[size_t(readme)];
  ASSERT_TRUE(session.viewer.WaitRows(2)) << session.viewer.Position();
  EXPECT_EQ(Send(session.list, LB_GETCURSEL), readme);
  session.ClickLine(LineOf(session.list, "Lproject-1.0/docs/MEMO|L.TXT|R"), 60);
  EXPECT_TRUE(session.viewer.WaitRows(21)) << session.viewer.Position();

  EXPECT_FALSE(session.SaveSideBySide("archfiler_tar_gz", 400).empty());
}

// A rotated log compressed by gzip opens as its text, the archive filer listing its one member.
TEST_F(ArchiveFilerTest, ShowsAGzipLogAsText) {
  ArchiveSession session("syslog.2.gz");
  ASSERT_NE(session.filer, nullptr);
  std::vector<std::string> lines = Lines(session.list);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 13), "Lsyslog|L.2|R");
  ASSERT_TRUE(session.viewer.WaitRows(31)) << session.viewer.Position();
  EmptyClipboardNow();
  Send(session.viewer.main(), WM_COMMAND, IDM_COPY_ALL);
  std::string text = ClipboardTextNow();
  const std::string first = "12月 8 10:01:00 host app: 処理 1 件目を終えました\r\n";
  const std::string last = "12月 8 10:30:00 host app: 処理 30 件目を終えました\r\n";
  EXPECT_EQ(text.substr(0, first.size()), first);
  ASSERT_GE(text.size(), last.size());
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
  ShowAndSettle(session.viewer.main());
  EXPECT_FALSE(SaveScreenshot(session.viewer.main(), "zv32_gzip_log").empty());
}

// A large compressed log shows its first screen while the rest is still to be decoded, and
// then the whole text.
TEST_F(ArchiveFilerTest, ShowsALargeGzipLogEarlyAndWhole) {
  ArchiveSession session("big.log.gz");
  ASSERT_NE(session.filer, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return session.viewer.RowCount() > 1; }, 20000)) << session.viewer.Position();
  ShowAndSettle(session.viewer.main());
  EXPECT_FALSE(SaveScreenshot(session.viewer.main(), "zv32_gzip_big_log").empty());
  EXPECT_TRUE(session.viewer.WaitRows(400001, 120000)) << session.viewer.Position();
  EXPECT_EQ(FindTopWindow(session.viewer.ProcessId(), "#32770", nullptr), nullptr);  // no failure message
}

// When the check at the end of a large stream fails, what was shown of it is taken back.
TEST_F(ArchiveFilerTest, ADamagedLargeGzipIsTakenBackWithItsMessage) {
  ArchiveSession session("bad.log.gz");
  ASSERT_NE(session.filer, nullptr);
  HWND box = session.Dialog("#32770", "Zelko View 32", 120000);
  ASSERT_NE(box, nullptr) << session.viewer.Position();
  EXPECT_EQ(MessageBoxText(box), "CRCが一致しません!圧縮ファイルが壊れているため表示を中止します");
  Post(box, WM_COMMAND, IDOK);
  WaitUntil([&] { return !IsWindow(box); }, 5000);
  EXPECT_TRUE(WaitUntil([&] { return session.viewer.Position() == "0/0"; }, 5000)) << session.viewer.Position();
  ShowAndSettle(session.viewer.main());
  EXPECT_FALSE(SaveScreenshot(session.viewer.main(), "zv32_gzip_damaged").empty());
}

// A tar listing that stops at a damaged header keeps the members before it and says so.
TEST_F(ArchiveFilerTest, AListingThatEndsEarlySaysSoInTheSummary) {
  ArchiveSession session("damaged.tar");
  ASSERT_NE(session.filer, nullptr);
  EXPECT_EQ(Lines(session.list).size(), 1u);
  EXPECT_TRUE(session.viewer.WaitRows(2)) << session.viewer.Position();
  std::string summary = Text(GetDlgItem(session.filer, kSummaryId));
  EXPECT_EQ(summary.rfind(" ※壊れたヘッダの前まで  1ﾌｧｲﾙ", 0), 0u) << summary;
  EXPECT_FALSE(SaveScreenshot(session.filer, "archfiler_damaged_tar").empty());
}

// A ZIP file under another name (a .docx) is found by its contents.
TEST_F(ArchiveFilerTest, OpensADocxAsAZip) {
  ArchiveSession session("report.docx");
  ASSERT_NE(session.filer, nullptr);
  EXPECT_EQ(Lines(session.list).size(), 2u);
  EXPECT_GE(LineOf(session.list, "Lword/document|L.xml|R"), 0);
  EXPECT_TRUE(session.viewer.WaitRows(3)) << session.viewer.Position();
}

// With window linking on, archives opened one after another (each closes the archive filer of
// the one before and opens its own) leave the viewer and the filer where the first one put them.
TEST_F(ArchiveFilerTest, OpeningArchivesInTurnKeepsTheLinkedSizes) {
  std::string flags = "1111111101140007F010111101";
  flags[17] = '1';  // window linking
  WriteStringSetting("BooleanOption", flags);
  WriteStringSetting("File00", ArchivePath("members.zip"));
  ArchiveSession session("members.lzh");
  ASSERT_NE(session.filer, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.filer) != 0; }, 5000));
  Pause(500);
  RECT firstViewer{}, firstFiler{};
  GetWindowRect(session.viewer.main(), &firstViewer);
  GetWindowRect(session.filer, &firstFiler);
  EXPECT_GE(firstFiler.right - firstFiler.left, 240);
  for (int turn = 1; turn <= 10; ++turn) {
    HWND before = FindTopWindow(session.viewer.ProcessId(), kArchFilerClass);
    // The most recent file (the archive shown before this one) is "(&0)" of the file menu.
    ShowAndSettle(session.viewer.main());
    {
      HeldKey alt(VK_MENU);
      RealKey('F');
    }
    Pause(300);
    RealKey('0');
    HWND filer = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      filer = FindTopWindow(session.viewer.ProcessId(), kArchFilerClass);
      return filer && filer != before && !IsWindow(before);
    }, 10000)) << "turn " << turn << " " << session.viewer.Title() << " " << before << " " << filer;
    Pause(300);
    RECT viewer{}, filerRect{};
    GetWindowRect(session.viewer.main(), &viewer);
    GetWindowRect(filer, &filerRect);
    EXPECT_TRUE(EqualRect(&viewer, &firstViewer)) << "turn " << turn << ": viewer " << viewer.left << "," << viewer.top
                                                   << "-" << viewer.right << "," << viewer.bottom;
    EXPECT_TRUE(EqualRect(&filerRect, &firstFiler)) << "turn " << turn << ": filer " << filerRect.left << ","
                                                     << filerRect.top << "-" << filerRect.right << ","
                                                     << filerRect.bottom;
  }
}

namespace {

// Which columns of a list line (client coordinates `item`) hold ink: a pixel other than the
// line's background, taken from its bottom-right corner.
std::vector<bool> InkColumns(const Image& image, const RECT& item) {
  const COLORREF background = image.Pixel(item.right - 1, item.bottom - 1);
  std::vector<bool> ink(size_t(item.right), false);
  for (int x = item.left; x < item.right && x < image.width; ++x)
    for (int y = item.top; y < item.bottom && y < image.height; ++y)
      if (image.Pixel(x, y) != background) ink[size_t(x)] = true;
  return ink;
}

// The first ink column at or after `from` that follows at least `gap` blank columns; -1 when none.
int InkAfterGap(const std::vector<bool>& ink, int from, int gap) {
  int blank = 0;
  for (int x = from; x < int(ink.size()); ++x) {
    if (!ink[size_t(x)]) {
      ++blank;
    } else if (blank >= gap) {
      return x;
    } else {
      blank = 0;
    }
  }
  return -1;
}

// The end of the ink group starting at `from`: the first column followed by `gap` blank ones.
int InkGroupEnd(const std::vector<bool>& ink, int from, int gap) {
  int end = from;
  for (int x = from; x < int(ink.size()) && x - end <= gap; ++x)
    if (ink[size_t(x)]) end = x + 1;
  return end;
}

}  // namespace

// A name whose rest (from its first dot) is long ("x..aaaa….a") stays clear of its size: the
// seven digits of 1234567 are drawn whole after the rest, not over it (a rest wider than its
// column moves the columns after it).
TEST_F(ArchiveFilerTest, ALongRestOfANameStaysLeftOfTheSize) {
  ArchiveSession session("names.zip");
  ASSERT_NE(session.filer, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.filer) != 0; }, 5000));
  const int line = LineOf(session.list, "Lx|L..a");
  ASSERT_GE(line, 0) << ::testing::PrintToString(Lines(session.list));
  RECT filer{};
  GetWindowRect(session.filer, &filer);
  MoveWindow(session.filer, filer.left - 400, filer.top, 720, 300, TRUE);  // room for every column
  ShowAndSettle(session.filer);
  const Image image = Capture(session.list, true);
  RECT item{};
  Send(session.list, LB_GETITEMRECT, WPARAM(line), reinterpret_cast<LPARAM>(&item));
  const std::vector<bool> ink = InkColumns(image, item);
  constexpr int kIconCell = 16;
  const int restStart = InkAfterGap(ink, kIconCell + 1, 3);  // after the stem "x"
  ASSERT_GT(restStart, kIconCell);
  const int restEnd = restStart + SystemFontWidth("..aaaaaaaaaaaaaaaaaaaa.a");
  const int digitsStart = InkAfterGap(ink, restEnd - 1, 2);
  ASSERT_GT(digitsStart, 0);
  const int digitsWidth = InkGroupEnd(ink, digitsStart, 3) - digitsStart;
  // The digits run into the "(" of the ratio, which starts where they end.
  EXPECT_NEAR(digitsWidth, SystemFontWidth("1234567("), 4) << "rest " << restStart << "-" << restEnd << ", digits from "
                                                          << digitsStart;
  EXPECT_FALSE(SavePng(image, "zv32_archive_long_rest").empty());
}

// An underscore in a member's name is drawn: below the baseline between "a" and "locale" of
// "a_locale.txt" the line has ink as wide as the underscore, and "x..aaaa" (no descenders) has
// none under its stem.
TEST_F(ArchiveFilerTest, UnderscoresInNamesAreDrawn) {
  ArchiveSession session("names.zip");
  ASSERT_NE(session.filer, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.filer) != 0; }, 5000));
  const int underscored = LineOf(session.list, "La_locale|L.txt");
  const int plain = LineOf(session.list, "Lx|L..a");
  ASSERT_GE(underscored, 0) << ::testing::PrintToString(Lines(session.list));
  ASSERT_GE(plain, 0);
  ShowAndSettle(session.filer);
  const Image image = Capture(session.list, true);
  RECT item{}, plainItem{};
  Send(session.list, LB_GETITEMRECT, WPARAM(underscored), reinterpret_cast<LPARAM>(&item));
  Send(session.list, LB_GETITEMRECT, WPARAM(plain), reinterpret_cast<LPARAM>(&plainItem));
  constexpr int kText = 16;  // after the icon cell
  const int from = kText + SystemFontWidth("a"), to = kText + SystemFontWidth("a_");
  EXPECT_GE(LongestInkBelowBaseline(image, item, from, to), (to - from) - 2) << "columns " << from << "-" << to;
  EXPECT_EQ(LongestInkBelowBaseline(image, plainItem, kText, kText + SystemFontWidth("x")), 0);
  EXPECT_FALSE(SavePng(image, "zv32_archive_underscore").empty());
}

// With window linking on, the viewer keeps the group's rectangle when it ends: started again
// on the archive, the viewer and its archive filer come back where they were, however often.
TEST_F(ArchiveFilerTest, RestartingWithLinkingKeepsTheSizes) {
  std::string flags = "1111111101140007F010111101";
  flags[17] = '1';  // window linking
  WriteStringSetting("BooleanOption", flags);
  RECT first[2]{};
  for (int run = 0; run < 3; ++run) {
    ArchiveSession session("members.lzh");
    ASSERT_NE(session.filer, nullptr) << "run " << run;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.filer) != 0; }, 5000));
    Pause(500);
    RECT rects[2]{};
    GetWindowRect(session.viewer.main(), &rects[0]);
    GetWindowRect(session.filer, &rects[1]);
    if (run == 0) {
      std::memcpy(first, rects, sizeof rects);
      EXPECT_EQ(SubWindowPlacementFault(session.viewer.main(), session.filer), "");
    }
    for (int i = 0; i < 2; ++i) {
      EXPECT_TRUE(EqualRect(&rects[i], &first[i])) << "run " << run << (i ? " filer " : " viewer ") << rects[i].left
                                                   << "," << rects[i].top << "-" << rects[i].right << ","
                                                   << rects[i].bottom;
    }
    Post(session.viewer.main(), WM_CLOSE);
    ASSERT_TRUE(session.viewer.WaitExit(10000)) << "run " << run;
    // What the viewer stored is the group, not its own share of it.
    std::string stored;
    ASSERT_TRUE(ReadSetting("PrevWinRect", stored));
    ASSERT_EQ(stored.size(), 16u);
    int32_t width = 0;
    std::memcpy(&width, stored.data() + 8, 4);
    EXPECT_EQ(width, first[1].right - first[0].left) << "run " << run;
  }
}
