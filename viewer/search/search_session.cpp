// The user's searching over the document (see search_session.h).
#include "viewer/search/search_session.h"

#include "viewer/document/clipboard_text.h"
#include "viewer/document/document.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/search_history.h"

namespace {

constexpr size_t kPatternLimit = kSearchPatternSize - 1;

bool SelectionIsEmpty(const int32_t* selection) {
  if (selection[0] == -1) return true;
  return selection[2] != -1 && selection[0] == selection[1] && selection[2] == selection[3];
}

}  // namespace

std::string InitialSearchText(int32_t pageRows) {
  const int32_t* selection = TheDocument.Selection;
  if (!SelectionIsEmpty(selection)) {
    std::string selected = SearchTextFrom(SelectionText(selection, pageRows), kPatternLimit);
    if (!selected.empty()) return selected;
  }
  return SearchPattern;
}

void StartSearchAtTopRow() { TheDocument.SearchRow = TheDocument.TopLine - 1; }

int32_t SearchNext(bool forward, char** hit, int* length) {
  const int32_t from = TheDocument.SearchRow;
  const int32_t row = forward ? SearchForward(from, hit, length) : SearchBackward(from, hit, length);
  if (row >= 0) TheDocument.SearchRow = row;
  return row;
}
