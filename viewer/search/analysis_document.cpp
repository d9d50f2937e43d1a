// The intelligent analyses over the document's rows: the page structure (form feeds or
// repeated rows) and the row-by-row analyses.
#include "viewer/search/analysis_document.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "viewer/document/document.h"
#include "viewer/search/analysis_rules.h"
#include "viewer/search/search_engine.h"
#include "viewer/settings/settings_globals.h"

namespace {

constexpr uint32_t kSmallestPagedFile = 1024;
constexpr int32_t kFewestPagedRows = 200;
constexpr int kShortestPage = 40, kLongestPage = 79;
constexpr int kFirstOffset = -10, kEndOffset = 10;
constexpr int kShortestRun = 3;

const AnalysisTexts kTexts[] = {
    {"ﾍﾟｰｼﾞﾘｽﾄ (1P=%dL)", "PageWndPos",
     "ページ構造の解析に失敗しました\nファイルが小さすぎるか、ページ構造が存在しません"},
    {"目次リスト", "IndexWndPos", "特に目次項目らしいものがみつかりませんでした"},
    {"ログヘッダ", "LogWndPos", "特にヘッダらしいものがみつかりませんでした"},
    {"INIﾌｧｲﾙｾｸｼｮﾝ", "INIWndPos", ".INIファイルの構造解析に失敗しました"},
};

// Keeps the user's search string and mode while an analysis searches for something else.
class SavedSearch {
 public:
  SavedSearch() : regexMode_(RegexMode) { std::memcpy(pattern_, SearchPattern, sizeof pattern_); }
  ~SavedSearch() {
    std::memcpy(SearchPattern, pattern_, sizeof pattern_);
    RegexMode = regexMode_;
  }
  SavedSearch(const SavedSearch&) = delete;
  SavedSearch& operator=(const SavedSearch&) = delete;

 private:
  char pattern_[kSearchPatternSize];
  int32_t regexMode_;
};

// Form feeds in rows a, b, c with c - b == b - a: a page is the b - a rows from one form feed
// to the next, and a page starts at row 0 and after every row with a form feed.
bool FindFormFeedPages(PageStructure& pages) {
  SavedSearch saved;
  RegexMode = 0;
  std::strcpy(SearchPattern, "\f");
  int32_t a = SearchForward(0, nullptr, nullptr);
  if (a < 0) return false;
  int32_t b = SearchForward(a, nullptr, nullptr);
  if (b < 0) return false;
  int32_t c = SearchForward(b, nullptr, nullptr);
  if (c != 2 * b - a) return false;
  pages.rowsPerPage = b - a;
  pages.pageRows.assign(1, 0);
  for (int32_t r = SearchForward(-1, nullptr, nullptr); r >= 0; r = SearchForward(r, nullptr, nullptr)) {
    // A form feed in the very last row starts no page.
    if (r + 1 < TheDocument.RowCount) pages.pageRows.push_back(r + 1);
  }
  return true;
}

std::string RowText(int32_t row) {
  char text[kMaxRowBytes + 1];
  int length = 0;
  FormatRow(row, text, &length);
  return std::string(text, size_t(length));
}

// Rows that exist and read the same (rows past the end match nothing).
bool SameRows(int32_t a, int32_t b, int32_t c) {
  if (c >= TheDocument.RowCount) return false;
  std::string first = RowText(a);
  return first == RowText(b) && first == RowText(c);
}

struct Run {
  int length = 0;
  int firstOffset = 0;
};

// The first run of offsets j at which rows L + j, 2L + j and 3L + j read the same.
Run FirstRepeatedRun(int page) {
  Run run;
  for (int j = kFirstOffset; j < kEndOffset; ++j) {
    if (SameRows(page + j, 2 * page + j, 3 * page + j)) {
      if (run.length++ == 0) run.firstOffset = j;
    } else if (run.length > 0) {
      break;
    }
  }
  return run;
}

bool FindRepeatedRowPages(PageStructure& pages) {
  if (TheDocument.RowCount < kFewestPagedRows) return false;
  Run best;
  int bestPage = 0;
  for (int page = kShortestPage; page <= kLongestPage; ++page) {
    Run run = FirstRepeatedRun(page);
    if (run.length > best.length) best = run, bestPage = page;
  }
  if (best.length < kShortestRun) return false;
  pages.rowsPerPage = bestPage;
  pages.pageRows.assign(1, 0);
  for (int32_t r = bestPage + best.firstOffset; r < TheDocument.RowCount; r += bestPage) pages.pageRows.push_back(r);
  return true;
}

}  // namespace

const AnalysisTexts& TextsOf(AnalysisKind kind) { return kTexts[int(kind)]; }

void FormatAnalysisTitle(AnalysisKind kind, int rowsPerPage, char* out, size_t size) {
  if (kind == AnalysisKind::Pages) {
    std::snprintf(out, size, TextsOf(kind).title, rowsPerPage);
  } else {
    std::snprintf(out, size, "%s", TextsOf(kind).title);
  }
}

int32_t LoadAllRows() {
  LoadAll();
  return TheDocument.RowCount;
}

bool FindPageStructure(PageStructure& pages) {
  pages = PageStructure();
  if (TheDocument.FileSize < kSmallestPagedFile) return false;
  return FindFormFeedPages(pages) || FindRepeatedRowPages(pages);
}

bool IsAnalysisRow(AnalysisKind kind, int32_t row) {
  char text[kMaxRowBytes + 1];
  int length = 0;
  FormatRow(row, text, &length);
  switch (kind) {
    case AnalysisKind::Index: return IsIndexEntry(text);
    case AnalysisKind::Log: return LogHeaderPattern(text, length) != 0;
    case AnalysisKind::Ini: return IsIniSection(text, length);
    case AnalysisKind::Pages: break;
  }
  return false;
}

void CollectAnalysisRows(AnalysisKind kind, int32_t first, int32_t end, std::vector<int32_t>& rows) {
  for (int32_t row = first; row < end; ++row) {
    if (IsAnalysisRow(kind, row)) rows.push_back(row);
  }
}
