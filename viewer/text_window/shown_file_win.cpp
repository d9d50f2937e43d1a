// Replacing the shown file by another one.
#include "viewer/text_window/shown_file_win.h"

#include "viewer/document/document.h"
#include "viewer/settings/recent_files.h"
#include "viewer/text_window/mark_commands_win.h"

void ReplaceShownFile(const char* path) {
  (void)PushRecentFile(TheDocument.FileName);  // best effort: the history is a convenience
  ClearMarks();
  (void)OpenDocument(path, AutoDetect, AutoDetect);  // shown: a failure is in the status bar
}
