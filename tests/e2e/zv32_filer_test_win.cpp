// End-to-end tests of Zelko Filer under Wine: ZV32.EXE started on a folder tree the test
// makes (hundreds of files, Shift-JIS names with 0x5C and 0x7C trail bytes, a name without
// extension, one with a leading dot, subfolders).  They read the list as a user sees it:
// its items and their order, data and columns, the viewer's title after choosing, the
// directory after keys, the drive bar and the "Chdir" dialog, a file appearing on its own,
// and the placement kept across closing.  Screenshots of the layouts, the dialog and the
// mask popup go to the screenshot folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <ole2.h>
#include <shellapi.h>

#include "tests/e2e/zv32_session_win.h"

using namespace e2e;

namespace {

constexpr char kFilerClass[] = "ZelkoView!Filer";
constexpr int kListId = IDC_FILER_LIST;
constexpr int kDriveBarId = IDC_FILER_DRIVE_BAR;
constexpr int kIconCell = 16;  // the icon cell before a line's text
constexpr int kFileCount = 600;  // more than the 480 the list once stopped at
constexpr char kDefaultFlags[] = "1111111101140007F010111101";

// BooleanOption with some characters replaced: {position, character}.
std::string Flags(std::initializer_list<std::pair<int, char>> changes) {
  std::string flags = kDefaultFlags;
  for (auto [position, c] : changes) flags[size_t(position)] = c;
  return flags;
}
// The type filter with every class, columns size + date + time + attributes, sorted by name.
const std::string kAllFilesByName = Flags({{11, '0'}, {14, 'F'}, {15, 'F'}});

std::string TreeDir() { return ExeDir() + "\\filer-tree"; }

void WriteFileAt(const std::string& path, const std::string& bytes, int year = 2026, int month = 12, int day = 8) {
  win::Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  SYSTEMTIME time{WORD(year), WORD(month), 0, WORD(day), 12, 34, 56, 0};
  FILETIME local, utc;
  SystemTimeToFileTime(&time, &local);
  LocalFileTimeToFileTime(&local, &utc);
  SetFileTime(file, nullptr, nullptr, &utc);
}

// The tree: kFileCount numbered files, the named files below, folders "sub" and "ソ".
void MakeTree() {
  std::string dir = TreeDir();
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
  CreateDirectoryA((dir + "\\ソ").c_str(), nullptr);
  WriteFileAt(dir + "\\ソ\\inner.txt", "inner\r\n");
  for (int i = 0; i < kFileCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\n%03d.dat", i);
    WriteFileAt(dir + name, std::string(size_t(i % 7), 'x'), 2001 + i % 20);
  }
  WriteFileAt(dir + "\\ソフト.txt", "ソフトウェアの説明です。\r\n", 1999, 3, 4);
  WriteFileAt(dir + "\\表示.doc", std::string(1234, 'd'));
  WriteFileAt(dir + "\\ポイント.c", "int main;\r\n");
  WriteFileAt(dir + "\\README", "read me\r\n");
  WriteFileAt(dir + "\\.hidden", "dot\r\n");
  WriteFileAt(dir + "\\archive.lzh", "not really\r\n");
  WriteFileAt(dir + "\\tool.exe", "MZ");
  WriteFileAt(dir + "\\notes.man", "notes\r\n");
}

// The first characters of text, as many as expected has.
std::string Begin(const std::string& text, const std::string& expected) { return text.substr(0, expected.size()); }

std::string Upper(std::string text) {
  CharUpperA(text.data());
  return text;
}

class Filer {
 public:
  explicit Filer(const std::string& folder = TreeDir()) : viewer_(folder) {
    window_ = WaitForWindow(viewer_.ProcessId(), kFilerClass, "Zelko Filer", 20000);
    if (window_) MoveWindow(window_, 20, 20, 460, 440, TRUE);  // room for the screenshots
  }
  Viewer& viewer() { return viewer_; }
  HWND window() const { return window_; }
  HWND list() const { return GetDlgItem(window_, kListId); }

  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    int count = int(Send(list(), LB_GETCOUNT));
    for (int i = 0; i < count; ++i) items.push_back(Item(i));
    return items;
  }
  // Read as UTF-16 and converted to Shift-JIS: Wine hands another process's ANSI request for
  // a list box's text back in UTF-16.
  std::string Item(int index) const {
    wchar_t wide[1024] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(list(), LB_GETTEXT, WPARAM(index), LPARAM(wide), SMTO_NORMAL, 5000, &result);
    char text[2048] = {};
    WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
  }
  uint32_t Data(int index) const { return uint32_t(Send(list(), LB_GETITEMDATA, WPARAM(index))); }
  int IndexOf(const std::string& prefix) const {
    std::vector<std::string> items = Items();
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].compare(0, prefix.size(), prefix) == 0) return int(i);
    }
    return -1;
  }
  // Names of the entries after the path items, from their first two columns.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const std::string& item : Items()) {
      size_t bar = item.find("|L");
      if (bar == std::string::npos) continue;  // a path item
      size_t end = item.find('|', bar + 2);
      names.push_back(item.substr(1, bar - 1) + item.substr(bar + 2, end - bar - 2));
    }
    return names;
  }
  // The name of entry i (after the path items); "" when there is none.
  std::string NameAt(int i) const {
    int count = int(Send(list(), LB_GETCOUNT));
    int first = 0;
    while (first < count && Item(first).find('|') == std::string::npos) ++first;
    if (first + i >= count) return {};
    std::string item = Item(first + i);
    size_t bar = item.find("|L");
    if (bar == std::string::npos) return {};  // the list is being filled
    size_t end = item.find('|', bar + 2);
    return item.substr(1, bar - 1) + item.substr(bar + 2, end - bar - 2);
  }
  // The directory the path items spell.
  std::string Path() const {
    std::string path;
    for (const std::string& item : Items()) {
      if (item.empty()) return {};  // the list is being filled
      if (item.find('|') != std::string::npos) break;
      if (!path.empty() && path.back() != '\\') path += '\\';
      path += item.substr(1);
    }
    return path;
  }
  bool WaitFor(const std::function<bool()>& done) const { return WaitUntil(done, 10000); }
  // ChangeDirectory upper-cases the path it is given: compare ignoring case.
  bool WaitPath(const std::string& path) const {
    return WaitFor([&] { return Upper(Path()) == Upper(path); });
  }
  void Key(UINT key) const {
    KeyDown(list(), key);
    KeyUp(list(), key);
  }
  void Button(int id) const { ClickCentre(GetDlgItem(window_, id)); }
  // A press on item `index`, a move by `distance` pixels to the right and down, the release.
  void PressMoveRelease(int index, int distance) const {
    Send(list(), LB_SETTOPINDEX, WPARAM(index));
    RECT r{};
    Send(list(), LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    int x = r.left + 20, y = (r.top + r.bottom) / 2;
    Post(list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Post(list(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + distance, y));
    Post(list(), WM_LBUTTONUP, 0, MAKELPARAM(x + distance, y));
  }
  // A click on item `index` without moving: the front end reports it as a selection.
  void ClickItem(int index) const {
    RECT r{};
    Send(list(), LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    Send(list(), LB_SETTOPINDEX, WPARAM(index));
    Send(list(), LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    // Posted: the front end follows the button until it goes up, which must already be queued.
    LPARAM point = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
    Post(list(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    Post(list(), WM_LBUTTONUP, 0, point);
  }

 private:
  Viewer viewer_;
  HWND window_ = nullptr;
};

class FilerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteSettingsKey();
    RemoveGone();
    MakeTree();
  }
  void TearDown() override { RemoveGone(); }
  // The folder one test removes while it is shown (the viewer has ended by now).
  static void RemoveGone() {
    RemoveDirectoryA((TreeDir() + "\\gone\\deeper").c_str());
    RemoveDirectoryA((TreeDir() + "\\gone").c_str());
  }
};

// A drop target in the test program: accepts a shell file list and keeps the first name.
class FileListTarget final : public IDropTarget {
 public:
  std::string dropped;
  bool entered = false;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }   // lives on the test's stack
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    entered = true;
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) == S_OK) {
      char name[MAX_PATH] = {};
      DragQueryFileA(HDROP(medium.hGlobal), 0, name, sizeof name);
      dropped = name;
      ReleaseStgMedium(&medium);
    }
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
};

