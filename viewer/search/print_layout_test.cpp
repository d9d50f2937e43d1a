// Printing arithmetic: margins and offsets of a real printer's figures, the page frame with
// and without the file-name and page-number lines, pages that hold no row, the rows of a job.
#include "viewer/search/print_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// An A4 page at 600 dpi with a 5 mm border (figures of Wine's PostScript driver).
PrinterMetrics A4At600Dpi() {
  PrinterMetrics p;
  p.horizontalResolution = 4725;
  p.verticalResolution = 6778;
  p.horizontalSizeMm = 200;
  p.verticalSizeMm = 287;
  p.offsetX = 118;
  p.offsetY = 118;
  p.physicalHeight = 7014;
  return p;
}

TEST(PrintLayout, MultiplyDivideRoundsToNearest) {
  EXPECT_EQ(MultiplyDivide(118, 200, 4725), 5);  // 4.99
  EXPECT_EQ(MultiplyDivide(3, 1, 2), 2);
  EXPECT_EQ(MultiplyDivide(-3, 1, 2), -2);
  EXPECT_EQ(MultiplyDivide(5, 1, 3), 2);
  EXPECT_EQ(MultiplyDivide(7, 1, 0), 0);
  EXPECT_EQ(MultiplyDivide(2000000, 2000000, 4000000), 1000000);  // no overflow
}

TEST(PrintLayout, SmallestMarginsAndOffsetsFromTheBorder) {
  PrinterMetrics p = A4At600Dpi();
  Margins smallest = SmallestMargins(p);
  EXPECT_EQ(smallest.left, 5);
  EXPECT_EQ(smallest.top, 5);
  EXPECT_EQ(smallest.bottom, 5);  // (7014 - 118 - 6778) * 287 / 6778 = 4.996
  // The smallest margins put the text at the printable area's edges (give or take rounding).
  PrintOffsets edge = OffsetsFromMargins(smallest, p);
  EXPECT_EQ(edge.left, 0);
  EXPECT_EQ(edge.top, 0);
  EXPECT_EQ(edge.bottom, 0);
  PrintOffsets wide = OffsetsFromMargins({20, 15, 25}, p);
  EXPECT_EQ(wide.left, 473 - 118);
  EXPECT_EQ(wide.top, 354 - 118);
  EXPECT_EQ(wide.bottom, 590 + 118 + 6778 - 7014);
}

TEST(PrintLayout, PageFrameWithAndWithoutHeaderAndPageNumber) {
  PrintOffsets offsets{100, 200, 300};
  PageFrame plain = ComputePageFrame(offsets, 0, 4000, 3000, 50);
  EXPECT_EQ(plain.x0, 100);
  EXPECT_EQ(plain.y0, 200);
  EXPECT_EQ(plain.bottom, 2700);
  EXPECT_EQ(plain.rowsPerPage, 50);
  PageFrame named = ComputePageFrame(offsets, kPrintFileName, 4000, 3000, 50);
  EXPECT_EQ(named.y0, 250);
  EXPECT_EQ(named.rowsPerPage, 49);
  PageFrame both = ComputePageFrame(offsets, kPrintFileName | kPrintPageNumber, 4000, 3000, 50);
  EXPECT_EQ(both.y0, 250);
  EXPECT_EQ(both.bottom, 2650);
  EXPECT_EQ(both.rowsPerPage, 48);
  EXPECT_EQ(ComputePageFrame(offsets, 0, 4000, 3000, 49).rowsPerPage, 51);  // 2500 / 49
}

TEST(PrintLayout, PagesThatHoldNoRow) {
  EXPECT_EQ(ComputePageFrame({0, 0, 0}, 0, 4000, 3000, 3001).rowsPerPage, 0);  // font taller than the page
  EXPECT_EQ(ComputePageFrame({0, 1500, 1500}, 0, 4000, 3000, 10).rowsPerPage, 0);
  EXPECT_EQ(ComputePageFrame({0, 2000, 2000}, 0, 4000, 3000, 10).rowsPerPage, 0);  // margins overlap
  EXPECT_EQ(ComputePageFrame({0, 0, 0}, 3, 4000, 100, 40).rowsPerPage, 0);  // header and number fill it
  EXPECT_EQ(ComputePageFrame({5000, 0, 0}, 0, 4000, 3000, 10).rowsPerPage, 0);  // left margin off the page
  EXPECT_EQ(ComputePageFrame({0, 0, 0}, 0, 4000, 3000, 0).rowsPerPage, 0);
}

TEST(PrintLayout, RowsOfAJob) {
  RowSpan selected = RowsToPrint(10, 3, 100);
  EXPECT_EQ(selected.first, 3);
  EXPECT_EQ(selected.last, 10);
  EXPECT_EQ(selected.Count(), 8);
  RowSpan all = RowsToPrint(-1, -1, 95);
  EXPECT_EQ(all.first, 0);
  EXPECT_EQ(all.last, 94);
  EXPECT_EQ(PageCount(all, 48), 2);
  EXPECT_EQ(PageCount(all, 95), 1);
  EXPECT_EQ(PageCount(all, 0), 0);
  RowSpan beyond = RowsToPrint(5, 500, 20);  // a selection left over from a longer file
  EXPECT_EQ(beyond.last, 19);
  EXPECT_EQ(RowsToPrint(-1, -1, 0).Count(), 0);
  EXPECT_EQ(PageCount(RowsToPrint(-1, -1, 0), 10), 0);
}

TEST(PrintLayout, FontHeightAndSpaceR) {
  EXPECT_EQ(PrintFontHeight(100, 600), 83);  // 10 pt at 600 dpi
  EXPECT_EQ(PrintFontHeight(120, 300), 50);
  uint8_t bytes[4];
  EncodeSpaceR({{12, 34, 56}, kPrintPageNumber}, bytes);
  EXPECT_EQ(bytes[0], 12);
  EXPECT_EQ(bytes[3], kPrintPageNumber);
  SpaceR back = DecodeSpaceR(bytes);
  EXPECT_EQ(back.margins.top, 34);
  EXPECT_EQ(back.margins.bottom, 56);
  EXPECT_EQ(back.flags, kPrintPageNumber);
}

}  // namespace

TEST(PrintLayout, RowsSplitIntoAsciiAndJapaneseRuns) {
  // "表" is 0x95 0x5C: its trail byte is ASCII '\' but belongs to the Japanese run.
  const std::string row = "ab\x95\x5C\x8E\xA6 c\xB1\xB2" "d";
  std::vector<std::pair<std::string, bool>> runs;
  for (size_t at = 0; at < row.size();) {
    bool japanese = false;
    const size_t end = PrintRunEnd(row.data(), row.size(), at, &japanese);
    runs.emplace_back(row.substr(at, end - at), japanese);
    at = end;
  }
  const std::vector<std::pair<std::string, bool>> expected = {
      {"ab", false}, {"\x95\x5C\x8E\xA6", true}, {" c", false}, {"\xB1\xB2", true}, {"d", false}};
  EXPECT_EQ(runs, expected);
  bool japanese = true;
  EXPECT_EQ(PrintRunEnd(row.data(), row.size(), row.size(), &japanese), row.size());
  EXPECT_FALSE(japanese);
  // A lead byte at the end of the row stands alone.
  EXPECT_EQ(PrintRunEnd("a\x95", 2, 1, &japanese), 2u);
  EXPECT_TRUE(japanese);
}
