// The extraction progress dialog (CopyDialogProc over the template "Abort") and the Win32 form
// of ExtractMemberToFile: a modeless dialog shows "%sを展開中..." and a meter, the owner is
// disabled while the copy runs, the queue is emptied after every chunk, and the dialog's
// "中止(&C)" or Escape posts it WM_ZV_EXTRACT_CANCEL, which ends the copy as cancelled.
#pragma once

#include <windows.h>

#include <cstdint>

#include "viewer/archive/archive_reader.h"

INT_PTR CALLBACK CopyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// One progress dialog for a whole run of extractions: created disabling `owner` (and the
// viewer's main window, whose commands could close the archive), destroyed enabling them.
class ExtractionProgress {
 public:
  explicit ExtractionProgress(HWND owner);
  ~ExtractionProgress();
  ExtractionProgress(const ExtractionProgress&) = delete;
  ExtractionProgress& operator=(const ExtractionProgress&) = delete;

  // Copies the open member of `reader` to `path`, showing `fileName`: ExtractArchiveMemberToFile's
  // result (a failed copy or check leaves no file).
  [[nodiscard]] ArchiveResult Extract(ArchiveReader& reader, const char* path, const char* fileName);
  bool Cancelled() const { return cancelled_; }
  // Shows `fileName` now (Extract shows names at most every redraw interval).
  void ShowMember(const char* fileName);

 private:
  HWND owner_;
  HWND dialog_;
  bool mainWasEnabled_;
  bool cancelled_ = false;
  bool named_ = false;       // a member's name has been shown
  uint32_t lastRedraw_ = 0;  // tick count of the last name or meter shown
  uint32_t lastPump_ = 0;    // and of the last time the queue was emptied
};