// The pointer to a screen point and the left button, through the system's input queue.
void MouseInput(DWORD flags, POINT at = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = at.x * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1;
    input.mi.dy = at.y * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1;
  }
  SendInput(1, &input, sizeof input);
  Pause(60);
}

int CountOf(const std::vector<std::string>& names, const std::string& suffix) {
  return int(std::count_if(names.begin(), names.end(), [&](const std::string& name) {
    return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
  }));
}

}  // namespace

TEST_F(FilerTest, ListsEveryEntryWithItsColumnsAndDataInEachSortOrder) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  Filer filer;
  ASSERT_NE(filer.window(), nullptr);
  ASSERT_TRUE(filer.WaitFor([&] { return int(filer.Names().size()) >= kFileCount; }))
      << Send(filer.list(), LB_GETCOUNT) << " items, first " << filer.Item(0) << " path " << filer.Path();
  std::vector<std::string> names = filer.Names();
  // Every entry, the 480 limit gone; the leading-dot name left out.
  EXPECT_EQ(int(names.size()), kFileCount + 9);
  EXPECT_EQ(CountOf(names, ".dat"), kFileCount);
  EXPECT_EQ(std::count(names.begin(), names.end(), ".hidden"), 0);
  // Folders first, then names in order.
  EXPECT_EQ(names[0], "sub");
  EXPECT_EQ(names[1], "ソ");
  EXPECT_EQ(names[2], "archive.lzh");  // the platform's comparison: case does not come first
  EXPECT_EQ(names[3], "n000.dat");
  EXPECT_EQ(names[kFileCount + 3], "notes.man");
  EXPECT_EQ(names[kFileCount + 4], "README");
  // The columns: "ソ" and "ポ" end in 0x5C and 0x7C and still stand whole.
  int soft = filer.IndexOf("Lソフト|");
  ASSERT_GE(soft, 0);
  std::string text = filer.Item(soft);
  EXPECT_EQ(Begin(text, "Lソフト|L.txt|R      26|R99-03-04|R12:34:56|"), "Lソフト|L.txt|R      26|R99-03-04|R12:34:56|");
  EXPECT_EQ(Begin(filer.Item(filer.IndexOf("Lポイント|")), "Lポイント|L.c|"), "Lポイント|L.c|");
  int hyoji = filer.IndexOf("L表示|");
  ASSERT_GE(hyoji, 0);
  EXPECT_EQ(Begin(filer.Item(hyoji), "L表示|L.doc|R    1234|R26-12-08|"), "L表示|L.doc|R    1234|R26-12-08|");
  EXPECT_EQ(Begin(filer.Item(filer.IndexOf("LREADME|")), "LREADME|L|"), "LREADME|L|");
  EXPECT_EQ(Begin(filer.Item(filer.IndexOf("Lsub|")), "Lsub|L|R<DIR>|"), "Lsub|L|R<DIR>|");
  // Item data: level = number of path items, type code, indentation in the vertical layout.
  int level = int(filer.Items().size() - names.size());
  EXPECT_EQ(filer.Data(0), 0u);
  EXPECT_EQ(filer.Data(1), 0x01000001u);
  EXPECT_EQ(filer.Data(filer.IndexOf("Lsub|")), uint32_t(level) | (uint32_t(level) << 24));
  EXPECT_EQ((filer.Data(filer.IndexOf("Ltool|")) >> 16) & 0x7F, 3u);
  EXPECT_EQ((filer.Data(filer.IndexOf("Larchive|")) >> 16) & 0x7F, 2u);
  EXPECT_EQ((filer.Data(filer.IndexOf("LREADME|")) >> 16) & 0x7F, 4u);

  // Descending by name: folders still first.
  filer.Button(111);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.NameAt(2) == "表示.doc"; })) << filer.NameAt(2);
  EXPECT_EQ(filer.NameAt(0), "ソ");
  EXPECT_EQ(filer.NameAt(1), "sub");
  // By size, descending: the largest file first.
  filer.Button(123);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.NameAt(3) == "ソフト.txt"; })) << filer.NameAt(3);
  EXPECT_EQ(filer.NameAt(2), "表示.doc");
  // By extension, ascending: no extension first.
  filer.Button(110);
  filer.Button(121);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.NameAt(2) == "README"; })) << filer.NameAt(2);
  EXPECT_EQ(filer.NameAt(3), "ポイント.c");
  // By timestamp: 1999 first.
  filer.Button(122);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.NameAt(2) == "ソフト.txt"; })) << filer.NameAt(2);
  // The timestamp button again: unsorted, the order the directory gave (every entry still there).
  filer.Button(122);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.NameAt(2) != "ソフト.txt"; }));
  EXPECT_EQ(int(filer.Names().size()), kFileCount + 9);
  ShowAndSettle(filer.window());
  EXPECT_FALSE(SaveScreenshot(filer.window(), "filer_vertical_drive_bar").empty());
}

