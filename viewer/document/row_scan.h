// The row scan: splits Shift-JIS text into rows at line ends (LF, CR, CR LF) and at the wrap
// column.  A double-byte character is never split; a tab advances to the next tab stop;
// control codes shown as caret and letter take two columns.  The scan can stop anywhere and
// resume later from its state with the same result.
#pragma once

#include <cstdint>

// The widest row the views paint (and FormatRow returns): the wrap width of a LineMax of 0,
// which means "no wrapping".
constexpr int32_t kWidestRow = 255;

// The column at which rows wrap for the setting LineMax.
constexpr int32_t WrapWidth(int32_t lineMax) { return lineMax < 1 ? kWidestRow : lineMax; }

// How text is cut into rows: the viewer fills it from its settings, zvcat from its options.
struct RowOptions {
  int32_t lineMax = 80;  // wrap width in columns; 0 wraps only at the widest row painted
  int32_t tabSize = 4;
  bool controlCodesShown = true;
};

struct RowScanState {
  char* position;  // next byte to scan
  int64_t column;  // columns used by the current row before `position`
  char* rowStart;  // start of the current, unfinished row
};

struct RowScanner {
  int32_t lineMax;
  int32_t tabSize;
  bool controlCodesShown;

  // Scans up to `limit` (the byte at `limit` may be looked at), writing the offset from `text`
  // of every new row into `rows`.  Returns the number of rows written, at most
  // limit - state.position + 1.
  int32_t Scan(const char* text, RowScanState& state, const char* limit, uint32_t* rows) const;
  // The same scan without vector instructions (what builds without SSE2 run; the tests compare).
  int32_t ScanPortable(const char* text, RowScanState& state, const char* limit, uint32_t* rows) const;
};
