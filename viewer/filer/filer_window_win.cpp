// The Zelko Filer window: its creation (tool buttons, list, status line, drive bar or drive
// combo box), its message switch, its commands and its destruction; and the commands of the
// main window that open, activate, close or replace it.
#include <cstdio>

#include "controls/plim32_win.h"
#include "platform/win/owners.h"
#include "viewer/filer/filer_parts_win.h"
#include "viewer/filer/filer_win.h"
#include "viewer/resources/resource_names.h"
#include "viewer/frame/link_windows_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

HBITMAP FilerToolBitmap = nullptr;
HBITMAP DriveBitmap = nullptr;
char DirHistory[kDirHistorySize];
int FilerFontHeight = 16;

namespace {

constexpr char kFilerTitle[] = "Zelko Filer";
constexpr char kFilerPlacement[] = "FilerWndPos";
constexpr int kToolWidth = 25;
constexpr int kToolHeight = 21;
constexpr int kToggleStyle = 1;        // latches
constexpr int kRadioToggleStyle = 5;   // latches, for the ascending / descending pair

struct FilerTool {
  int id;
  int x;
  int image;
  int style;
  const char* text;
};

constexpr FilerTool kFilerTools[] = {
    {IDC_FILER_CLOSE, 5, 0, 0, "Zelko Filerを終了します"},
    {IDC_FILER_CHDIR, 34, 2, 0, "新しいパス名を直接入力します"},
    {IDC_FILER_HELP, 58, 1, 0, "Zelko Filerのヘルプを表示します"},
    {IDC_FILER_ASCENDING, 97, 3, kRadioToggleStyle, "昇順(A→Zへ)にソートします"},
    {IDC_FILER_DESCENDING, 121, 4, kRadioToggleStyle, "降順(Z→Aへ)にソートします"},
    {IDC_FILER_SORT_NAME, 150, 5, kToggleStyle, "ファイル名によってソートします"},
    {IDC_FILER_SORT_EXTENSION, 174, 6, kToggleStyle, "拡張子によってソートします"},
    {IDC_FILER_SORT_TIME, 198, 7, kToggleStyle, "タイムスタンプによってソートします"},
    {IDC_FILER_SORT_SIZE, 222, 8, kToggleStyle, "ファイルサイズによってソートします"},
    {IDC_FILER_SETTINGS, 251, 9, 0, "Zelko Filerの設定をします"},
};

HWND CreateFilerChild(HWND filer, const char* className, const char* text, DWORD style, int id, void* parameter = nullptr) {
  return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 1, 1, filer,
                         reinterpret_cast<HMENU>(INT_PTR(id)), Instance, parameter);
}

void LoadFilerBitmaps() {
  if (!FilerToolBitmap) FilerToolBitmap = LoadBitmapA(Instance, kFilerToolBarBitmap);
  if (ShowDriveBar && !DriveBitmap) DriveBitmap = LoadBitmapA(Instance, kDriveBitmap);
}

void CreateToolButtons(HWND filer) {
  for (const FilerTool& tool : kFilerTools) {
    PlimToolCreate create{FilerToolBitmap, tool.image};
    CreateWindowExA(0, "PlimTool", tool.text, WS_CHILD | WS_VISIBLE | DWORD(tool.style), tool.x, 2, kToolWidth,
                    kToolHeight, filer, reinterpret_cast<HMENU>(INT_PTR(tool.id)), Instance, &create);
  }
  CheckDlgButton(filer, IDC_FILER_ASCENDING + (FilerSortDescending ? 1 : 0), BST_CHECKED);
  if (FilerSortKey < 4) CheckDlgButton(filer, IDC_FILER_SORT_NAME + FilerSortKey, BST_CHECKED);
}

void CreateList(HWND filer) {
  DWORD style = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT |
                LBS_WANTKEYBOARDINPUT | WS_TABSTOP;
  style |= FilerVertical ? WS_VSCROLL : (LBS_MULTICOLUMN | WS_HSCROLL | LBS_DISABLENOSCROLL);
  HWND list = CreateFilerChild(filer, "LISTBOX", "", style, IDC_FILER_LIST);
  SubclassFilerList(list);
  SendMessageA(list, WM_SETFONT, WPARAM(OemFont), 0);
}

// Every drive letter that exists, as "X:" with the drive number as item data.
void FillDriveCombo(HWND combo) {
  DWORD drives = GetLogicalDrives();
  for (int drive = 0; drive < 26; ++drive) {
    if (!(drives & (1u << drive))) continue;
    char root[4] = {char('A' + drive), ':', '\\', '\0'};
    UINT type = GetDriveTypeA(root);
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) continue;
    root[2] = '\0';
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(root));
    SendMessageA(combo, CB_SETITEMDATA, WPARAM(index), drive);
  }
  std::string directory = CurrentDirectory();
  if (directory.size() >= 2 && directory[1] == ':') {
    char current[3] = {char(directory[0] & ~0x20), ':', '\0'};
    SendMessageA(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM(current));
  }
}

