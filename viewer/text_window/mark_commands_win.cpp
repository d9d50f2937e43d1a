// Marks: SetMark, ClearMarks and the mark commands.
#include "viewer/text_window/mark_commands_win.h"

#include <cstdio>

#include "viewer/document/document.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/frame/viewer_globals_win.h"

StatusReporter MarkStatusReporter = ShowStatusMessage;

namespace {

constexpr int kMarkCount = 4;
constexpr int kFirstMarkSetId = IDM_MARK_SET_1;
constexpr int kFirstMarkJumpId = IDM_MARK_JUMP_1;
constexpr int kMarkPriority = 1;

void RepaintMarkList() {
  HWND markList = MainWindow ? GetDlgItem(MainWindow, kMarkListId) : nullptr;
  if (markList && IsWindowVisible(markList)) InvalidateRect(markList, nullptr, TRUE);
}

struct MarkMessage {
  char text[100];
};

void Report(const MarkMessage& message) { MarkStatusReporter(message.text, kMarkPriority); }

}  // namespace

bool SetMark(int k, int32_t row) {
  if (k < 0 || k >= kMarkCount || row < -1 || row >= TheDocument.RowCount) return false;
  const int32_t old = TheDocument.Marks[k];
  TheDocument.Marks[k] = row;
  if (old >= 0) InvalidateRows(old, old);
  if (row >= 0) InvalidateRows(row, row);
  RepaintMarkList();
  return true;
}

void ClearMarks() {
  for (int k = 0; k < kMarkCount; ++k) SetMark(k, -1);
}

void SetMarkCommand(int k) {
  // An empty document has no row to hold: nothing is stored, so nothing is reported stored.
  if (!SetMark(k, TheDocument.TopLine)) {
    MessageBeep(0);
    return;
  }
  MarkMessage message;
  std::snprintf(message.text, sizeof message.text, "マーク%dにこの行(%ld)を記憶しました", k + 1,
                long(TheDocument.TopLine) + 1);
  Report(message);
}

void JumpToMarkCommand(int k) {
  if (k < 0 || k >= kMarkCount) return;
  const int32_t row = TheDocument.Marks[k];
  MarkMessage message;
  if (row == -1) {
    std::snprintf(message.text, sizeof message.text, "マーク%dは記憶されていません", k + 1);
    Report(message);
    return;
  }
  std::snprintf(message.text, sizeof message.text, "マーク%dにジャンプしました", k + 1);
  Report(message);
  GoToPosition(row, TheDocument.LeftColumn);
}

void MarkButtonCommand(HWND window, int k) {
  if (k < 0 || k >= kMarkCount) return;
  const int id = TheDocument.Marks[k] == -1 ? kFirstMarkSetId + k : kFirstMarkJumpId + k;
  PostMessageA(window, WM_COMMAND, WPARAM(id), 0);
}
