// Replacing the shown file by another one.
#include "viewer/text_window/shown_file_win.h"

#include "viewer/document/document.h"
#include "viewer/settings/recent_files.h"
#include "viewer/text_window/mark_commands_win.h"

void ReplaceShownFile(const char* path) {
  PushRecentFile(TheDocument.FileName);
  ClearMarks();
  OpenDocument(path, AutoDetect, AutoDetect);
}
