// The right-button menus, the items a popup of the menu "Main" gets when it opens, and
// popups opened at the cursor.
#include "viewer/shell/menus_win.h"

#include <cstdio>
#include <cstring>

#include "viewer/archive_filer/archive_filer_win.h"
#include "viewer/document/document.h"
#include "viewer/settings/command_table.h"
#include "viewer/settings/command_template.h"
#include "viewer/shell/follow_win.h"
#include "viewer/shell/instance_arrangement_win.h"
#include "viewer/settings/recent_files.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr uint16_t kMenuSeparator = 0xFFFF;
constexpr uint16_t kMenuEnd = 0xFFFE;

// Positions of the popups in the menu "Main", and the fixed items before the dynamic ones.
constexpr int kFileMenu = 0;
constexpr int kJumpMenu = 3;
constexpr int kWindowMenu = 4;
constexpr int kFileMenuFixedItems = 13;
constexpr int kWindowMenuFixedItems = 10;

constexpr int kFirstRecentFileId = IDM_RECENT_FIRST;
constexpr int kFirstViewerId = IDM_VIEWER_FIRST;
constexpr int kLastViewerId = IDM_VIEWER_LAST;
constexpr int kLinkingId = IDM_WINDOW_LINKING;
constexpr int kFirstKanjiId = IDM_KANJI_SJIS;
constexpr int kFirstMarkSetId = IDM_MARK_SET_1;
constexpr int kFirstMarkJumpId = IDM_MARK_JUMP_1;
constexpr int kFirstToolId = IDM_TOOL_1;
constexpr int kToolCount = 7;
constexpr int kMarkCount = 4;

// "Zelko View 32 - name": the window list shows the title from this character on.
constexpr int kTitleProgramLength = 13;

void TrimMenu(HMENU menu, int keep) {
  while (GetMenuItemCount(menu) > keep) {
    if (!DeleteMenu(menu, keep, MF_BYPOSITION)) break;
  }
}

void CheckItem(HMENU menu, UINT item, UINT by, bool checked) {
  CheckMenuItem(menu, item, by | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void FillRecentFiles(HMENU menu) {
  TrimMenu(menu, kFileMenuFixedItems);
  SettingsKeyScope key(true);
  for (int i = 0; i < kRecentFileCount; ++i) {
    char path[kRecentFileSize];
    ReadRecentFile(i, path);
    if (path[0] == '\0') break;
    char label[kRecentFileSize + 8];
    std::snprintf(label, sizeof label, "(&%c) %s", '0' + i, path);
    AppendMenuA(menu, MF_STRING, kFirstRecentFileId + i, label);
  }
}

// "(&n)" followed by what the title has after the program name.
void ViewerLabel(HWND viewer, int number, char* label, size_t size) {
  char title[256] = "";
  const int length = GetWindowTextA(viewer, title, sizeof title);
  const char* rest = length > kTitleProgramLength ? title + kTitleProgramLength : "";
  std::snprintf(label, size, "(&%c)%s", char('0' + number), rest);
}

void FillWindowList(HMENU menu) {
  CheckItem(menu, kLinkingId, MF_BYCOMMAND, WindowLinking != 0);
  TrimMenu(menu, kWindowMenuFixedItems);
  int number = 0;
  for (HWND viewer : ViewerWindows(false)) {
    if (kFirstViewerId + number > kLastViewerId) break;
    char label[300];
    ViewerLabel(viewer, number, label, sizeof label);
    AppendMenuA(menu, MF_STRING, kFirstViewerId + number, label);
    ++number;
  }
}

void CheckKanjiCode(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) CheckItem(menu, UINT(i), MF_BYPOSITION, i == TheDocument.KanjiCode);
}

void GrayUnsetMarks(HMENU menu) {
  for (int i = 0; i < kMarkCount; ++i)
    EnableMenuItem(menu, kFirstMarkJumpId + i, MF_BYCOMMAND | (TheDocument.Marks[i] == -1 ? MF_GRAYED : MF_ENABLED));
}

void CheckSetMarks(HMENU menu) {
  for (int i = 0; i < kMarkCount; ++i) CheckItem(menu, kFirstMarkSetId + i, MF_BYCOMMAND, TheDocument.Marks[i] != -1);
}

void LabelTools(HMENU menu) {
  SettingsKeyScope key(true);
  for (int i = 0; i < kToolCount; ++i) {
    char valueName[8], command[256], label[300];
    std::snprintf(valueName, sizeof valueName, "Tool%d", i);
    ReadStringSetting(valueName, "*", command, sizeof command);
    if (!IsUnsetTool(command)) {
      std::snprintf(label, sizeof label, "(&%d)%s", i + 1, ToolProgramName(command).c_str());
    } else {
      std::snprintf(label, sizeof label, "(&%d) -------", i + 1);
    }
    ModifyMenuA(menu, kFirstToolId + i, MF_BYCOMMAND | MF_STRING, kFirstToolId + i, label);
  }
}

bool IsMainPopup(HMENU popup, int position) { return MainMenu && popup == GetSubMenu(MainMenu, position); }

}  // namespace

void BuildContextMenus() {
  for (int m = 0; m < kRightMenuCount; ++m) {
    HMENU menu = CreatePopupMenu();
    for (int k = 0; k < kRightMenuEntries && RightMenus[m][k] != kMenuEnd; ++k) {
      const uint16_t code = RightMenus[m][k];
      if (code == kMenuSeparator)
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      else
        AppendMenuA(menu, MF_STRING, kCommandIdBase + code, CommandName(code));
    }
    ContextMenus[m].Reset(menu);
  }
}

void DestroyContextMenus() {
  for (win::Menu& menu : ContextMenus) menu.Reset();
}

// Windows gives the index of the popup within whatever opened it (a submenu tracked at the
// cursor says 0), so the popups of "Main" are told apart by handle, their submenus by ids.
void UpdatePopupMenu(HMENU popup, int) {
  if (!popup) return;
  if (IsMainPopup(popup, kFileMenu)) {
    UpdateArchiveFilerMenuItem(popup);
    return FillRecentFiles(popup);
  }
  if (IsMainPopup(popup, kWindowMenu)) return FillWindowList(popup);
  if (IsMainPopup(popup, kJumpMenu)) return UpdateFollowMenuItem(popup);
  switch (GetMenuItemID(popup, 0)) {
    case kFirstKanjiId:
      return CheckKanjiCode(popup);
    case kFirstMarkJumpId:
      return GrayUnsetMarks(popup);
    case kFirstMarkSetId:
      return CheckSetMarks(popup);
    case kFirstToolId:
      return LabelTools(popup);
    default:
      return;
  }
}

void TrackMainSubMenu(int menu, int item) {
  if (!MainMenu) return;
  HMENU submenu = GetSubMenu(GetSubMenu(MainMenu, menu), item);
  if (!submenu) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(submenu, TPM_CENTERALIGN, cursor.x, cursor.y, 0, MainWindow, nullptr);
}
