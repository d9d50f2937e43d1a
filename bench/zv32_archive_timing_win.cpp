// zv32_archive_timing: how fast the archive filer lists and extracts, for the benchmarks.
//   zv32_archive_timing ARCHIVE FOLDER MEMBERS
// Starts ZV32.EXE on ARCHIVE in FOLDER's parent folder and prints one figure a line ("name
// value", milliseconds; "n/a" when a figure could not be had):
//   start_list_ms  start of the process until the archive filer's list holds MEMBERS lines and
//                  has been painted
//   list_ms        from the main window's appearance until then
//   extract_ms     every member checked ("A"), extraction confirmed in the folder chooser on
//                  FOLDER, until the run has ended (no progress dialog, the filer enabled)
//   files          the files FOLDER holds afterwards, counted through its subfolders
#include <windows.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/e2e_driver_win.h"
#include "bench/timing_support_win.h"
#include "tests/e2e/zv32_windows_win.h"

using namespace e2e;

namespace {

constexpr char kArchFilerClass[] = "ZelkoView!ArchFiler";
constexpr char kChooserTitle[] = "解凍先のディレクトリを指定してください";
constexpr char kProgressTitle[] = "解凍中";
constexpr int kListId = IDC_ARCH_LIST;
constexpr int kFolderListId = lst2;  // the file dialog's folder list
constexpr int kFolderTextId = IDC_UNPACK_TO_FOLDER;
constexpr DWORD kTimeoutMs = 600000;
// Polls of a long run are rare: every call to the window system waits for the Wine server,
// which the viewer needs for every file it writes.
constexpr DWORD kIdlePollMs = 50;

int CountFiles(const std::string& folder) {
  int count = 0;
  WIN32_FIND_DATAA found;
  win::FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!search) return 0;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? CountFiles(folder + "\\" + name) : 1;
  } while (FindNextFileA(search, &found));
  return count;
}

void Print(const char* name, double value, bool had) {
  if (had) {
    std::printf("%s %.0f\n", name, value);
  } else {
    std::printf("%s n/a\n", name);
  }
}

// The chooser goes down into `name` (a folder of the viewer's current one) and confirms.
bool Choose(DWORD process, const std::string& name) {
  HWND chooser = WaitForWindow(process, "#32770", kChooserTitle, 20000);
  if (!chooser) return false;
  HWND folders = GetDlgItem(chooser, kFolderListId);
  int count = int(SendPatiently(folders, LB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(folders, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kTimeoutMs,
                        &copied);
    char ansi[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    if (_stricmp(ansi, ("[" + name + "]").c_str()) != 0) continue;
    SendPatiently(folders, LB_SETCURSEL, WPARAM(i));
    SendPatiently(chooser, WM_COMMAND, MAKEWPARAM(kFolderListId, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
    std::string shown = Text(GetDlgItem(chooser, kFolderTextId));
    if (shown.size() < name.size()) return false;
    PostMessageA(chooser, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
    return WaitUntil([&] { return !IsWindow(chooser); }, 20000);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: zv32_archive_timing ARCHIVE FOLDER MEMBERS\n");
    return 2;
  }
  std::string archive = argv[1], folder = argv[2];
  int members = std::atoi(argv[3]);
  std::string parent = folder.substr(0, folder.find_last_of('\\'));
  std::string name = folder.substr(folder.find_last_of('\\') + 1);
  CreateDirectoryA(folder.c_str(), nullptr);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Plim\\ZelkoView");

  double start = NowMs();
  Program viewer("ZV32.EXE \"" + archive + "\"", parent, false);
  HWND main = WaitForWindow(viewer.Id(), kViewerClass, nullptr, 60000);
  double shown = NowMs();
  HWND filer = nullptr, list = nullptr;
  bool listed = main && WaitUntil([&] {
    filer = FindTopWindow(viewer.Id(), kArchFilerClass);
    list = filer ? GetDlgItem(filer, kListId) : nullptr;
    return list && SendPatiently(list, LB_GETCOUNT) == members;
  }, kTimeoutMs);
  if (listed) RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW);  // painted, as far as it must be
  double painted = NowMs();
  Print("start_list_ms", painted - start, listed);
  Print("list_ms", painted - shown, listed);

  bool extracted = false;
  double began = 0, ended = 0;
  if (listed) {
    SendPatiently(list, WM_KEYDOWN, 'A');
    PostMessageA(filer, WM_COMMAND, 100, 0);
    if (Choose(viewer.Id(), name)) {
      began = NowMs();
      // The run's progress dialog stands from its first member to its last.  While it stands
      // only its existence is asked for: a message to the viewer would slow down what is timed.
      HWND progress = WaitForWindow(viewer.Id(), "PlimDialog", kProgressTitle, 20000);
      while (progress && IsWindow(progress) && NowMs() - began < kTimeoutMs) Sleep(kIdlePollMs);
      extracted = progress && WaitUntil([&] { return IsWindowEnabled(filer) != FALSE; }, kTimeoutMs);
      ended = NowMs();
    }
  }
  Print("extract_ms", ended - began, extracted);
  std::printf("files %d\n", CountFiles(folder));
  if (main) SendPatiently(main, WM_CLOSE);
  viewer.WaitExit(10000);
  return 0;
}
