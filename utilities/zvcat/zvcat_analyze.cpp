// zvcat --analyze: one of the viewer's intelligent analyses.  The first line is the title of
// the list window the viewer would open, then one row number per line (rows from 0) in the
// list's order; when nothing is found, the viewer's message on standard error and status 1.
#include <cstdio>
#include <cstring>
#include <vector>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_document.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_output.h"
#include "viewer/document/document.h"
#include "viewer/search/analysis_document.h"

namespace {

AnalysisKind KindNamed(const std::string& name) {
  if (name == "pages") return AnalysisKind::Pages;
  if (name == "toc") return AnalysisKind::Index;
  if (name == "log") return AnalysisKind::Log;
  return AnalysisKind::Ini;
}

// What the user is told when the analysis finds nothing (the viewer's words in Japanese).
const char* NothingFound(AnalysisKind kind) {
  switch (kind) {
    case AnalysisKind::Pages:
      return zvmsg::kNoPages;
    case AnalysisKind::Index:
      return zvmsg::kNoContents;
    case AnalysisKind::Log:
      return zvmsg::kNoLogHeaders;
    case AnalysisKind::Ini:
      break;
  }
  return zvmsg::kNoIniSections;
}

}  // namespace

int RunAnalyze(const ZvcatOptions& options) {
  if (!OpenAndLoad(options)) return 1;
  AnalysisKind kind = KindNamed(options.analysis);
  PageStructure pages;
  std::vector<int32_t> rows;
  if (kind == AnalysisKind::Pages) {
    if (FindPageStructure(pages)) rows = pages.pageRows;
  } else {
    CollectAnalysisRows(kind, 0, TheDocument.RowCount, rows);
  }
  if (rows.empty()) {
    Report(NothingFound(kind));
    return 1;
  }
  ZvcatOutput out(options.utf8);
  char line[128];
  FormatAnalysisTitle(kind, pages.rowsPerPage, line, sizeof line);
  out.Text(line, std::strlen(line));
  out.Plain("\n", 1);
  for (int32_t row : rows) {
    int written = std::snprintf(line, sizeof line, "%ld\n", long(row));
    out.Plain(line, size_t(written));
  }
  return 0;
}
