// The intelligent analyses as viewer commands: each loads the whole document, lists the rows
// it finds in a line-list window of its own title and placement, or tells the user in a
// message box owned by `owner` that nothing was found.  The log analysis shows its progress
// and can be cancelled; the others run to the end under the busy cursor.
#pragma once

#include <windows.h>

void PageAnalysis(HWND owner);
void IndexAnalysis(HWND owner);
void LogAnalysis(HWND owner);
void IniAnalysis(HWND owner);

// Menu ids IDM_TOC_ANALYSIS, IDM_PAGE_ANALYSIS, IDM_LOG_ANALYSIS, IDM_INI_ANALYSIS.
void AnalysisCommand(HWND owner, int menuId);