TEST_F(FilerTest, TypeFilterAndCustomMasks) {
  WriteStringSetting("FilerMask", "ITXT;MAN;DOC|ETXT;DAT|");
  WriteStringSetting("BooleanOption", Flags({{11, '0'}, {14, 'F'}, {16, '5'}}));  // programs and archives
  Filer filer;
  ASSERT_TRUE(filer.WaitFor([&] { return !filer.Names().empty(); }));
  EXPECT_EQ(filer.Names(), (std::vector<std::string>{"sub", "ソ", "archive.lzh", "tool.exe"}));
  // The popup's first mask entry: "ITXT;MAN;DOC".
  Post(filer.window(), WM_COMMAND, 201);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.Names().size() == 5; }));
  EXPECT_EQ(filer.Names(), (std::vector<std::string>{"sub", "ソ", "notes.man", "ソフト.txt", "表示.doc"}));
  // "ETXT;DAT": everything else, among it the name without extension.
  Post(filer.window(), WM_COMMAND, 202);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.Names().size() == 8; }));
  EXPECT_EQ(filer.Names(), (std::vector<std::string>{"sub", "ソ", "archive.lzh", "notes.man", "README", "tool.exe",
                                                     "ポイント.c", "表示.doc"}));
  // The popup at the pointer lists the entries with the current one checked.
  SetForegroundWindow(filer.window());
  POINT at{120, 120};
  ClientToScreen(filer.window(), &at);
  SetCursorPos(at.x, at.y);
  Post(filer.window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(120, 120));
  HWND popup = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (popup = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(popup); }, 5000));
  Pause(300);
  RECT filerRect, popupRect;
  GetWindowRect(filer.window(), &filerRect);
  GetWindowRect(popup, &popupRect);
  UnionRect(&filerRect, &filerRect, &popupRect);
  EXPECT_FALSE(SavePng(CaptureScreen(filerRect), "filer_mask_popup").empty());
  Post(popup, WM_KEYDOWN, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([] { return FindWindowA("#32768", nullptr) == nullptr || !IsWindowVisible(FindWindowA("#32768", nullptr)); }, 5000));
}

