// The archive filer window: creation of its list, tool buttons and summary line, layout, keys
// and commands.  It has no reader of its own: it lists the members of the document's source.
#include "viewer/archive_filer/archive_filer_win.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "platform/win/owners.h"
#include "plim32_win.h"
#include "viewer/archive_filer/archive_extract_win.h"
#include "viewer/archive/archive_open.h"
#include "viewer/archive/file_reader.h"
#include "viewer/archive/archive_list.h"
#include "viewer/archive_filer/archive_list_box_win.h"
#include "viewer/archive_filer/archive_run_win.h"
#include "viewer/document/document.h"
#include "viewer/resources/resource_names.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/frame/help_win.h"
#include "viewer/frame/link_windows_win.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kPlacementName[] = "LZHWndPos";
constexpr char kPositionsProperty[] = "POS";
constexpr int kHelpContext = 1002;
constexpr int kToolTop = 2;
constexpr int kToolWidth = 25;
constexpr int kToolHeight = 21;
constexpr int kListTop = 25;
constexpr int kSizeGripWidth = 10;
constexpr int kKeyHandled = -2;
constexpr int kKeyDefault = -1;

HBITMAP ArchiveToolBarBitmap = nullptr;  // loaded once, kept for the process
std::array<int, kArchiveColumnCount> ColumnPositions{};

struct ToolButton {
  int id;
  int x;
  int image;
  const char* tip;
};
const ToolButton kToolButtons[] = {
    {IDC_ARCH_EXTRACT, 5, 0, "チェックされたファイルをて解凍します"},
    {IDC_ARCH_CHECK_ALL, 29, 1, "全てのファイルにチェックをつけます"},
    {IDC_ARCH_HELP, 58, 2, "ArchiveFilerのヘルプを表示します"},
};

HWND List(HWND window) { return GetDlgItem(window, IDC_ARCH_LIST); }

HWND CreateChild(HWND window, const char* className, DWORD style, int id, void* parameter = nullptr) {
  return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                         reinterpret_cast<HMENU>(INT_PTR(id)), Instance, parameter);
}

int TextWidth(HDC dc, const char* text, int length) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text, length, &size);
  return size.cx;
}

// The widest stem and the widest rest of the listed names, in the list's font.
struct WidestName {
  int stem = 0;
  int rest = 0;
};

// Fills the list with one line per member and writes the summary; returns the widest name parts.
WidestName FillMemberList(HWND list, HDC dc, ArchiveReader& reader, ArchiveTotals& totals) {
  WidestName widest;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_INITSTORAGE, WPARAM(reader.MemberCount()), LPARAM(reader.MemberCount()) * 64);
  ArchiveEntry entry;
  for (int i = 0; i < reader.MemberCount() && i <= 0xFFFF; ++i) {
    if (reader.GetEntry(i, entry) != ArchiveResult::kOk) break;
    std::string line = FormatArchiveListLine(entry);
    LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (at < 0) break;
    SendMessageA(list, LB_SETITEMDATA, WPARAM(at), (IsArchiveFolderEntry(entry) ? kArchiveFolderItemData : kArchiveItemData) + i);
    const char* name = ArchiveShownName(entry);
    const int stemLength = int(ArchiveNameStemLength(name));
    widest.stem = std::max(widest.stem, TextWidth(dc, name, stemLength));
    widest.rest = std::max(widest.rest, TextWidth(dc, name + stemLength, int(std::strlen(name + stemLength))));
    totals.Add(entry);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  return widest;
}

void ListMembers(HWND window) {
  HWND list = List(window);
  ArchiveReader* reader = DocumentArchive();
  if (!reader) return;
  win::WindowDC dc(list);
  win::Selection font(dc, ArchiveListFont());
  ArchiveTotals totals;
  const WidestName widest = FillMemberList(list, dc, *reader, totals);
  ColumnPositions =
      ArchiveColumnPositions(widest.stem, widest.rest, TextWidth(dc, "1234567890", 10), TextWidth(dc, "(%)", 3));
  SetPropA(window, kPositionsProperty, ColumnPositions.data());
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  // A list that ends early says so first, where a narrow window still shows it.
  std::string summary = ArchiveListingNote(reader->ListingResult()) + FormatArchiveSummary(totals);
  SetDlgItemTextA(window, IDC_ARCH_SUMMARY, summary.c_str());
}

