// DispatchCommand: the id is normalised by the command table, then carried out here or by
// the owner of the operation; an id that is no command is left to default processing.
#include "viewer/shell/dispatch_command_win.h"

#include <cstdio>

#include "viewer/archive_filer/archive_filer_win.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/search_windows/analysis_commands_win.h"
#include "viewer/search_windows/print_document_win.h"
#include "viewer/search_windows/search_commands_win.h"
#include "viewer/shell/clipboard_commands_win.h"
#include "viewer/filer/filer_win.h"
#include "viewer/shell/about_dialog_win.h"
#include "viewer/settings/command_table.h"
#include "viewer/shell/external_tools_win.h"
#include "viewer/shell/file_commands_win.h"
#include "viewer/shell/follow_win.h"
#include "viewer/frame/help_win.h"
#include "viewer/shell/instance_arrangement_win.h"
#include "viewer/text_window/mark_commands_win.h"
#include "viewer/shell/menus_win.h"
#include "viewer/shell/settings_dialog_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

// The submenus of "Main" that commands open at the cursor: menu position, item position.
struct SubMenuPlace {
  int id;
  int menu;
  int item;
};
constexpr SubMenuPlace kCursorSubMenus[] = {
    {IDM_KANJI_MENU, 0, 7},  // kanji code
    {IDM_ANALYSIS_MENU, 5, 3},  // intelligent functions
    {IDM_MARK_JUMP_MENU, 3, 4},  // mark jump
    {IDM_MARK_SET_MENU, 3, 3},  // mark set
    {IDM_TOOL_MENU, 5, 4},  // external tools
};

// The text window's own scroll codes (above SB_ENDSCROLL) and the standard ones.
constexpr int kScrollRowDown = 14;
constexpr int kScrollRowUp = 13;

void PostScroll(UINT message, int code) {
  if (TextWindow) PostMessageA(TextWindow, message, WPARAM(code), 0);
}

void SendScroll(int code) {
  if (TextWindow) SendMessageA(TextWindow, WM_VSCROLL, WPARAM(code), 0);
}

void ShowDisplayMode(int mode) {
  for (int32_t& edge : TheDocument.Selection) edge = -1;
  if (TextWindow) InvalidateRect(TextWindow, nullptr, FALSE);
  SetDisplayMode(mode);
}

void CycleMarkDisplay() {
  NextMarkDisplay(ShowCrMarks, ShowTabMarks);
  if (TextWindow) InvalidateRect(TextWindow, nullptr, TRUE);
}

// Times 20 full repaints and 100 scrolls down and up of the text window.
void MeasureDrawingSpeed(HWND window) {
  DWORD start = GetTickCount();
  for (int i = 0; i < 20; ++i) {
    InvalidateRect(TextWindow, nullptr, TRUE);
    UpdateWindow(TextWindow);
  }
  const long paint = long(GetTickCount() - start);
  start = GetTickCount();
  for (int i = 0; i < 100; ++i) {
    SendScroll(kScrollRowDown);
    SendScroll(kScrollRowUp);
  }
  const long scroll = long(GetTickCount() - start);
  char text[128];
  std::snprintf(text, sizeof text, "全画面描画時間: %5ld.%02dms\nスクロール時間: %5ld.%02dms", paint / 20,
                int((paint * 100 / 20) % 100), scroll / 100, int(scroll % 100));
  MessageBoxA(window, text, kProgramTitle, MB_OK | MB_ICONINFORMATION);
}

bool OpenCursorSubMenu(int id) {
  for (const SubMenuPlace& place : kCursorSubMenus) {
    if (place.id != id) continue;
    TrackMainSubMenu(place.menu, place.item);
    return true;
  }
  return false;
}

// The ids that come in numbered groups (kanji codes, recent files, marks, arrangement).
bool DispatchIdGroup(HWND window, int id) {
  if (id >= IDM_KANJI_SJIS && id <= IDM_KANJI_UTF16)
    SetKanjiCode(id - IDM_KANJI_SJIS);
  else if (id >= IDM_RECENT_FIRST && id <= IDM_RECENT_LAST)
    OpenRecentFileCommand(id);
  else if (id >= IDM_MARK_SET_1 && id <= IDM_MARK_SET_4)
    SetMarkCommand(id - IDM_MARK_SET_1);
  else if (id >= IDM_MARK_JUMP_1 && id <= IDM_MARK_JUMP_4)
    JumpToMarkCommand(id - IDM_MARK_JUMP_1);
  else if (id >= IDM_MARK_BUTTON_1 && id <= IDM_MARK_BUTTON_4)
    MarkButtonCommand(window, id - IDM_MARK_BUTTON_1);
  else if ((id >= IDM_CASCADE && id <= IDM_STACKED) || id == IDM_NEXT_VIEWER || id == IDM_PREVIOUS_VIEWER)
    ArrangeViewers(window, id);
  else
    return false;
  return true;
}