TEST_F(FilerTest, ChoosingOpensFilesAndKeysMoveThroughFolders) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  Filer filer;
  ASSERT_TRUE(filer.WaitFor([&] { return filer.IndexOf("Lソフト|") >= 0; }));
  const std::string tree = TreeDir();
  EXPECT_EQ(Upper(filer.Path()), Upper(tree));
  // A press moved 7 pixels is a drag (which drops nowhere, the button being up): nothing opens.
  // The drop lands under the real pointer, so it is put where no window is (the viewer beside
  // the filer takes dropped files).
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  filer.PressMoveRelease(filer.IndexOf("LREADME|"), 7);
  Pause(1500);
  EXPECT_EQ(filer.viewer().Title().find("README"), std::string::npos) << filer.viewer().Title();
  EXPECT_EQ(int(Send(filer.list(), LB_GETCURSEL)), filer.IndexOf("LREADME|"));
  // Moved 6 pixels it is still a click.
  filer.PressMoveRelease(filer.IndexOf("Lnotes|"), 6);
  EXPECT_TRUE(WaitUntil([&] { return Upper(filer.viewer().Title()).find("NOTES.MAN") != std::string::npos; }, 10000))
      << filer.viewer().Title();
  // A click without movement opens the file in the viewer.
  filer.ClickItem(filer.IndexOf("Lソフト|"));
  EXPECT_TRUE(WaitUntil([&] { return Upper(filer.viewer().Title()) == Upper("Zelko View 32 - " + tree + "\\ソフト.txt"); }, 10000))
      << filer.viewer().Title();
  // Shift + R: the next item beginning with "R" is selected; Shift held keeps the shown file.
  {
    SetForegroundWindow(filer.window());
    Pause(200);
    HeldKey shift(VK_SHIFT);
    Pause(300);
    filer.Key('R');
  }
  EXPECT_TRUE(WaitUntil([&] { return int(Send(filer.list(), LB_GETCURSEL)) == filer.IndexOf("LREADME|"); }, 5000));
  EXPECT_NE(Upper(filer.viewer().Title()).find("\\ソフト.TXT"), std::string::npos) << filer.viewer().Title();
  // A double click on a folder enters it and selects its path item.
  int folder = filer.IndexOf("Lソ|");
  Send(filer.list(), LB_SETCURSEL, WPARAM(folder));
  Post(filer.window(), WM_COMMAND, MAKEWPARAM(kListId, LBN_DBLCLK), LPARAM(filer.list()));
  ASSERT_TRUE(filer.WaitPath(tree + "\\ソ"));
  EXPECT_GE(filer.IndexOf("Linner|L.txt|"), 0);
  int pathItems = int(filer.Items().size() - filer.Names().size());
  EXPECT_EQ(int(Send(filer.list(), LB_GETCURSEL)), pathItems - 1);
  // Backspace goes up; the yen key to the root.
  filer.Key(VK_BACK);
  ASSERT_TRUE(filer.WaitPath(tree));
  filer.Key(0xDC);
  EXPECT_TRUE(filer.WaitPath(tree.substr(0, 3)));
  // "G" shows names in lower case (kept in the settings at exit).
  filer.Key('G');
  ShowAndSettle(filer.window());
  EXPECT_FALSE(SaveScreenshot(filer.window(), "filer_lower_case").empty());
  Post(filer.viewer().main(), WM_CLOSE);
  ASSERT_TRUE(filer.viewer().WaitExit(10000));
  std::string flags;
  ASSERT_TRUE(ReadSetting("BooleanOption", flags));
  EXPECT_EQ(flags[19], '1');
}

