// The four analyses' commands over the portable rules: a line-list window per run, the
// not-found message boxes, and the log analysis's progress dialog with its cancel button.
#include "viewer/search_windows/analysis_commands_win.h"

#include <vector>

#include "platform/win/owners.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/search_windows/abort_dialog_win.h"
#include "viewer/search/analysis_document.h"
#include "viewer/search_windows/line_list_win.h"
#include "viewer/search_windows/progress_scope_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

using Busy = win::BusyScope<SetBusy>;
constexpr int kLogMeterMaximum = 100;

// A list window opened at the first row found; rows are passed on in batches.
class AnalysisList {
 public:
  explicit AnalysisList(AnalysisKind kind, int rowsPerPage = 0) : kind_(kind), rowsPerPage_(rowsPerPage) {}
  void Add(const std::vector<int32_t>& rows) {
    if (rows.empty()) return;
    if (!window_) {
      char title[64];
      FormatAnalysisTitle(kind_, rowsPerPage_, title, sizeof title);
      window_ = OpenLineListWindow(title, TextsOf(kind_).placement);
      if (!window_) return;
    }
    AddLineListRows(window_, rows);
    found_ += int32_t(rows.size());
  }
  bool Found() const { return found_ > 0; }

 private:
  AnalysisKind kind_;
  int rowsPerPage_;
  HWND window_ = nullptr;
  int32_t found_ = 0;
};

void ReportNothingFound(HWND owner, AnalysisKind kind) { ShowInformation(owner, TextsOf(kind).notFound); }

// The table-of-contents and INI analyses: every row in one pass under the busy cursor.
void RowAnalysis(HWND owner, AnalysisKind kind) {
  const int32_t rowCount = LoadAllRows();
  AnalysisList list(kind);
  {
    Busy busy;
    std::vector<int32_t> rows;
    CollectAnalysisRows(kind, 0, rowCount, rows);
    list.Add(rows);
  }
  if (!list.Found()) ReportNothingFound(owner, kind);
}

// The log rows, row by row until the end or the cancel: the meter in per cent, the list and
// the queue served when the meter moves and about ten times a second.
void FindLogHeaders(HWND progress, int32_t rowCount, const int32_t& cancel, AnalysisList& list) {
  ProgressThrottle throttle;
  std::vector<int32_t> pending;
  int shown = 0;
  for (int32_t row = 0; row < rowCount && cancel == 0; ++row) {
    if (IsAnalysisRow(AnalysisKind::Log, row)) pending.push_back(row);
    int percent = int(int64_t(row) * kLogMeterMaximum / rowCount);
    bool meterMoved = percent != shown;
    if (!meterMoved && !throttle.Due()) continue;
    if (meterMoved) SetAbortMeter(progress, shown = percent);
    list.Add(pending);
    pending.clear();
    PumpMessages(progress, &cancel);
  }
  list.Add(pending);
}

}  // namespace

void PageAnalysis(HWND owner) {
  LoadAllRows();
  PageStructure pages;
  bool found;
  {
    Busy busy;
    found = FindPageStructure(pages);
    if (found) AnalysisList(AnalysisKind::Pages, pages.rowsPerPage).Add(pages.pageRows);
  }
  if (!found) ReportNothingFound(owner, AnalysisKind::Pages);
}

void IndexAnalysis(HWND owner) { RowAnalysis(owner, AnalysisKind::Index); }

void IniAnalysis(HWND owner) { RowAnalysis(owner, AnalysisKind::Ini); }

void LogAnalysis(HWND owner) {
  int32_t rowCount;
  {
    Busy busy;
    rowCount = LoadAllRows();
  }
  int32_t cancel = 0;
  AbortDialogParams params{"ログ解析", "解析中です...", kLogMeterMaximum, &cancel};
  AnalysisList list(AnalysisKind::Log);
  {
    ProgressScope progress(owner, &params);
    FindLogHeaders(progress.Dialog(), rowCount, cancel, list);
  }
  if (!list.Found()) ReportNothingFound(owner, AnalysisKind::Log);
}

void AnalysisCommand(HWND owner, int menuId) {
  switch (menuId) {
    case IDM_TOC_ANALYSIS: IndexAnalysis(owner); break;
    case IDM_PAGE_ANALYSIS: PageAnalysis(owner); break;
    case IDM_LOG_ANALYSIS: LogAnalysis(owner); break;
    case IDM_INI_ANALYSIS: IniAnalysis(owner); break;
  }
}
