// The selection of a run of bytes: columns are byte offsets into rows, so a run that passes
// the start of the next row continues there.
#include "viewer/document/selection_range.h"

#include "viewer/document/document.h"

void HitSelection(int32_t row, const char* hit, int32_t length, int32_t selection[4]) {
  const char* const runEnd = hit + (length > 0 ? length : 0);
  int32_t endRow = row;
  selection[0] = row;
  selection[2] = int32_t(hit - RowStart(row));
  // RowStart loads up to the next row first; past the last row the run stops.
  for (;;) {
    const char* nextRow = RowStart(endRow + 1);
    if (endRow + 1 >= TheDocument.RowCount || nextRow >= runEnd) break;
    ++endRow;
  }
  selection[1] = endRow;
  selection[3] = int32_t(runEnd - RowStart(endRow));
}