TEST_F(FilerTest, DriveBarWrapsAndTheChdirDialogKeepsItsHistory) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  Filer filer;
  ASSERT_TRUE(filer.WaitPath(TreeDir()));
  HWND bar = GetDlgItem(filer.window(), kDriveBarId);
  ASSERT_NE(bar, nullptr);
  // Next drive from the last one comes back to the first: step through every drive.
  std::vector<std::string> roots{filer.Path().substr(0, 3)};
  for (int i = 0; i < 27; ++i) {
    Post(bar, WM_COMMAND, 39);
    std::string before = roots.back();
    ASSERT_TRUE(filer.WaitFor([&] { return filer.Path().substr(0, 3) != before || roots.size() == 1; }));
    Pause(200);
    std::string root = filer.Path().substr(0, 3);
    if (root == roots.front()) break;
    roots.push_back(root);
  }
  EXPECT_EQ(filer.Path().substr(0, 3), roots.front()) << "the next drive after the last is the first";
  // Previous from the first goes to the last.
  Post(bar, WM_COMMAND, 37);
  if (roots.size() > 1) {
    EXPECT_TRUE(filer.WaitFor([&] { return filer.Path().substr(0, 3) == roots.back(); }));
  }

  // Right and Left in the vertical layout step through the drives too.
  if (roots.size() > 1) {
    filer.Key(VK_RIGHT);
    EXPECT_TRUE(filer.WaitFor([&] { return filer.Path().substr(0, 3) == roots.front(); }));
    filer.Key(VK_LEFT);
    EXPECT_TRUE(filer.WaitFor([&] { return filer.Path().substr(0, 3) == roots.back(); }));
  }

  // "L": the "Chdir" dialog; a typed folder becomes current and the newest history entry.
  filer.Key('L');
  HWND dialog = WaitForWindow(filer.viewer().ProcessId(), "PlimDialog", "ディレクトリ直接指定", 10000);
  ASSERT_NE(dialog, nullptr);
  HWND combo = GetDlgItem(dialog, 940);
  SetText(combo, TreeDir() + "\\sub");
  ShowAndSettle(dialog);
  EXPECT_FALSE(SaveScreenshot(dialog, "filer_chdir").empty());
  Post(dialog, WM_COMMAND, IDOK);
  ASSERT_TRUE(filer.WaitPath(TreeDir() + "\\sub"));
  filer.Key('L');
  dialog = WaitForWindow(filer.viewer().ProcessId(), "PlimDialog", "ディレクトリ直接指定", 10000);
  ASSERT_NE(dialog, nullptr);
  combo = GetDlgItem(dialog, 940);
  wchar_t wide[300] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(combo, CB_GETLBTEXT, 0, LPARAM(wide), SMTO_NORMAL, 5000, &result);
  char first[600] = {};
  WideCharToMultiByte(932, 0, wide, -1, first, sizeof first, nullptr, nullptr);
  EXPECT_EQ(Upper(first), Upper(TreeDir() + "\\sub"));
  Post(dialog, WM_COMMAND, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  // The history is written when the filer closes.
  Post(filer.window(), WM_COMMAND, 100);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(filer.window()); }, 5000));
  std::string history;
  ASSERT_TRUE(ReadSetting("DirHistory", history));
  EXPECT_NE(Upper(history).find("FILER-TREE\\\\SUB"), std::string::npos) << history;
}

