// The arithmetic of printing: the smallest margins a printer allows, margins in millimetres
// turned into device offsets, the page frame with its optional file-name and page-number
// lines, the rows a job prints, and the stored "SpaceR" value.
#pragma once

#include <cstddef>
#include <cstdint>

// What the printer tells about itself, in device units (sizes of the printable area in mm).
struct PrinterMetrics {
  int horizontalResolution = 0;  // printable width in device units
  int verticalResolution = 0;    // printable height in device units
  int horizontalSizeMm = 0;
  int verticalSizeMm = 0;
  int offsetX = 0;  // left edge of the printable area on the paper
  int offsetY = 0;  // top edge of the printable area on the paper
  int physicalHeight = 0;
};

struct Margins {  // millimetres from the paper's edges; there is no right margin
  int left = 0;
  int top = 0;
  int bottom = 0;
};

struct PrintOffsets {  // device units from the printable area's edges
  int32_t left = 0;
  int32_t top = 0;
  int32_t bottom = 0;
};

constexpr uint8_t kPrintFileName = 1;
constexpr uint8_t kPrintPageNumber = 2;
constexpr int kLargestMarginMm = 99;

// a * b / c rounded to the nearest integer (halves away from zero); 0 when c is 0.
int MultiplyDivide(int a, int b, int c);

// The margins that the printer's unprintable border imposes.
Margins SmallestMargins(const PrinterMetrics& printer);
PrintOffsets OffsetsFromMargins(const Margins& margins, const PrinterMetrics& printer);

struct PageFrame {
  int x0 = 0;           // left edge of every row
  int y0 = 0;           // top of the first row
  int bottom = 0;       // rows end above this line
  int rowsPerPage = 0;  // 0: not one row fits
};
PageFrame ComputePageFrame(const PrintOffsets& offsets, uint8_t flags, int width, int height, int lineHeight);

// The font height in device units for a size in tenths of a point.
int PrintFontHeight(int pointSizeTenths, int pixelsPerInchY);

// The rows a job prints: the selected rows in order (whole rows), or all rows when there is
// no selection (anchor row -1).  Empty (last < first) when the document has no rows.
struct RowSpan {
  int32_t first = 0;
  int32_t last = -1;
  int32_t Count() const { return last - first + 1; }
};
RowSpan RowsToPrint(int32_t anchorRow, int32_t endRow, int32_t rowCount);
int32_t PageCount(const RowSpan& rows, int rowsPerPage);

// "SpaceR": left, top and bottom margins in mm and the flags, one byte each.
struct SpaceR {
  Margins margins;
  uint8_t flags = 0;
};
void EncodeSpaceR(const SpaceR& value, uint8_t bytes[4]);
SpaceR DecodeSpaceR(const uint8_t bytes[4]);

// A row printed in a face without Japanese glyphs goes out in runs: ASCII bytes in that face,
// the other bytes (double-byte characters, half-width kana) in a Japanese one.  The end of the
// run that starts at `start` (a double-byte character is never split), and its kind.
size_t PrintRunEnd(const char* text, size_t length, size_t start, bool* japanese);
