// Scroll arithmetic of the text window.  Steps are worked out in 64 bits and clamped, so
// no scroll code or target can overflow TopLine or LeftColumn.
#include "viewer/document/scroll_math.h"

#include <algorithm>

#include "viewer/document/row_scan.h"

namespace {

constexpr int32_t kScrollPositions = 32768;  // scroll-bar positions stay within 16 bits

int32_t AtLeastOne(int32_t value) { return value < 1 ? 1 : value; }

// The top row that shows the last row at the bottom of the window: the last full page.
int64_t LastPageTop(const VScrollRequest& r) { return int64_t(r.rowCount) - r.clientHeight / AtLeastOne(r.rowHeight); }

std::optional<int64_t> VerticalTarget(const VScrollRequest& r) {
  const int64_t top = r.topLine;
  switch (r.code) {
    case 0: return top - 2;
    case 1: return top + 2;
    case 2: return top - r.pageRows;
    case 3: return top + r.pageRows;
    case 4:
    case 5: return int64_t(r.thumb) * AtLeastOne(r.scale);
    case 6: return 0;
    case 7: return LastPageTop(r);
    case 10: return top - r.pageRows / 2;
    case 11: return top + r.pageRows / 2;
    case 12: return r.target >= r.rowCount ? LastPageTop(r) : r.target;  // past the end: as End
    case 13: return top - 1;
    case 14: return top + 1;
    default: return std::nullopt;
  }
}

std::optional<int64_t> HorizontalTarget(const HScrollRequest& r) {
  const int64_t left = r.leftColumn;
  switch (r.code) {
    case 0: return left - 1;
    case 1: return left + 1;
    case 2: return left - r.visibleColumns;
    case 3: return left + r.visibleColumns;
    case 4:
    case 5: return r.thumb;
    case 6:
    case 15: return 0;
    case 7:
    case 16: return int64_t(WrapWidth(r.lineMax)) - 1;
    case 12: return r.target;
    case 17: return left - r.visibleColumns / 2;
    case 18: return left + r.visibleColumns / 2;
    case 19: return left - 2;
    case 20: return left + 2;
    default: return std::nullopt;
  }
}

}  // namespace

int32_t ClampTopLine(int64_t row, int32_t rowCount) {
  if (row >= rowCount) row = int64_t(rowCount) - 1;
  return int32_t(std::max<int64_t>(row, 0));
}

int32_t LineNumberDigits(int32_t rowCount) {
  int32_t digits = 1;
  for (int32_t rest = rowCount; rest >= 10; rest /= 10) ++digits;
  return std::max(digits, kLineNumberColumns - 1);
}

namespace {

int32_t LineNumberColumns(bool lineNumberColumn, int32_t rowCount) {
  return lineNumberColumn ? LineNumberDigits(rowCount) + 1 : 0;
}

}  // namespace

int32_t TextLeft(int32_t charWidth, int32_t spacing, bool lineNumberColumn, int32_t rowCount) {
  return LineNumberColumns(lineNumberColumn, rowCount) * charWidth + spacing;
}

int32_t VisibleColumns(const TextAreaSize& area) {
  const int32_t charWidth = AtLeastOne(area.charWidth);
  int32_t columns = (area.clientWidth - area.vScrollAllowance - area.clientLeft) / charWidth -
                    LineNumberColumns(area.lineNumberColumn, area.rowCount) - area.spacing / charWidth;
  return std::max(columns, 0);
}

int32_t HScrollLimit(int32_t visibleColumns, int32_t displayMode, int32_t lineMax) {
  const int32_t width = displayMode == 1 ? kBinaryRowColumns : WrapWidth(lineMax);
  return std::max(0, width - visibleColumns);
}

int32_t PageRows(int32_t clientHeight, int32_t rowHeight) {
  return std::max(0, clientHeight) / AtLeastOne(rowHeight);
}

int32_t RowsMeetingClient(int32_t clientHeight, int32_t rowHeight) {
  const int32_t height = AtLeastOne(rowHeight);
  return int32_t((int64_t(std::max(0, clientHeight)) + height - 1) / height);
}

int32_t VScrollScale(int32_t rowCount) { return std::max(0, rowCount) / kScrollPositions + 1; }

VScrollBar VerticalBar(int32_t rowCount, int32_t topLine) {
  const int32_t scale = VScrollScale(rowCount);
  return {scale, std::max(0, rowCount / scale - 1), std::max(0, topLine) / scale};
}

std::optional<int32_t> NewTopLine(const VScrollRequest& request) {
  std::optional<int64_t> target = VerticalTarget(request);
  if (!target) return std::nullopt;
  return ClampTopLine(*target, request.rowCount);
}

std::optional<int32_t> NewLeftColumn(const HScrollRequest& request) {
  std::optional<int64_t> target = HorizontalTarget(request);
  if (!target) return std::nullopt;
  return int32_t(std::clamp<int64_t>(*target, 0, std::max(0, request.limit)));
}

HScrollBarState UpdateHScrollBar(int32_t limit, int32_t leftColumn) {
  // LeftColumn never stays beyond the limit, whether the bar was shown or not.
  if (limit <= 0) return {false, 0, 0, 0};
  const int32_t left = std::clamp(leftColumn, 0, limit);
  return {true, limit, left, left};
}

WheelScroll WheelRows(int32_t delta, int32_t pending, uint32_t rowsPerNotch, int32_t pageRows) {
  const int64_t perNotch = rowsPerNotch == kWheelPageScroll ? std::max(1, pageRows) : int64_t(rowsPerNotch);
  const int64_t total = int64_t(pending) + delta;
  if (perNotch == 0) return {0, 0};
  // Rows moved so far, in whole rows; what is left over stays for the next notch.
  const int64_t rowsUp = total * perNotch / kWheelNotch;
  const int64_t used = rowsUp * kWheelNotch / perNotch;
  const int64_t clamped = std::clamp<int64_t>(-rowsUp, -0x7FFFFFFF, 0x7FFFFFFF);
  return {int32_t(clamped), int32_t(std::clamp<int64_t>(total - used, -kWheelNotch, kWheelNotch))};
}