TEST_F(FilerTest, FollowsChangesOnDiskAndKeepsItsPlacement) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  Filer filer;
  ASSERT_TRUE(filer.WaitPath(TreeDir()));
  // A file made on disk appears without any input.
  WriteFileAt(TreeDir() + "\\appeared.txt", "new\r\n");
  EXPECT_TRUE(filer.WaitFor([&] { return filer.IndexOf("Lappeared|L.txt|") >= 0; }));
  DeleteFileA((TreeDir() + "\\appeared.txt").c_str());
  EXPECT_TRUE(filer.WaitFor([&] { return filer.IndexOf("Lappeared|L.txt|") < 0; }));
  // A folder removed while shown: the next refresh shows the nearest existing parent.
  std::string gone = TreeDir() + "\\gone";
  CreateDirectoryA((gone).c_str(), nullptr);
  CreateDirectoryA((gone + "\\deeper").c_str(), nullptr);
  filer.Key('L');
  HWND dialog = WaitForWindow(filer.viewer().ProcessId(), "PlimDialog", "ディレクトリ直接指定", 10000);
  ASSERT_NE(dialog, nullptr);
  SetText(GetDlgItem(dialog, 940), gone + "\\deeper");
  Post(dialog, WM_COMMAND, IDOK);
  ASSERT_TRUE(filer.WaitPath(gone + "\\deeper"));
  bool removed = RemoveDirectoryA((gone + "\\deeper").c_str()) && RemoveDirectoryA(gone.c_str());
  if (removed) {
    Post(filer.window(), 1124, WPARAM(-1));  // WM_ZV_REFRESH
    EXPECT_TRUE(filer.WaitPath(TreeDir()));
  } else {
    std::printf("note: the platform keeps a folder that is a process's current directory\n");
  }
  // Closing and reopening keeps the placement.
  MoveWindow(filer.window(), 40, 50, 420, 380, TRUE);
  Pause(300);
  RECT before;
  GetWindowRect(filer.window(), &before);
  Post(filer.window(), WM_COMMAND, 100);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(filer.window()); }, 5000));
  filer.viewer().Command(100);
  HWND again = WaitForWindow(filer.viewer().ProcessId(), kFilerClass, "Zelko Filer", 10000);
  ASSERT_NE(again, nullptr);
  RECT after;
  GetWindowRect(again, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

// Presses on entry `index` of the filer's list, moves past the drag threshold and on to the
// screen point `to` and releases there, all by real input; Escape before the release cancels.
void DragEntryByRealInput(Filer& filer, int index, POINT to, bool escape = false) {
  Send(filer.list(), LB_SETTOPINDEX, WPARAM(index));
  RECT r{};
  Send(filer.list(), LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
  POINT from{r.left + 30, (r.top + r.bottom) / 2};
  ClientToScreen(filer.list(), &from);
  SetForegroundWindow(filer.window());
  Pause(200);
  MouseInput(MOUSEEVENTF_MOVE, from);
  MouseInput(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 12; ++step) MouseInput(MOUSEEVENTF_MOVE, POINT{from.x + step * 4, from.y + step});
  for (int step = 1; step <= 10; ++step)
    MouseInput(MOUSEEVENTF_MOVE, POINT{from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
  Pause(300);
  if (escape) {
    INPUT key[2] = {};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, key, sizeof key[0]);
    Pause(300);
  }
  MouseInput(MOUSEEVENTF_LEFTUP);
}

// From a fresh settings key Zelko Filer opens beside the viewer, owned by it: a click on the
// viewer leaves it in front.
TEST_F(FilerTest, OpensBesideTheViewerAtFirst) {
  Viewer viewer(TreeDir());
  HWND filer = WaitForWindow(viewer.ProcessId(), kFilerClass, "Zelko Filer", 20000);
  ASSERT_NE(filer, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(viewer.main()) != 0; }, 5000));
  Pause(300);
  EXPECT_EQ(SubWindowPlacementFault(viewer.main(), filer), "");
  EXPECT_EQ(GetWindow(filer, GW_OWNER), viewer.main());
  RECT main{}, filerRect{}, both{};
  GetWindowRect(viewer.main(), &main);
  GetWindowRect(filer, &filerRect);
  RealClick(viewer.main(), 40, (main.bottom - main.top) / 2);
  Pause(300);
  EXPECT_TRUE(IsAbove(filer, viewer.main()));
  UnionRect(&both, &main, &filerRect);
  EXPECT_FALSE(SavePng(CaptureScreen(both), "zv32_filer_first_placement").empty());
}

// An underscore in a file's name is drawn: the line of "a_locale.txt" has ink below the
// baseline as wide as the underscore (nothing else on it descends), the line of "notes.man" none.
TEST_F(FilerTest, UnderscoresInNamesAreDrawn) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  const std::string folder = ExeDir() + "\\underscore-tree";
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteFileAt(folder + "\\a_locale.txt", "underscore\r\n");
  WriteFileAt(folder + "\\notes.man", "notes\r\n");
  Filer filer(folder);
  ASSERT_NE(filer.window(), nullptr);
  ASSERT_TRUE(filer.WaitFor([&] { return filer.IndexOf("La_locale|") >= 0 && filer.IndexOf("Lnotes|") >= 0; }));
  ShowAndSettle(filer.window());
  const Image image = Capture(filer.list(), true);
  RECT item{}, plainItem{};
  Send(filer.list(), LB_GETITEMRECT, WPARAM(filer.IndexOf("La_locale|")), reinterpret_cast<LPARAM>(&item));
  Send(filer.list(), LB_GETITEMRECT, WPARAM(filer.IndexOf("Lnotes|")), reinterpret_cast<LPARAM>(&plainItem));
  // The text starts after the icon cell, which is indented by the folder's level.
  auto textStart = [&](const RECT& line) {
    const COLORREF background = image.Pixel(line.right - 1, line.bottom - 1);
    for (int x = line.left; x < line.right; ++x)
      for (int y = line.top; y < line.bottom; ++y)
        if (image.Pixel(x, y) != background) return x + kIconCell;
    return int(line.right);
  };
  EXPECT_GE(LongestInkBelowBaseline(image, item, textStart(item), item.right), SystemFontWidth("_") - 2);
  EXPECT_EQ(LongestInkBelowBaseline(image, plainItem, textStart(plainItem), plainItem.right), 0);
  EXPECT_FALSE(SavePng(image, "zv32_filer_underscore").empty());
}

