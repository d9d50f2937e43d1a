// Choosing in Zelko Filer: a selected file opens in the viewer, a double click runs a file or
// enters a folder, the keys of the list, the drive combo box, the popup of custom masks, the
// "Chdir" dialog and the help topic.
#include <windows.h>
#include <shellapi.h>

#include "viewer/filer/filer_entry.h"
#include "viewer/filer/filer_parts_win.h"
#include "viewer/filer/filer_text.h"
#include "viewer/filer/filer_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/frame/directories_win.h"
#include "viewer/text_window/shown_file_win.h"
#include "viewer/frame/help_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr UINT kYenKey = 0xDC;

bool ShiftHeld() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

uint32_t ItemData(HWND list, int index) { return uint32_t(SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0)); }

int CurrentItem(HWND list) { return int(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

void ChangeDirectoryAndRefresh(HWND filer, const char* path, int select) {
  ChangeDirectory(path);
  PostMessageA(filer, WM_ZV_REFRESH, WPARAM(select), 0);
}

void EnterFolderItem(HWND filer, int index) {
  HWND list = FilerList(filer);
  int level = ItemLevel(ItemData(list, index));
  if (level == FilerLevel(filer)) ChangeDirectory(ItemName(FilerItemText(list, index)).c_str());
  else ChangeDirectory(PathAtLevel(CurrentDirectory(), size_t(level)).c_str());
  PostMessageA(filer, WM_ZV_REFRESH, WPARAM(level), 0);
}

void RunFileItem(HWND filer, int index) {
  std::string name = ItemName(FilerItemText(FilerList(filer), index));
  std::string directory = CurrentDirectory();
  ShellExecuteA(filer, nullptr, name.c_str(), nullptr, directory.c_str(), ShiftHeld() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void ActivateWindow(HWND window) {
  if (window) SetActiveWindow(window);
}

void OnEnter(HWND filer, int current) {
  HWND list = FilerList(filer);
  if (current >= 0 && ItemTypeCode(ItemData(list, current)) == kTypeFolder) {
    EnterFolderItem(filer, current);
    return;
  }
  HWND archiveFiler = FindOwnWindow(kArchFilerWindowClass);
  ActivateWindow(archiveFiler ? archiveFiler : MainWindow);
}

bool IsLetterOrDigit(UINT key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

void SelectByInitial(HWND filer, int current, char key) {
  HWND list = FilerList(filer);
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  std::vector<std::string> names;
  names.reserve(size_t(count));
  for (int i = 0; i < count; ++i) names.push_back(ItemName(FilerItemText(list, i)));
  int found = FindItemByInitial(names, current, key);
  if (found < 0) return;
  SendMessageA(list, LB_SETCURSEL, WPARAM(found), 0);
  OnFilerSelectionChange(filer);
}

// Left / Right in the vertical layout: the previous / next drive.
void StepDrive(HWND filer, int step) {
  if (HWND bar = GetDlgItem(filer, IDC_FILER_DRIVE_BAR)) {
    SendMessageA(bar, WM_COMMAND, step < 0 ? kPreviousDriveCommand : kNextDriveCommand, 0);
    return;
  }
  HWND combo = GetDlgItem(filer, IDC_FILER_DRIVES);
  int index = int(SendMessageA(combo, CB_GETCURSEL, 0, 0)) + step;
  if (index < 0 || index >= int(SendMessageA(combo, CB_GETCOUNT, 0, 0))) return;
  SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
  OnDriveComboChange(filer);
}

void ToggleLowerCase(HWND filer) {
  FilerLowerCase = !FilerLowerCase;
  InvalidateRect(FilerList(filer), nullptr, TRUE);
  if (HWND bar = GetDlgItem(filer, IDC_FILER_DRIVE_BAR)) InvalidateRect(bar, nullptr, TRUE);
}

}  // namespace

std::string FilerItemPath(HWND list, int index) {
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (index < 0 || index >= count) return {};
  std::string directory = CurrentDirectory();
  int level = ItemLevel(ItemData(list, index));
  // A path item stands for its own folder, not for a name inside the current directory.
  if (level < FilerLevel(GetParent(list))) return PathAtLevel(directory, size_t(level));
  return JoinPath(directory, ItemName(FilerItemText(list, index)));
}

void OnFilerSelectionChange(HWND filer) {
  HWND list = FilerList(filer);
  int index = CurrentItem(list);
  if (index < 0 || ItemTypeCode(ItemData(list, index)) == kTypeFolder || ShiftHeld()) return;
  std::string path = FilerItemPath(list, index);
  if (path.empty()) {
    ShowStatusMessage("パス名が長すぎるため開けません", 1);
    return;
  }
  ReplaceShownFile(path.c_str());
  SetActiveWindow(filer);
}

void OnFilerDoubleClick(HWND filer) {
  HWND list = FilerList(filer);
  int index = CurrentItem(list);
  if (index < 0) return;
  if (ItemTypeCode(ItemData(list, index)) == kTypeFolder) EnterFolderItem(filer, index);
  else RunFileItem(filer, index);
}

LRESULT OnFilerKey(HWND filer, UINT key, int current) {
  if (ShiftHeld() && IsLetterOrDigit(key)) {
    SelectByInitial(filer, current, char(key));
    return -2;
  }
  switch (key) {
    case VK_BACK:
      ChangeDirectoryAndRefresh(filer, "..", 0);
      return -2;
    case kYenKey:
      ChangeDirectoryAndRefresh(filer, "\\", 0);
      return -2;
    case VK_RETURN:
      OnEnter(filer, current);
      return -2;
    case VK_LEFT:
    case VK_RIGHT:
      if (!FilerVertical) return -1;
      StepDrive(filer, key == VK_LEFT ? -1 : 1);
      return -2;
    case 'G':
      ToggleLowerCase(filer);
      return -2;
    case 'L':
      RunChdirDialog(filer);
      return -2;
    case 'Q':
    case 'X':
      PostMessageA(filer, WM_COMMAND, IDC_FILER_CLOSE, 0);
      return -2;
    case VK_F1:
      ShowFilerHelp(filer);
      return -2;
  }
  return -1;
}

void OnDriveComboChange(HWND filer) {
  HWND combo = GetDlgItem(filer, IDC_FILER_DRIVES);
  int index = int(SendMessageA(combo, CB_GETCURSEL, 0, 0));
  if (index < 0) return;
  int drive = int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(index), 0));
  char root[3] = {char('A' + drive), ':', '\0'};
  ChangeDirectoryAndRefresh(filer, root, 0);
}

void ShowMaskPopup(HWND filer) {
  HMENU menu = FilerPopupMenu;
  if (!menu) return;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  AppendMenuA(menu, MF_STRING, IDM_FILER_TYPE_FILTER, "種類別フィルタ");
  std::vector<std::string> masks = ListEntries(FilerMask, kFilerMaskSize);
  for (size_t i = 0; i < masks.size(); ++i)
    AppendMenuA(menu, MF_STRING, IDM_FILER_MASK_FIRST + UINT(i), MaskMenuText(masks[i]).c_str());
  CheckMenuItem(menu, UINT(IDM_FILER_MASK_FIRST + FilerCustomType), MF_BYCOMMAND | MF_CHECKED);
  POINT cursor;
  GetCursorPos(&cursor);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, filer, nullptr);
}

void RunChdirDialog(HWND filer) {
  RunDialog(IDD_CHDIR, filer, ChdirDialogProc);
  PostMessageA(filer, WM_ZV_REFRESH, 0, 0);
}

void ShowFilerHelp(HWND filer) {
  if (HelpFileExists()) WinHelpA(filer, HelpPath, HELP_CONTEXT, HELP_FILER_CONTEXT);
  else ShowHelpContents(filer);
}
