// The processes the viewer started and watches: programs run from an archive (their temporary
// copy is deleted when they end) and the editor (the shown file is reloaded when it ends).
// The table is polled after every message and load step of the main loop.
#pragma once

#include <windows.h>
#include <shellapi.h>

constexpr int kWatchSlotCount = 48;
constexpr int kWatchFree = 0;
constexpr int kWatchDeleteCopy = 1;  // delete Path when the process has ended
constexpr int kWatchReload = 2;      // reload the shown file when the process has ended

struct WatchedProcess {
  HANDLE ProcessHandle = nullptr;
  int Kind = kWatchFree;
  char Path[MAX_PATH] = "";
};

// Takes over the record's handle when it is added; false (handle still the caller's) when the
// process cannot be asked for its exit code or every slot is in use.
bool WatchProcess(const WatchedProcess& record);
// The handles of the processes watched now (at most kWatchSlotCount), for the main loop's wait.
int WatchedProcessHandles(HANDLE* handles);
// Carries out what ended processes leave to do and frees their slots.
void PollWatchedProcesses(HWND owner);
// True when the viewer may close: at once without running archive members, else on Yes.
bool ConfirmCloseWithRunningMembers(HWND owner);
// WM_DROPFILES of the main window: the first file is shown here; with Shift held every file
// opens in a new viewer.  The drop is finished.
void OpenDroppedFiles(HWND mainWindow, HDROP drop);
// The same for a file list the caller still owns (an OLE drop's medium).
void OpenDropList(HWND mainWindow, HDROP drop);
