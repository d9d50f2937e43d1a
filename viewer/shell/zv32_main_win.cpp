// ZV32.EXE: the viewer's entry point.  Checks the control library, reads the settings,
// registers the window classes, creates the main window in its place in the link tree, opens
// the file or directory of the command line, runs the message loop (loading the file in idle
// turns) and shuts down, saving the settings last.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "text/sjis_paths.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/frame/directories_win.h"
#include "viewer/shell/document_host_win.h"
#include "viewer/shell/follow_win.h"
#include "viewer/frame/help_win.h"
#include "viewer/settings/key_table.h"
#include "viewer/frame/link_windows_win.h"
#include "viewer/shell/menus_win.h"
#include "viewer/frame/process_watch_win.h"
#include "viewer/settings/recent_files.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/settings/settings_store.h"
#include "viewer/settings/settings_win.h"
#include "viewer/shell/startup_win.h"
#include "viewer/frame/status_bar_win.h"
#include "viewer/frame/viewer_globals_win.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/shell/window_classes_win.h"

namespace {

constexpr UINT kOpenFilerCommand = IDM_FILER;
constexpr uint32_t kLoadStepMs = 2;

// The whole text after the program's name is one path; quotes around it (or in it) are
// dropped.  It is taken from the process's own command line: the one the C run-time hands to
// WinMain has lost a leading byte from 0x80 up (the lead byte of "表示.txt") as a "blank".
std::string PathOfCommandLine() {
  std::string path;
  for (char c : ProgramArguments(GetCommandLineA())) {
    if (c != '"') path += c;
  }
  return path;
}

void ReadAllSettings(int showCommand) {
  UseSettingsBackend(&RegistrySettingsBackend(), &Win32SettingsPlatform());
  LoadSettings(showCommand);
  BuildContextMenus();
  CreateSettingFonts();
}

int ShowCommandFor(int given) {
  if (given == SW_HIDE) return given;
  if (WindowStyle & 2) return SW_MAXIMIZE;
  if (WindowStyle & 1) return given;
  return PrevWinStyle;
}

HWND CreateMainWindow(const char* title) {
  bool systemPlacement = (WindowStyle & 1) != 0;
  int x = systemPlacement ? CW_USEDEFAULT : PrevWinRect[0];
  int y = systemPlacement ? CW_USEDEFAULT : PrevWinRect[1];
  int width = systemPlacement ? CW_USEDEFAULT : PrevWinRect[2];
  int height = systemPlacement ? CW_USEDEFAULT : PrevWinRect[3];
  ResetLinkTree(TheLinkTree);
  return CreateLinkedWindow(kMainWindowClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height,
                            nullptr, nullptr, Instance, nullptr, WindowLink[kViewerLinkPath]);
}

// True when the main loop may sleep: nothing left to load and no message in the status bar.
bool IdleWorkDone() { return TheDocument.BytesLeft == 0 && !StatusMessageShowing(); }

// One idle step: the status message is cleared once its hold is over, and the file loads on.
// Every queue call costs a round trip to the server under Wine, so chunks are loaded for up
// to kLoadStepMs before the queue is looked at again; input still waits at most that long.
void IdleStep() {
  ShowStatusMessage("", 0);
  uint32_t start = GetTickCount();
  do {
    LoadNextChunk();
  } while (TheDocument.BytesLeft > 0 && GetTickCount() - start < kLoadStepMs);
}

// Sleeps until input arrives, the filer's folder changes, a watched process ends (the poll
// after this turn then deletes its temporary copy or reloads the file at once), the followed
// file's folder changes or the next look at the followed file is due.  True when the followed
// file's folder ended the wait.
bool WaitForInputOrChange() {
  HANDLE handles[2 + kWatchSlotCount];
  DWORD count = 0;
  const HANDLE directory = DirChangeHandle ? DirChangeHandle.get() : nullptr;
  if (directory) handles[count++] = directory;
  const DWORD followed = count;
  count += FollowWaitHandles(handles + count);
  const bool followWatched = count > followed;
  count += DWORD(WatchedProcessHandles(handles + count));
  DWORD result = MsgWaitForMultipleObjects(count, handles, FALSE, FollowWaitTimeout(), QS_ALLINPUT);
  if (directory && result == WAIT_OBJECT_0) {
    if (HWND filer = FindOwnWindow(kFilerWindowClass)) SendMessageA(filer, WM_ZV_REFRESH, WPARAM(-1), 0);
  }
  return followWatched && result == WAIT_OBJECT_0 + followed;
}

int RunMessageLoop() {
  MSG message;
  for (;;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return int(message.wParam);
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else if (MainWindow) {
      bool followedFolderChanged = false;
      if (IdleWorkDone())
        followedFolderChanged = WaitForInputOrChange();
      else
        IdleStep();
      FollowAfterWait(followedFolderChanged);
    }
    PollWatchedProcesses(MainWindow);
  }
}

void ShutDown() {
  ReleaseSharedResources();
  (void)PushRecentFile(TheDocument.FileName);  // exiting: no window is left to tell
  CloseSources();
  (void)SaveSettings();  // exiting, as above
  SetDocumentHost(nullptr);
  OleUninitialize();
  FreeControlLibrary();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
  const std::string path = PathOfCommandLine();
  const char* commandLine = path.c_str();
  Instance = instance;
  OleInitialize(nullptr);
  BuildHelpPath();
  if (!LoadControlLibrary()) {
    ShowMissingLibraryHelp();
    OleUninitialize();
    return 1;
  }
  LoadSharedResources();
  ReadAllSettings(showCommand);
  if (!previous) RegisterViewerClasses(instance, SeriousIcons != 0);
  LoadKeyAssign();

  bool hasFile = commandLine[0] != '\0' && !IsDirectoryPath(commandLine);
  if (commandLine[0] != '\0' && !hasFile) ChangeDirectory(commandLine);
  char title[MAX_PATH + 32];
  if (hasFile) std::snprintf(title, sizeof title, "%s - %s", kProgramTitle, commandLine);
  else std::snprintf(title, sizeof title, "%s - 未表示", kProgramTitle);

  InstallWin32DocumentHost();
  MainWindow = CreateMainWindow(title);
  if (!MainWindow) {
    ShutDown();
    return 1;
  }
  ShowWindow(MainWindow, ShowCommandFor(showCommand));
  UpdateWindow(MainWindow);
  InitLinkRootFromMainWindow(MainWindow);

  if (hasFile) {
    (void)OpenDocument(commandLine, AutoDetect, AutoDetect);  // shown: a failure is in the status bar
  } else {
    ResetDocument(nullptr);
    if (FilerAtStart && IsWindowVisible(MainWindow)) PostMessageA(MainWindow, WM_COMMAND, kOpenFilerCommand, 0);
  }
  int exitCode = RunMessageLoop();
  ShutDown();
  return exitCode;
}