int DispatchMenu(HWND window, int id) {
  if (OpenCursorSubMenu(id) || DispatchIdGroup(window, id)) return 1;
  switch (id) {
    case IDM_HELP:
      ShowHelpContents(window);
      return 1;
    case IDM_OPEN:
    case IDM_OPEN_OTHER:
      OpenFileCommand(window, id == IDM_OPEN_OTHER);
      return 1;
    case IDM_RELOAD:
      ReloadCommand();
      return 1;
    case IDM_FOLLOW:
      ToggleFollowCommand();
      return 1;
    case IDM_FILER:
      OpenFilerWindow(window);
      return 1;
    case IDM_ARCHIVE_FILER:
      ArchiveFilerCommand(window);
      return 1;
    case IDM_COPY_ROW:
    case IDM_COPY_SCREEN:
    case IDM_COPY_SELECTION:
    case IDM_COPY_QUOTED:
    case IDM_COPY_APPEND:
    case IDM_COPY_ALL:
      CopyCommand(window, id);
      return 1;
    case IDM_EXIT:
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 1;
    case IDM_TOP:
      SendScroll(SB_TOP);
      return 1;
    case IDM_BOTTOM:
      LoadAll();
      SendScroll(SB_BOTTOM);
      return 1;
    case IDM_TEXT_MODE:
    case IDM_BINARY_MODE:
      ShowDisplayMode(id - IDM_TEXT_MODE);
      return 1;
    case IDM_KEY_CUSTOMIZER:
      WinExec("ZVKEY32.EXE", SW_SHOW);
      return 1;
    case IDM_ABOUT:
      ShowAboutBox(window);
      return 1;
    case IDM_SETTINGS:
      ShowSettingsDialog(window);
      return 1;
    case IDM_FILER_SETTINGS:
      ShowFilerSettingsDialog(window);
      return 1;
    case IDM_EDITOR:
      RunExternalCommand(Editor, true);
      return 1;
    case IDM_DRAWING_SPEED:
      if (TextWindow) MeasureDrawingSpeed(window);
      return 1;
    case IDM_WINDOW_LINKING:
      WindowLinking = !WindowLinking;
      return 1;
    case IDM_CLEAR_MARKS:
      ClearMarks();
      return 1;
    case IDM_SEARCH:
    case IDM_SEARCH_BACKWARD:
    case IDM_SEARCH_FORWARD:
    case IDM_JUMP:
      SearchCommand(window, id);
      return 1;
    case IDM_PRINT:
      PrintDocument();
      return 1;
    case IDM_TOC_ANALYSIS:
    case IDM_PAGE_ANALYSIS:
    case IDM_LOG_ANALYSIS:
    case IDM_INI_ANALYSIS:
      AnalysisCommand(window, id);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

int DispatchCommand(HWND window, int id) {
  const CommandAction action = NormalizeCommandId(id & 0xFFFF);
  switch (action.kind) {
    case CommandKind::kMenu:
      return DispatchMenu(window, action.value);
    case CommandKind::kVScroll:
      PostScroll(WM_VSCROLL, action.value);
      return 1;
    case CommandKind::kHScroll:
      PostScroll(WM_HSCROLL, action.value);
      return 1;
    case CommandKind::kToggleDisplay:
      PostMessageA(window, WM_COMMAND, WPARAM(DisplayToggleMenu(TheDocument.DisplayMode)), 0);
      return 1;
    case CommandKind::kCycleMarks:
      CycleMarkDisplay();
      return 1;
    case CommandKind::kActivateViewer:
      ActivateViewer(action.value);
      return 1;
    case CommandKind::kEditorThenExit:
      PostMessageA(window, WM_COMMAND, IDM_EDITOR, 0);
      PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
      return 1;
    case CommandKind::kRunTool:
      RunExternalTool(action.value);
      return 1;
    case CommandKind::kNone:
      return 0;
  }
  return 0;
}
