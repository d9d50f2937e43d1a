// Opening, reopening and replacing the shown file.
#include "viewer/shell/file_commands_win.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "viewer/document/document.h"
#include "text/sjis.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/shell/dispatch_command_win.h"
#include "viewer/settings/recent_files.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kOpenNameSize = kDialogPathSize;
constexpr int kRecentLabelPrefix = 5;  // "(&0) "

// Text files, all files and the user's own mask, each a name and a pattern, closed by an
// empty string.  Built to the mask's length: the mask may fill its whole setting.
std::string OpenFilter() {
  std::string filter;
  for (const char* part : {"ﾃｷｽﾄﾌｧｲﾙ", "*.txt;*.doc", "全てのﾌｧｲﾙ", "*.*", "ﾕｰｻﾞｰ定義"}) {
    filter += part;
    filter += '\0';
  }
  filter += FileMask;
  filter += '\0';
  filter += '\0';
  return filter;
}

// The dialog starts in the shown file's directory (a bare drive gets its root).
void EnterShownFileDirectory() {
  const std::string_view name = TheDocument.FileName;
  const size_t separator = LastPathSeparator(name);
  if (separator == std::string_view::npos) return;
  std::string directory(name.substr(0, separator));
  if (directory.size() == 2 && directory[1] == ':') directory += '\\';
  SetCurrentDirectoryA(directory.c_str());
}

bool ChooseFile(HWND window, char (&path)[kOpenNameSize]) {
  const std::string filter = OpenFilter();
  std::snprintf(path, sizeof path, "%s", FileMask);
  OpenFileRequest request;
  request.filter = filter.c_str();
  request.title = "ファイルを開く";
  request.defaultExtension = "txt";
  return AskFileName(window, request, path);
}

void StartNewViewer(const char* path) {
  char command[kOpenNameSize + 16];
  std::snprintf(command, sizeof command, "ZV32.EXE %s", path);
  WinExec(command, SW_SHOW);
}

}  // namespace

void OpenFileCommand(HWND window, bool newViewer) {
  EnterShownFileDirectory();
  char path[kOpenNameSize];
  if (ChooseFile(window, path)) {
    if (newViewer)
      StartNewViewer(path);
    else
      ReplaceShownFile(path);
  }
  if (HWND filer = FindOwnWindow(kFilerWindowClass)) SendMessageA(filer, WM_ZV_REFRESH, 0, 0);
}

void ReloadCommand() {
  const int32_t top = TheDocument.TopLine;
  char name[kFileNameSize];
  std::memcpy(name, TheDocument.FileName, sizeof name);
  (void)OpenDocument(name, AutoDetect, AutoDetect);  // shown: a failure is in the status bar
  GoToPosition(top, TheDocument.LeftColumn);
}

void OpenRecentFileCommand(int id) {
  char label[kRecentFileSize + 8] = "";
  if (!MainMenu || GetMenuStringA(MainMenu, UINT(id), label, sizeof label, MF_BYCOMMAND) <= kRecentLabelPrefix) return;
  ReplaceShownFile(label + kRecentLabelPrefix);
}