// The wheel, turned through the system's input over the filer's list, scrolls it by the
// system's rows per notch.
TEST_F(FilerTest, WheelScrollsTheList) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  Filer filer;
  ASSERT_TRUE(filer.WaitFor([&] { return filer.IndexOf("Ln599|") >= 0; }));
  UINT rowsPerNotch = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &rowsPerNotch, 0);
  ShowAndSettle(filer.window());
  ASSERT_EQ(Send(filer.list(), LB_GETTOPINDEX), 0);
  RealWheel(filer.list(), 60, 60, -1);
  EXPECT_TRUE(WaitUntil([&] { return Send(filer.list(), LB_GETTOPINDEX) == LRESULT(rowsPerNotch); }, 3000))
      << Send(filer.list(), LB_GETTOPINDEX);
  RealWheel(filer.list(), 60, 60, -2);
  EXPECT_TRUE(WaitUntil([&] { return Send(filer.list(), LB_GETTOPINDEX) == LRESULT(3 * rowsPerNotch); }, 3000))
      << Send(filer.list(), LB_GETTOPINDEX);
  RealWheel(filer.list(), 60, 60, 3);
  EXPECT_TRUE(WaitUntil([&] { return Send(filer.list(), LB_GETTOPINDEX) == 0; }, 3000))
      << Send(filer.list(), LB_GETTOPINDEX);
}

TEST_F(FilerTest, RealDragDropsTheFileOnAnotherProgramsWindow) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  HWND target = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "drop here", WS_POPUP | WS_VISIBLE | WS_BORDER, 560, 60, 300, 300,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  FileListTarget dropTarget;
  ASSERT_EQ(RegisterDragDrop(target, &dropTarget), S_OK);
  {
    Filer filer;
    ASSERT_TRUE(filer.WaitFor([&] { return filer.IndexOf("Lソフト|") >= 0; }));
    auto drag = [&](int index, bool escape = false) {
      dropTarget.dropped.clear();
      DragEntryByRealInput(filer, index, POINT{710, 210}, escape);
      return WaitUntil([&] { return !dropTarget.dropped.empty(); }, 5000);
    };
    EXPECT_TRUE(drag(filer.IndexOf("Lソフト|")));
    EXPECT_TRUE(dropTarget.entered);
    EXPECT_EQ(Upper(dropTarget.dropped), Upper(TreeDir() + "\\ソフト.txt"));
    // From a path item: that folder itself.
    int pathItems = int(filer.Items().size() - filer.Names().size());
    EXPECT_TRUE(drag(pathItems - 2));
    EXPECT_EQ(Upper(dropTarget.dropped), Upper(ExeDir()));
    // Escape during the drag cancels it: nothing is dropped.
    EXPECT_FALSE(drag(filer.IndexOf("Lソフト|"), true));
    // The drag did not open the file.
    EXPECT_EQ(filer.viewer().Title().find("ソフト"), std::string::npos) << filer.viewer().Title();
  }
  RevokeDragDrop(target);
  DestroyWindow(target);
  OleUninitialize();
}

