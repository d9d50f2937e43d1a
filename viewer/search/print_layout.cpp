// Printing arithmetic: margins, offsets, the page frame and the rows of a job.
#include "viewer/search/print_layout.h"

#include <algorithm>

#include "text/sjis.h"

int MultiplyDivide(int a, int b, int c) {
  if (c == 0) return 0;
  int64_t product = int64_t(a) * b, divisor = c;
  if (divisor < 0) product = -product, divisor = -divisor;
  int64_t half = divisor / 2;
  return int(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

Margins SmallestMargins(const PrinterMetrics& p) {
  Margins m;
  m.left = MultiplyDivide(p.offsetX, p.horizontalSizeMm, p.horizontalResolution);
  m.top = MultiplyDivide(p.offsetY, p.verticalSizeMm, p.verticalResolution);
  m.bottom = MultiplyDivide(p.physicalHeight - p.offsetY - p.verticalResolution, p.verticalSizeMm,
                            p.verticalResolution);
  return m;
}

PrintOffsets OffsetsFromMargins(const Margins& m, const PrinterMetrics& p) {
  PrintOffsets o;
  o.left = MultiplyDivide(m.left, p.horizontalResolution, p.horizontalSizeMm) - p.offsetX;
  o.top = MultiplyDivide(m.top, p.verticalResolution, p.verticalSizeMm) - p.offsetY;
  o.bottom = MultiplyDivide(m.bottom, p.verticalResolution, p.verticalSizeMm) + p.offsetY +
             p.verticalResolution - p.physicalHeight;
  return o;
}

PageFrame ComputePageFrame(const PrintOffsets& offsets, uint8_t flags, int width, int height, int lineHeight) {
  PageFrame frame;
  frame.x0 = offsets.left;
  frame.y0 = offsets.top + ((flags & kPrintFileName) ? lineHeight : 0);
  frame.bottom = height - offsets.bottom - ((flags & kPrintPageNumber) ? lineHeight : 0);
  if (lineHeight > 0 && frame.bottom > frame.y0 && frame.x0 < width) {
    frame.rowsPerPage = (frame.bottom - frame.y0) / lineHeight;
  }
  return frame;
}

int PrintFontHeight(int pointSizeTenths, int pixelsPerInchY) {
  return int(int64_t(pointSizeTenths) * pixelsPerInchY / 720);
}

RowSpan RowsToPrint(int32_t anchorRow, int32_t endRow, int32_t rowCount) {
  RowSpan span;
  if (rowCount <= 0) return span;
  if (anchorRow < 0) {
    span.first = 0, span.last = rowCount - 1;
    return span;
  }
  span.first = std::clamp(std::min(anchorRow, endRow), 0, rowCount - 1);
  span.last = std::clamp(std::max(anchorRow, endRow), 0, rowCount - 1);
  return span;
}

int32_t PageCount(const RowSpan& rows, int rowsPerPage) {
  if (rowsPerPage <= 0 || rows.Count() <= 0) return 0;
  return (rows.Count() + rowsPerPage - 1) / rowsPerPage;
}

void EncodeSpaceR(const SpaceR& value, uint8_t bytes[4]) {
  bytes[0] = uint8_t(value.margins.left);
  bytes[1] = uint8_t(value.margins.top);
  bytes[2] = uint8_t(value.margins.bottom);
  bytes[3] = value.flags;
}

SpaceR DecodeSpaceR(const uint8_t bytes[4]) {
  SpaceR value;
  value.margins = {bytes[0], bytes[1], bytes[2]};
  value.flags = bytes[3];
  return value;
}

size_t PrintRunEnd(const char* text, size_t length, size_t start, bool* japanese) {
  auto isJapanese = [&](size_t at) { return uint8_t(text[at]) >= 0x80; };
  *japanese = start < length && isJapanese(start);
  size_t at = start;
  while (at < length && isJapanese(at) == *japanese) {
    const bool pair = IsSjisLead(uint8_t(text[at])) && at + 1 < length && IsSjisTrail(uint8_t(text[at + 1]));
    at += pair ? 2 : 1;
  }
  return at;
}
