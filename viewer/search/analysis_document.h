// The four intelligent analyses over the loaded document: the page structure, and the rows
// that are table-of-contents entries, log headers or ".INI" sections.  The viewer lists the
// rows in a line-list window, zvcat prints them.  Callers load the whole document first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class AnalysisKind { Pages, Index, Log, Ini };

// What the list window of an analysis is called, where it keeps its rectangle, and what the
// user is told when the analysis finds nothing.  The pages title holds a %d for the rows per page.
struct AnalysisTexts {
  const char* title;
  const char* placement;
  const char* notFound;
};
const AnalysisTexts& TextsOf(AnalysisKind kind);

// The list window's title; for pages with the rows per page filled in.
void FormatAnalysisTitle(AnalysisKind kind, int rowsPerPage, char* out, size_t size);

// Loads the whole document (each analysis looks at every row) and gives its row count.
int32_t LoadAllRows();

// Page length and the first row of every page.
struct PageStructure {
  int rowsPerPage = 0;
  std::vector<int32_t> pageRows;
};

// Pages from evenly spaced form feeds, else from rows that repeat every 40 to 79 rows (page
// headers or footers).  False when the file is below 1024 bytes or neither method finds pages.
// SearchPattern and RegexMode are used for the form-feed search and left as they were.
bool FindPageStructure(PageStructure& pages);

// Whether row `row` is an entry of a table-of-contents, log or INI analysis.
bool IsAnalysisRow(AnalysisKind kind, int32_t row);

// Appends the rows from `first` up to (not including) `end` that are entries of `kind`.
void CollectAnalysisRows(AnalysisKind kind, int32_t first, int32_t end, std::vector<int32_t>& rows);