// A file dragged out of the filer onto the viewer's own window opens there, as a file dropped
// by the shell does: the viewer is an OLE drop target for file lists.
TEST_F(FilerTest, RealDragOntoTheViewerOpensTheFile) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  Filer filer;
  ASSERT_TRUE(filer.WaitFor([&] { return filer.IndexOf("Lソフト|") >= 0; }));
  HWND viewer = filer.viewer().main();
  RECT filerRect{};
  GetWindowRect(filer.window(), &filerRect);
  // The viewer beside the filer, where nothing covers it.
  SetWindowPos(viewer, HWND_TOP, filerRect.right + 20, 40, 400, 400, SWP_NOACTIVATE);
  Pause(300);
  RECT viewerRect{};
  GetWindowRect(viewer, &viewerRect);
  POINT to{(viewerRect.left + viewerRect.right) / 2, (viewerRect.top + viewerRect.bottom) / 2};
  ASSERT_EQ(GetAncestor(WindowFromPoint(to), GA_ROOT), viewer);
  DragEntryByRealInput(filer, filer.IndexOf("Lソフト|"), to);
  EXPECT_TRUE(WaitUntil([&] { return Upper(filer.viewer().Title()) == Upper("Zelko View 32 - " + TreeDir() + "\\ソフト.txt"); },
                        10000))
      << filer.viewer().Title();
  ShowAndSettle(viewer);
  EXPECT_FALSE(SaveScreenshot(viewer, "zv32_dropped_from_filer").empty());
}

TEST_F(FilerTest, CommandsOpenAndActivateItAndTheStatusLineNamesTheButtons) {
  WriteStringSetting("BooleanOption", kAllFilesByName);
  Viewer viewer(TreeDir() + "\\README");  // a file: the filer does not open by itself
  ASSERT_NE(viewer.main(), nullptr);
  Pause(500);
  EXPECT_EQ(FindTopWindow(viewer.ProcessId(), kFilerClass), nullptr);
  // 104 without an archive filer or a filer: opens the filer; again: the same one, active.
  viewer.Command(104);
  HWND filer = WaitForWindow(viewer.ProcessId(), kFilerClass, "Zelko Filer", 10000);
  ASSERT_NE(filer, nullptr);
  SetForegroundWindow(viewer.main());
  viewer.Command(104);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == filer; }, 5000));
  viewer.Command(100);
  Pause(500);
  EXPECT_EQ(FindTopWindow(viewer.ProcessId(), kFilerClass), filer);
  // The mouse over a tool button shows its text in the status line.
  Send(GetDlgItem(filer, 122), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(Text(GetDlgItem(filer, 960)), "タイムスタンプによってソートします");
  Send(GetDlgItem(filer, 101), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(Text(GetDlgItem(filer, 960)), "新しいパス名を直接入力します");
  // "Q" closes it.
  KeyDown(GetDlgItem(filer, kListId), 'Q');
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(filer); }, 5000));
}

TEST_F(FilerTest, HorizontalLayoutWithAndWithoutTheDriveBar) {
  for (char driveBar : {'1', '0'}) {
    DeleteSettingsKey();
    WriteStringSetting("BooleanOption", Flags({{11, '0'}, {14, 'F'}, {21, '0'}, {22, driveBar}}));
    Filer filer;
    ASSERT_TRUE(filer.WaitPath(TreeDir()));
    EXPECT_EQ(GetDlgItem(filer.window(), kDriveBarId) != nullptr, driveBar == '1');
    EXPECT_EQ(GetDlgItem(filer.window(), 940) != nullptr, driveBar == '0');
    EXPECT_TRUE(GetWindowLongA(filer.list(), GWL_STYLE) & LBS_MULTICOLUMN);
    MoveWindow(filer.window(), 20, 20, 640, 420, TRUE);
    ShowAndSettle(filer.window());
    EXPECT_FALSE(SaveScreenshot(filer.window(), driveBar == '1' ? "filer_horizontal_drive_bar" : "filer_horizontal_combo").empty());
  }
  DeleteSettingsKey();
  WriteStringSetting("BooleanOption", Flags({{11, '0'}, {14, 'F'}, {22, '0'}}));
  Filer filer;
  ASSERT_TRUE(filer.WaitPath(TreeDir()));
  EXPECT_FALSE(GetWindowLongA(filer.list(), GWL_STYLE) & LBS_MULTICOLUMN);
  ShowAndSettle(filer.window());
  EXPECT_FALSE(SaveScreenshot(filer.window(), "filer_vertical_combo").empty());
}
