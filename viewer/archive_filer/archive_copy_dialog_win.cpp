// CopyDialogProc and the chunked copy with its message pump.
#include "viewer/archive_filer/archive_copy_dialog_win.h"

#include <cstdio>

#include "viewer/archive/extract_member.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/frame/dialogs_win.h"
#include "platform/platform.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kCopyTitle[] = "解凍中";
constexpr int kMeterScale = 100;
constexpr uint32_t kRedrawIntervalMs = 100;
// The queue is emptied this often during a copy: often enough for the dialog to answer at once,
// rarely enough that a run of many small members (one chunk each) does not spend its time
// asking the window system for messages, which under Wine is a round trip every time.
constexpr uint32_t kPumpIntervalMs = 20;

void SetMeter(HWND dialog, int percent) {
  HWND meter = GetDlgItem(dialog, IDC_ABORT_METER);
  SendMessageA(meter, BM_SETSTATE, WPARAM(percent), 0);
  InvalidateRect(meter, nullptr, FALSE);
  UpdateWindow(meter);
}

void ShowFileName(HWND dialog, const char* fileName) {
  char text[400];
  std::snprintf(text, sizeof text, "%sを展開中...", fileName ? fileName : "");
  SetDlgItemTextA(dialog, IDC_ABORT_TEXT, text);
  SetMeter(dialog, 0);
}

void OnInit(HWND dialog, const char* fileName) {
  SetWindowTextA(dialog, kCopyTitle);
  SendMessageA(GetDlgItem(dialog, IDC_ABORT_METER), BM_SETSTYLE, kMeterScale, 0);
  ShowFileName(dialog, fileName);
}

void OnProgress(HWND dialog, const uint32_t* values) {
  if (!values || values[1] == 0) return;
  SetMeter(dialog, int(uint64_t(values[0]) * kMeterScale / values[1]));
}

// Reports a copy's chunks to the dialog (about ten times a second: under Wine every redraw is
// a round trip, and a run of many small members would spend its time drawing) and empties the
// queue after each one; a cancel request taken from it ends the copy.
class DialogReport : public ExtractProgress {
 public:
  DialogReport(HWND dialog, uint32_t& lastRedraw, uint32_t& lastPump)
      : dialog_(dialog), last_(lastRedraw), lastPump_(lastPump) {}
  bool Report(uint32_t done, uint32_t total) override {
    if (!dialog_) return true;
    uint32_t now = TickCount();
    if (now - last_ >= kRedrawIntervalMs) {
      last_ = now;
      uint32_t values[2] = {done, total};
      SendMessageA(dialog_, WM_ZV_EXTRACT_PROGRESS, 0, reinterpret_cast<LPARAM>(values));
    }
    if (now - lastPump_ < kPumpIntervalMs) return !cancelled;
    lastPump_ = now;
    return Pump();
  }
  bool cancelled = false;

 private:
  bool Pump() {
    MSG msg;
    while (!cancelled && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        cancelled = true;
      } else if (msg.message == WM_ZV_EXTRACT_CANCEL) {
        cancelled = true;
      } else if (!IsDialogMessageA(dialog_, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    return !cancelled;
  }
  HWND dialog_;
  uint32_t& last_;
  uint32_t& lastPump_;
};

}  // namespace

INT_PTR CALLBACK CopyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog, reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_ZV_EXTRACT_PROGRESS:
      OnProgress(dialog, reinterpret_cast<const uint32_t*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_OK || LOWORD(wParam) == IDC_CANCEL) PostMessageA(dialog, WM_ZV_EXTRACT_CANCEL, 0, 0);
      return TRUE;
  }
  return FALSE;
}

ExtractionProgress::ExtractionProgress(HWND owner)
    : owner_(owner),
      dialog_(CreateModelessDialog(IDD_ABORT, owner, CopyDialogProc, reinterpret_cast<LPARAM>(""))),
      mainWasEnabled_(MainWindow && IsWindowEnabled(MainWindow)) {
  if (dialog_) ShowWindow(dialog_, SW_SHOW);
  EnableWindow(owner_, FALSE);
  if (MainWindow) EnableWindow(MainWindow, FALSE);
}

ExtractionProgress::~ExtractionProgress() {
  if (MainWindow && mainWasEnabled_) EnableWindow(MainWindow, TRUE);
  EnableWindow(owner_, TRUE);
  if (dialog_) DestroyWindow(dialog_);
  SetActiveWindow(owner_);
}

void ExtractionProgress::ShowMember(const char* fileName) {
  if (!dialog_) return;
  ShowFileName(dialog_, fileName);
  named_ = true;
  lastRedraw_ = TickCount();
}

ArchiveResult ExtractionProgress::Extract(ArchiveReader& reader, const char* path, const char* fileName) {
  if (!named_ || TickCount() - lastRedraw_ >= kRedrawIntervalMs) ShowMember(fileName);
  DialogReport report(dialog_, lastRedraw_, lastPump_);
  ArchiveResult result = ExtractArchiveMemberToFile(reader, path, &report);
  cancelled_ = report.cancelled;
  return result;
}