void CreateDriveChooser(HWND filer) {
  if (ShowDriveBar) {
    CreateFilerChild(filer, kDriveBarWindowClass, "", FilerVertical ? 0 : 1, IDC_FILER_DRIVE_BAR);
    return;
  }
  HWND combo = CreateFilerChild(filer, "COMBOBOX", "", CBS_DROPDOWNLIST | CBS_SORT | CBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                                IDC_FILER_DRIVES);
  SendMessageA(combo, WM_SETFONT, WPARAM(OemFont), 0);
  FillDriveCombo(combo);
}

void AddSettingsToSystemMenu(HWND filer) {
  HMENU system = GetSystemMenu(filer, FALSE);
  AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(system, MF_STRING, IDC_FILER_SETTINGS, "Zelko Filerの設定...");
}

void OnCreate(HWND filer) {
  LoadFilerBitmaps();
  MeasureFilerFont();
  LoadDirHistory(DirHistory);
  ReadAssociatedExtensions();
  CreateToolButtons(filer);
  CreateList(filer);
  CreateFilerChild(filer, "PlimTray", "", 0, IDC_FILER_STATUS_FRAME);
  HWND status = CreateFilerChild(filer, "STATIC", "", SS_LEFTNOWORDWRAP, IDC_FILER_STATUS);
  SendMessageA(status, WM_SETFONT, WPARAM(OemFont), 0);
  CreateFilerChild(filer, "PlimSizeGrip", "", 0, IDC_FILER_SIZE_GRIP);
  CreateDriveChooser(filer);
  AddSettingsToSystemMenu(filer);
  PostMessageA(filer, WM_ZV_REFRESH, 0, 0);
}

void OnDestroy(HWND filer) {
  DirChangeHandle.Reset();
  SaveSubWindowPlacement(filer, kFilerPlacement);
  RemovePropA(filer, kLevelProperty);
  RemovePropA(filer, kPositionsProperty);
  FilerColumnPositions.clear();
  UnlinkWindow(filer);
  (void)SaveDirHistory(DirHistory);  // best effort: the filer is closing
}

void CloseFiler(HWND filer) {
  SaveSubWindowPlacement(filer, kFilerPlacement);
  DestroyWindow(filer);
}

bool IsChecked(HWND filer, int id) { return IsDlgButtonChecked(filer, id) == BST_CHECKED; }

void OnSortOrderButton(HWND filer, int id) {
  if (!IsChecked(filer, id)) {
    CheckDlgButton(filer, id, BST_CHECKED);  // the checked button stays checked
    return;
  }
  FilerSortDescending = id == IDC_FILER_DESCENDING;
  CheckDlgButton(filer, id == IDC_FILER_ASCENDING ? IDC_FILER_DESCENDING : IDC_FILER_ASCENDING, BST_UNCHECKED);
  PostMessageA(filer, WM_ZV_REFRESH, 0, 0);
}

void OnSortKeyButton(HWND filer, int id) {
  if (IsChecked(filer, id)) {
    for (int other = IDC_FILER_SORT_NAME; other <= IDC_FILER_SORT_SIZE; ++other) {
      if (other != id) CheckDlgButton(filer, other, BST_UNCHECKED);
    }
    FilerSortKey = uint8_t(id - IDC_FILER_SORT_NAME);
  } else {
    FilerSortKey = 4;
  }
  PostMessageA(filer, WM_ZV_REFRESH, 0, 0);
}

void OnCommand(HWND filer, int id, int code) {
  switch (id) {
    case IDC_FILER_CLOSE:
    case IDC_OK:
    case IDC_CANCEL:
      CloseFiler(filer);
      return;
    case IDC_FILER_CHDIR:
      RunChdirDialog(filer);
      return;
    case IDC_FILER_HELP:
      ShowFilerHelp(filer);
      return;
    case IDC_FILER_ASCENDING:
    case IDC_FILER_DESCENDING:
      OnSortOrderButton(filer, id);
      return;
    case IDC_FILER_SORT_NAME:
    case IDC_FILER_SORT_EXTENSION:
    case IDC_FILER_SORT_TIME:
    case IDC_FILER_SORT_SIZE:
      OnSortKeyButton(filer, id);
      return;
    case IDC_FILER_SETTINGS:
      if (MainWindow) PostMessageA(MainWindow, WM_COMMAND, IDM_FILER_SETTINGS, 0);
      return;
    case IDC_FILER_LIST:
      if (code == LBN_SELCHANGE) OnFilerSelectionChange(filer);
      else if (code == LBN_DBLCLK) OnFilerDoubleClick(filer);
      return;
    case IDC_FILER_DRIVES:
      if (code == CBN_SELCHANGE) OnDriveComboChange(filer);
      return;
  }
  if (id >= IDM_FILER_TYPE_FILTER && id < IDM_FILER_TYPE_FILTER + 256) {
    FilerCustomType = id - IDM_FILER_MASK_FIRST;
    PostMessageA(filer, WM_ZV_REFRESH, 0, 0);
  }
}

