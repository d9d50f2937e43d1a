// The table of watched processes (see process_watch_win.h).
#include "viewer/frame/process_watch_win.h"

#include "platform/win/owners.h"
#include "viewer/document/document_host.h"
#include "viewer/resources/zv32_ids.h"

namespace {

WatchedProcess WatchTable[kWatchSlotCount];
constexpr UINT kReloadCommand = IDM_RELOAD;

bool HasEnded(HANDLE process) {
  DWORD code = 0;
  return GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
}

void DeleteTemporaryCopy(HWND owner, const char* path) {
  if (DeleteFileA(path)) return;
  MessageBoxA(owner, "ファイルの削除に失敗しました", kProgramTitle, MB_OK | MB_ICONERROR);
  MessageBoxA(owner, path, kProgramTitle, MB_OK | MB_ICONERROR);
}

}  // namespace

bool WatchProcess(const WatchedProcess& record) {
  DWORD code = 0;
  if (!GetExitCodeProcess(record.ProcessHandle, &code)) return false;
  for (WatchedProcess& slot : WatchTable) {
    if (slot.Kind != kWatchFree) continue;
    slot = record;
    return true;
  }
  return false;
}

int WatchedProcessHandles(HANDLE* handles) {
  int count = 0;
  for (const WatchedProcess& slot : WatchTable)
    if (slot.Kind != kWatchFree) handles[count++] = slot.ProcessHandle;
  return count;
}

void PollWatchedProcesses(HWND owner) {
  for (WatchedProcess& slot : WatchTable) {
    if (slot.Kind == kWatchFree || !HasEnded(slot.ProcessHandle)) continue;
    if (slot.Kind == kWatchDeleteCopy) DeleteTemporaryCopy(owner, slot.Path);
    if (slot.Kind == kWatchReload && owner) PostMessageA(owner, WM_COMMAND, kReloadCommand, 0);
    win::Handle ended(slot.ProcessHandle);  // closed when the slot is freed
    slot = WatchedProcess{};
  }
}

bool ConfirmCloseWithRunningMembers(HWND owner) {
  bool membersRunning = false;
  for (const WatchedProcess& slot : WatchTable) membersRunning |= slot.Kind == kWatchDeleteCopy;
  if (!membersRunning) return true;
  return MessageBoxA(owner,
                     "LZH,ZIP内などから実行したファイルがシステムに残っています"
                     "このまま終了するとそれらのファイルは削除されませんが終了してよろしいですか？",
                     kProgramTitle, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}
