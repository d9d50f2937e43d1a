// Following the shown file: a look at the file at least every kLookIntervalMs, and sooner when
// its folder reports a change (never more often than kQuickestLookMs, so a writer appending in
// many small writes does not make the viewer read after each).  The main loop waits on the
// folder's notification with the time to the next look as its limit: no busy waiting.  Once
// the folder has reported a change the look is due anyway, so the notification is not waited
// on again (nor re-armed) until that look: a writer's many writes in between wake nothing.
#include "viewer/shell/follow_win.h"

#include <cstring>

#include "viewer/document/document.h"
#include "viewer/document/document_follow.h"
#include "viewer/frame/viewer_globals_win.h"
#include "viewer/text_window/mark_commands_win.h"

namespace {

constexpr DWORD kLookIntervalMs = 1000;
constexpr DWORD kQuickestLookMs = 250;

const char kCannotFollow[] = "このファイルは追従できません";
const char kReplaced[] = "ファイルが置き換えられました。先頭から読み込み直します";
const char kTooLarge[] = "ファイルが大きすぎます。追従を中止します";
const char kNoMemory[] = "メモリが足りません。追従を中止します";

struct FollowState {
  bool on = false;
  FollowedFile followed;
  char path[kFileNameSize] = "";  // the document followed: another one shown ends following
  win::ChangeNotification folderWatch;
  bool changeReported = false;
  DWORD lastLook = 0;
};

FollowState follow;

// The status bar says "追従中" in the load meter's place while following.
void ShowFollowingInStatusBar(bool on) {
  if (!MainWindow) return;
  if (HWND meter = GetDlgItem(MainWindow, kLoadMeterId)) ShowWindow(meter, on ? SW_HIDE : SW_SHOW);
  if (HWND text = GetDlgItem(MainWindow, IDC_FOLLOW_TEXT)) ShowWindow(text, on ? SW_SHOW : SW_HIDE);
}

// The folder of the shown file, watched for changes of names, sizes and write times.
void WatchFolderOfDocument() {
  char full[MAX_PATH];
  char* name = nullptr;
  DWORD length = GetFullPathNameA(TheDocument.FileName, sizeof full, full, &name);
  follow.folderWatch.Reset();
  if (length == 0 || length >= sizeof full || !name) return;
  *name = '\0';
  follow.folderWatch.Reset(FindFirstChangeNotificationA(
      full, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
}

bool LastRowShown(int32_t rowCount) { return rowCount == 0 || rowCount - 1 < TheDocument.TopLine + PageRowCount; }

void ShowEnd() {
  if (TextWindow) SendMessageA(TextWindow, WM_VSCROLL, SB_BOTTOM, 0);
}

bool Start() {
  if (StartFollowing(follow.followed) != DocumentResult::kOk) return false;
  std::memcpy(follow.path, TheDocument.FileName, sizeof follow.path);
  follow.on = true;
  follow.changeReported = false;
  follow.lastLook = GetTickCount();
  WatchFolderOfDocument();
  ShowFollowingInStatusBar(true);
  return true;
}

// The file shrank or another file took its name: it is loaded afresh from its start.  The marks
// were rows of the file that is gone.  A view that showed the end shows the new file's end:
// following a log goes on across its rotation.
void LoadAfresh(bool showedEnd) {
  const bool wasEmpty = TheDocument.FileSize == 0;  // an empty file only got its first bytes
  ClearMarks();
  if (LoadFollowedFileAfresh() != DocumentResult::kOk || !Start()) {
    StopFollowing(nullptr);  // the open said why
    return;
  }
  if (showedEnd) ShowEnd();
  if (!wasEmpty) ShowStatusMessage(kReplaced, 1);
}

// Arms the folder's notification again after it reported a change, before the look, so that
// a change made while looking is reported too.
void RearmFolderWatch() {
  if (!follow.changeReported) return;
  follow.changeReported = false;
  if (follow.folderWatch && !FindNextChangeNotification(follow.folderWatch.get())) follow.folderWatch.Reset();
}

void Look() {
  follow.lastLook = GetTickCount();
  RearmFolderWatch();
  if (std::strcmp(follow.path, TheDocument.FileName) != 0) return StopFollowing(nullptr);
  const int32_t rowsBefore = TheDocument.RowCount;
  const bool showedEnd = LastRowShown(rowsBefore);
  switch (LookAtFollowedFile(follow.followed)) {
    case DocumentResult::kOk:
      if (TheDocument.RowCount == rowsBefore) return;
      if (showedEnd) ShowEnd();
      ShowLoadProgress();
      return;
    case DocumentResult::kReplaced:
      return LoadAfresh(showedEnd);
    case DocumentResult::kNotFound:
      return;  // a rotation under way: the new file comes
    case DocumentResult::kTooLarge:
      ShowLoadProgress();
      return StopFollowing(kTooLarge);
    case DocumentResult::kNoMemory:
      ShowLoadProgress();
      return StopFollowing(kNoMemory);
    default:
      return StopFollowing(nullptr);
  }
}

}  // namespace

bool FollowingFile() { return follow.on; }

void StopFollowing(const char* message) {
  follow.on = false;
  follow.folderWatch.Reset();
  follow.changeReported = false;
  ShowFollowingInStatusBar(false);
  if (message) ShowStatusMessage(message, 1);
}

void ToggleFollowCommand() {
  if (follow.on) return StopFollowing(nullptr);
  if (!CanFollowDocument() || !Start()) {
    ShowStatusMessage(kCannotFollow, 1);
    return;
  }
  LoadAll();
  ShowEnd();
  Look();
}

void UpdateFollowMenuItem(HMENU popup) {
  CheckMenuItem(popup, IDM_FOLLOW, MF_BYCOMMAND | (follow.on ? MF_CHECKED : MF_UNCHECKED));
  const bool available = follow.on || CanFollowDocument();
  EnableMenuItem(popup, IDM_FOLLOW, MF_BYCOMMAND | (available ? MF_ENABLED : MF_GRAYED));
}

DWORD FollowWaitHandles(HANDLE* handles) {
  if (!follow.on || !follow.folderWatch || follow.changeReported) return 0;
  handles[0] = follow.folderWatch.get();
  return 1;
}

DWORD FollowWaitTimeout() {
  if (!follow.on) return INFINITE;
  const DWORD since = GetTickCount() - follow.lastLook;
  const DWORD due = follow.changeReported ? kQuickestLookMs : kLookIntervalMs;
  return since >= due ? 0 : due - since;
}

void FollowAfterWait(bool notified) {
  if (!follow.on) return;
  if (notified) follow.changeReported = true;
  if (FollowWaitTimeout() == 0) Look();
}
