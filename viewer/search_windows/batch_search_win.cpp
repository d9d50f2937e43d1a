// The batch search: every row with a hit goes into a new line-list window, in document order,
// each row once, while the progress dialog shows the count and offers to cancel.  The rows
// found so far stay listed when the user cancels, closes the list or closes the viewer.
//
// Under Wine every window call is a round trip to the server, so the count reaches the progress
// dialog about ten times a second (the count shown last is exact), the rows reach the list box
// in steps, and the queue is looked at every few milliseconds rather than after every hit:
// cancelling still takes effect at once.
#include <cstdio>
#include <vector>

#include "viewer/search_windows/abort_dialog_win.h"
#include "viewer/search_windows/line_list_win.h"
#include "viewer/search_windows/search_commands_win.h"
#include "viewer/search/search_engine.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kBatchPlacement[] = "FindWndPos";
constexpr uint32_t kPumpIntervalMs = 5;
constexpr size_t kRowsPerStep = 4096;

// The rows found, handed to the list in steps of at most kRowsPerStep (adding rows to a list
// box is far slower than finding them: the search never runs more than one step ahead of the
// list, so a cancel is taken within one step), and the count shown about ten times a second.
class BatchResults {
 public:
  BatchResults(HWND list, HWND progress) : list_(list), progress_(progress) {}

  void Add(int32_t row) {
    pending_.push_back(row);
    ++count_;
    const bool due = throttle_.Due();
    if (due || pending_.size() >= kRowsPerStep) ListPending();
    if (due) ShowCount();
  }
  // The rest of the rows, and the exact count.
  void Finish() {
    ListPending();
    ShowCount();
  }

 private:
  void ListPending() {
    AddLineListRows(list_, pending_);
    pending_.clear();
  }
  void ShowCount() {
    char text[48];
    std::snprintf(text, sizeof text, "検索数:%ld", long(count_));
    SetAbortText(progress_, text);
  }

  HWND list_;
  HWND progress_;
  std::vector<int32_t> pending_;
  int32_t count_ = 0;
  ProgressThrottle throttle_;
};

// The search stops when the user cancels, or when the list is gone (closed by the user, by
// another document or with the viewer).
bool Stopped(HWND list, const int32_t& cancel) { return cancel != 0 || !IsWindow(list) || !MainWindow; }

void ListEveryHit(HWND list, HWND progress, int32_t& cancel) {
  BatchResults results(list, progress);
  ProgressThrottle pump(kPumpIntervalMs);
  int32_t row = -1;
  while (!Stopped(list, cancel)) {
    row = SearchForward(row, nullptr, nullptr);
    if (row < 0) break;
    results.Add(row);
    if (pump.Due()) PumpMessages(progress, &cancel);
  }
  if (IsWindow(list)) results.Finish();
}

}  // namespace

void BatchSearch(HWND dialog) {
  ReadSearchDialog(dialog);
  char title[kSearchPatternSize + 32];
  std::snprintf(title, sizeof title, "一括検索 『 %s 』", SearchPattern);
  HWND list = OpenLineListWindow(title, kBatchPlacement);
  if (list) {
    EnableWindow(dialog, FALSE);
    int32_t cancel = 0;
    AbortDialogParams params{"一括検索", "検索中です...", -1, &cancel};
    HWND progress = OpenAbortDialog(MainWindow, &params);
    ListEveryHit(list, progress, cancel);
    if (progress) DestroyWindow(progress);
    EnableWindow(dialog, TRUE);
  }
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}