// The window text of the child under the mouse, in the status line when it differs.
void ShowChildText(HWND filer, HWND child) {
  char text[128], shown[128];
  GetWindowTextA(child, text, sizeof text);
  GetDlgItemTextA(filer, IDC_FILER_STATUS, shown, sizeof shown);
  if (lstrcmpA(text, shown) != 0) SetDlgItemTextA(filer, IDC_FILER_STATUS, text);
}

void OnParentNotify(HWND filer, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WM_MOUSEMOVE) ShowChildText(filer, reinterpret_cast<HWND>(lParam));
  else if (LOWORD(wParam) == WM_RBUTTONDOWN) ShowMaskPopup(filer);
}

void OnPaint(HWND filer) {
  win::PaintDC dc(filer);
  PaintFilerFrame(filer, dc);
}

}  // namespace

int FilerBaseUnitX() { return LOWORD(GetDialogBaseUnits()); }
int FilerBaseUnitY() { return HIWORD(GetDialogBaseUnits()); }
HFONT FilerFontObject() { return FilerFontHandle ? FilerFontHandle : HFONT(GetStockObject(SYSTEM_FONT)); }
HWND FilerList(HWND filer) { return GetDlgItem(filer, IDC_FILER_LIST); }
int FilerLevel(HWND filer) { return int(INT_PTR(GetPropA(filer, kLevelProperty))); }

std::string CurrentDirectory() {
  char directory[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory) return {};
  return directory;
}

void MeasureFilerFont() {
  HWND desktop = GetDesktopWindow();
  win::WindowDC dc(desktop);
  win::Selection font(dc, FilerFontObject());
  SIZE size{};
  GetTextExtentPoint32A(dc, "Filer!", 6, &size);
  FilerFontHeight = size.cy > 0 ? size.cy : 16;
}

LRESULT CALLBACK FilerWindowProc(HWND filer, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(filer);
      return 0;
    case WM_SIZE:
      LayoutFiler(filer, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_PAINT:
      OnPaint(filer);
      return 0;
    case WM_ZV_REFRESH:
      RefreshFiler(filer, int(wParam));
      return 0;
    case WM_COMMAND:
      OnCommand(filer, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_SYSCOMMAND:
      if (wParam == IDC_FILER_SETTINGS) {
        if (MainWindow) PostMessageA(MainWindow, WM_COMMAND, IDM_FILER_SETTINGS, 0);
        return 0;
      }
      break;
    case WM_MEASUREITEM:
      MeasureFilerItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      DrawFilerItem(filer, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_VKEYTOITEM:
      return OnFilerKey(filer, LOWORD(wParam), HIWORD(wParam));
    case WM_RBUTTONDOWN:
      ShowMaskPopup(filer);
      return 0;
    case WM_PARENTNOTIFY:
      OnParentNotify(filer, wParam, lParam);
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return LRESULT(GetClassLongPtrA(filer, GCLP_HBRBACKGROUND));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(FilerList(filer));
      return 0;
    case WM_WINDOWPOSCHANGED:
      OnLinkedWindowPosChanged(filer, reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_DESTROY:
      OnDestroy(filer);
      return 0;
  }
  return DefWindowProcA(filer, message, wParam, lParam);
}

void OpenFilerWindow(HWND mainWindow) {
  if (HWND filer = FindOwnWindow(kFilerWindowClass)) {
    if (IsIconic(filer)) ShowWindow(filer, SW_RESTORE);
    SetActiveWindow(filer);
    return;
  }
  OpenSubWindow(kFilerWindowClass, kFilerTitle, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW,
                mainWindow, nullptr, nullptr, kFilerPlacement, kFilerLinkPath);
}

void CloseFilerWindow() {
  if (HWND filer = FindOwnWindow(kFilerWindowClass)) CloseFiler(filer);
}

void RecreateFilerWindow() {
  HWND filer = FindOwnWindow(kFilerWindowClass);
  if (!filer) return;
  DestroyWindow(filer);
  if (MainWindow) PostMessageA(MainWindow, WM_COMMAND, IDM_FILER, 0);
}