void CreateToolButtons(HWND window) {
  if (!ArchiveToolBarBitmap) ArchiveToolBarBitmap = LoadBitmapA(Instance, kArchiveToolBarBitmap);
  for (const ToolButton& button : kToolButtons) {
    PlimToolCreate create{ArchiveToolBarBitmap, button.image};
    CreateWindowExA(0, "PlimTool", button.tip, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, button.x, kToolTop,
                    kToolWidth, kToolHeight, window, reinterpret_cast<HMENU>(INT_PTR(button.id)), Instance, &create);
  }
}

void SetArchiveFilerMenuItem(bool enabled) {
  if (MainMenu) EnableMenuItem(MainMenu, IDM_ARCHIVE_FILER, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

LRESULT OnCreate(HWND window) {
  HWND list = CreateArchiveList(window);
  CreateChild(window, "PlimTray", 0, IDC_ARCH_SUMMARY_FRAME);
  HWND summary = CreateChild(window, "STATIC", SS_LEFT | SS_NOPREFIX, IDC_ARCH_SUMMARY);
  CreateChild(window, "PlimSizeGrip", 0, IDC_ARCH_SIZE_GRIP);
  if (!list || !summary) return -1;
  ListMembers(window);
  SetArchiveFilerMenuItem(true);
  CreateToolButtons(window);
  return 0;
}

void OnSize(HWND window, int w, int h) {
  int line = HIWORD(GetDialogBaseUnits()) + 4;
  MoveWindow(List(window), -1, kListTop, w + 2, h - line - kListTop, TRUE);
  MoveWindow(GetDlgItem(window, IDC_ARCH_SUMMARY_FRAME), 1, h - line + 1, w - 11, line - 2, TRUE);
  MoveWindow(GetDlgItem(window, IDC_ARCH_SUMMARY), 2, h - line + 2, w - 13, line - 4, TRUE);
  MoveWindow(GetDlgItem(window, IDC_ARCH_SIZE_GRIP), w - kSizeGripWidth, h - line, kSizeGripWidth, line, TRUE);
}

void OnDestroy(HWND window) {
  SaveSubWindowPlacement(window, kPlacementName);
  RemovePropA(window, kPositionsProperty);
  UnlinkWindow(window);
  SetArchiveFilerMenuItem(false);
}

// "c:\" followed by the current directory (without its drive); empty when it cannot be read.
std::string CurrentDirectoryWithDrive(bool withDrive) {
  char current[MAX_PATH] = "";
  DWORD length = GetCurrentDirectoryA(sizeof current, current);
  if (length == 0 || length >= sizeof current) return {};
  const char* rest = current[1] == ':' ? current + 2 : current;
  if (*rest == '\\') ++rest;
  std::string start = "\\";
  if (withDrive && current[1] == ':') start = std::string(1, char(current[0] | 0x20)) + ":\\";
  return start + rest;
}

void ShowHelp(HWND window) {
  if (HelpFileExists()) {
    WinHelpA(window, HelpPath, HELP_CONTEXT, kHelpContext);
  } else {
    ShowHelpContents(window);
  }
}

void OnListNotification(HWND window, int code) {
  HWND list = List(window);
  int line = int(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (line < 0) return;
  if (code == LBN_SELCHANGE) (void)OpenArchiveMember(MemberOfLine(list, line));  // shown: a failure is in the status bar
  if (code == LBN_DBLCLK) RunArchiveMember(window, MemberOfLine(list, line), FileNameOfLine(list, line));
}

void OnCommand(HWND window, int id, int code) {
  switch (id) {
    case IDC_ARCH_EXTRACT:
      return ExtractCheckedMembers(window, List(window), CurrentDirectoryWithDrive(true));
    case IDC_ARCH_CHECK_ALL:
      return ToggleAllChecks(List(window));
    case IDC_ARCH_HELP:
      return ShowHelp(window);
    case IDC_ARCH_LIST:
      return OnListNotification(window, code);
  }
}

int OnListKey(HWND window, int key) {
  HWND list = List(window);
  int line = int(SendMessageA(list, LB_GETCURSEL, 0, 0));
  switch (key) {
    case VK_BACK:
    case VK_DELETE:
      PostMessageA(MainWindow, WM_COMMAND, IDM_FILER, 0);
      return kKeyHandled;
    case VK_RETURN:
      if (MainWindow) SetActiveWindow(MainWindow);
      return kKeyHandled;
    case VK_SPACE:
      if (line >= 0) {
        ToggleLineCheck(list, line);
        SendMessageA(list, LB_SETCURSEL, WPARAM(line + 1), 0);
      }
      return kKeyHandled;
    case 'A':
      ToggleAllChecks(list);
      return kKeyHandled;
    case 'U':
      ExtractCheckedMembers(window, list, CurrentDirectoryWithDrive(false));
      return kKeyHandled;
  }
  return kKeyDefault;
}

void OnActivate(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(List(window));
}

}  // namespace

LRESULT CALLBACK ArchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_SIZE:
      OnSize(window, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(window, wParam);
      return 0;
    case WM_MEASUREITEM:
      MeasureArchiveLine(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      DrawArchiveLine(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                      static_cast<const int*>(GetPropA(window, kPositionsProperty)));
      return TRUE;
    case WM_VKEYTOITEM:
      return OnListKey(window, LOWORD(wParam));
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return GetClassLongPtrA(window, GCLP_HBRBACKGROUND);
    case WM_WINDOWPOSCHANGED:
      OnLinkedWindowPosChanged(window, reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void OpenArchiveFiler(int member) {
  CloseArchiveFiler();
  HWND window = OpenSubWindow(kArchFilerWindowClass, TheDocument.FileName, WS_OVERLAPPEDWINDOW, MainWindow, nullptr,
                              nullptr, kPlacementName, kArchFilerLinkPath);
  if (!window) return;
  HWND list = List(window);
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int line = 0; line < count; ++line) {
    if (MemberOfLine(list, line) != member) continue;
    SendMessageA(list, LB_SETCURSEL, WPARAM(line), 0);
    break;
  }
}

ArchiveReader* DocumentArchive() {
  return TheDocument.ArchiveFile ? static_cast<ArchiveReader*>(TheDocument.Source.get()) : nullptr;
}

ArchiveCopy::ArchiveCopy() {
  if (!DocumentArchive()) return;
  file_ = std::make_unique<FileReader>(TheDocument.FileName, fileapi::kShareDenyNone);
  ArchiveKind kind = ArchiveKind::kNone;
  if (DetectArchiveKind(TheDocument.FileName, *file_, kind) == ArchiveResult::kOk)
    reader_ = NewArchiveReader(kind, file_.get(), TheDocument.FileName);
}

ArchiveCopy::~ArchiveCopy() = default;

void CloseArchiveFiler() {
  if (HWND window = FindOwnWindow(kArchFilerWindowClass)) DestroyWindow(window);
}

void ArchiveFilerCommand(HWND mainWindow) {
  HWND window = FindOwnWindow(kArchFilerWindowClass);
  if (!window) window = FindOwnWindow(kFilerWindowClass);
  if (!window) {
    PostMessageA(mainWindow, WM_COMMAND, IDM_FILER, 0);
    return;
  }
  ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window);
  SetActiveWindow(window);
}

void UpdateArchiveFilerMenuItem(HMENU menu) {
  bool exists = FindOwnWindow(kArchFilerWindowClass) != nullptr;
  EnableMenuItem(menu, IDM_ARCHIVE_FILER, MF_BYCOMMAND | (exists ? MF_ENABLED : MF_GRAYED));
}
