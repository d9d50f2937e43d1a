// DocumentHost: everything the document does to windows goes through this interface, so the
// portable core never touches a window.  The Win32 layer implements it over the main window,
// the text window and the status bar; tests implement it with a recorder.
#pragma once

#include "viewer/document/row_scan.h"

// The program title, used in captions and the main window title.
constexpr char kProgramTitle[] = "Zelko View 32";

class DocumentHost {
 public:
  // A message in the status bar; priority 1 holds it for 3000 ms.
  virtual void ShowStatusMessage(const char* text, int priority) = 0;
  // The busy cursor is a counter: every SetBusy(true) is balanced by a SetBusy(false).
  virtual void SetBusy(bool on) = 0;
  // Item 1001 of the main window, "%ld/%ld".
  virtual void SetPositionText(const char* text) = 0;
  // Item 1004, the load meter, in per cent; repainted at once.
  virtual void SetLoadMeter(int percent) = 0;
  // WM_ZV_REFRESH to the text window.
  virtual void RefreshTextWindow() = 0;
  // Invalidate the text window without erasing it.
  virtual void InvalidateTextWindow() = 0;
  virtual void SetTitle(const char* title) = 0;
  // A message box with the error icon, caption "Zelko View 32", owned by the main window.
  virtual void ShowErrorBox(const char* text) = 0;
  // Destroy this process's line-list windows and archive filer window.
  virtual void CloseDocumentWindows() = 0;
  // Create the archive filer window for the shown archive and select `member` in its list.
  virtual void OpenArchiveFiler(int member) = 0;
  // How the rows of the text being loaded are cut, asked at every chunk.
  virtual RowOptions CurrentRowOptions() = 0;

 protected:
  ~DocumentHost() = default;
};

// A host that shows nothing (before the windows exist, and for zvcat).
class NullDocumentHost : public DocumentHost {
 public:
  void ShowStatusMessage(const char*, int) override {}
  void SetBusy(bool) override {}
  void SetPositionText(const char*) override {}
  void SetLoadMeter(int) override {}
  void RefreshTextWindow() override {}
  void InvalidateTextWindow() override {}
  void SetTitle(const char*) override {}
  void ShowErrorBox(const char*) override {}
  void CloseDocumentWindows() override {}
  void OpenArchiveFiler(int) override {}
  RowOptions CurrentRowOptions() override { return RowOptions(); }
};

void SetDocumentHost(DocumentHost* host);  // null restores the null host
DocumentHost& Host();
