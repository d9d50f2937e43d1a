// The document's window services on Windows: status messages, the busy cursor, the position
// text, the load meter, the text window and the title, over the main window's children.
//
// While a file loads, every 1024-byte chunk reports its progress.  Pushing each report to the
// screen would cost more than the loading itself, so reports that change nothing visible are
// dropped and the rest are passed on at most every kProgressIntervalMs while bytes remain; the
// last report of a load always goes through, and a paint of the text window writes the
// position text itself, so what is on the screen is never older than that interval.
#include "viewer/frame/position_item_win.h"
#include "viewer/shell/document_host_win.h"

#include <cstring>

#include "viewer/archive_filer/archive_filer_win.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/search_windows/line_list_win.h"
#include "platform/platform.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr uint32_t kProgressIntervalMs = 100;

HWND MainItem(int id) { return MainWindow ? GetDlgItem(MainWindow, id) : nullptr; }

class Win32DocumentHost : public DocumentHost {
 public:
  void ShowStatusMessage(const char* text, int priority) override { ::ShowStatusMessage(text, priority); }
  void SetBusy(bool on) override { ::SetBusy(on); }

  void SetPositionText(const char* text) override {
    if (std::strcmp(text, positionText_) == 0) return;
    std::strncpy(positionText_, text, sizeof positionText_ - 1);
    positionDirty_ = true;
    PushProgressWhenDue();
  }

  void SetLoadMeter(int percent) override {
    if (percent == meterPercent_) return;
    meterPercent_ = percent;
    meterDirty_ = true;
    PushProgressWhenDue();
  }

  void RefreshTextWindow() override {
    refreshDirty_ = true;
    PushProgressWhenDue();
  }

  void InvalidateTextWindow() override {
    if (TextWindow) InvalidateRect(TextWindow, nullptr, FALSE);
  }

  void SetTitle(const char* title) override {
    if (MainWindow) SetWindowTextA(MainWindow, title);
  }

  void ShowErrorBox(const char* text) override {
    MessageBoxA(MainWindow, text, kProgramTitle, MB_OK | MB_ICONERROR);
  }

  void CloseDocumentWindows() override {
    CloseLineListWindows();
    CloseArchiveFiler();
  }

  void OpenArchiveFiler(int member) override { ::OpenArchiveFiler(member); }
  RowOptions CurrentRowOptions() override { return RowOptions{LineMax, TabSize, ShowControlCodes != 0}; }

 private:
  // Progress goes to the screen when loading has finished or the interval has passed.
  void PushProgressWhenDue() {
    uint32_t now = TickCount();
    if (TheDocument.BytesLeft > 0 && now - lastPush_ < kProgressIntervalMs) return;
    lastPush_ = now;
    if (positionDirty_) {
      ShowPositionText(MainWindow, positionText_);
      positionDirty_ = false;
    }
    if (meterDirty_) {
      if (HWND meter = MainItem(kLoadMeterId)) {
        SendMessageA(meter, BM_SETSTATE, WPARAM(meterPercent_), 0);
        InvalidateRect(meter, nullptr, FALSE);
        UpdateWindow(meter);
      }
      meterDirty_ = false;
    }
    if (refreshDirty_) {
      if (TextWindow) SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
      refreshDirty_ = false;
    }
  }

  char positionText_[48] = "";
  int meterPercent_ = -1;
  bool positionDirty_ = false;
  bool meterDirty_ = false;
  bool refreshDirty_ = false;
  uint32_t lastPush_ = 0;
};

Win32DocumentHost TheWin32Host;

}  // namespace

void InstallWin32DocumentHost() { SetDocumentHost(&TheWin32Host); }
