// A long operation's progress dialog ("Abort") for the lifetime of a scope, with the owner
// disabled meanwhile; the owner is enabled again before the dialog goes, so that it gets the
// activation back.
#pragma once

#include <windows.h>

#include "viewer/search_windows/abort_dialog_win.h"

class ProgressScope {
 public:
  ProgressScope(HWND owner, AbortDialogParams* params) : owner_(owner), dialog_(OpenAbortDialog(owner, params)) {
    EnableWindow(owner_, FALSE);
  }
  ~ProgressScope() {
    EnableWindow(owner_, TRUE);
    if (dialog_) DestroyWindow(dialog_);
  }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
  HWND Dialog() const { return dialog_; }

 private:
  HWND owner_;
  HWND dialog_;
};
