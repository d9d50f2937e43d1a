// The row scan, with a fast path over runs of printable ASCII.
#include "viewer/document/row_scan.h"

#include <array>
#include <cstring>

#include "viewer/document/sjis.h"

namespace {

enum ByteClass : uint8_t { kPlain, kLineFeed, kReturn, kTab, kLead, kControl };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    if (b == '\n') classes[b] = kLineFeed;
    else if (b == '\r') classes[b] = kReturn;
    else if (b == '\t') classes[b] = kTab;
    else if (b < 0x20) classes[b] = kControl;
    else if (IsSjisLead(uint8_t(b))) classes[b] = kLead;
    else classes[b] = kPlain;
  }
  return classes;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

// True when all eight bytes are 0x20..0x7F.
inline bool AllPlainAscii(const char* p) {
  uint64_t x;
  std::memcpy(&x, p, 8);
  return (((x - 0x2020202020202020ull) | x) & 0x8080808080808080ull) == 0;
}

}  // namespace

int32_t RowScanner::Scan(const char* text, RowScanState& state, const char* limit, uint32_t* rows) const {
  // A wrap width below 1 would start a row at every byte without consuming it.
  const int64_t wrap = lineMax < 1 ? 1 : lineMax;
  const int64_t tab = tabSize < 1 ? 1 : tabSize;
  const int64_t controlWidth = controlCodesShown ? 2 : 1;
  char* p = state.position;
  int64_t c = state.column;
  int32_t added = 0;
  auto startRow = [&](char* at) {
    rows[added++] = uint32_t(at - text);
    state.rowStart = at;
    c = 0;
  };
  while (p < limit) {
    uint8_t cls = kClasses[uint8_t(*p)];
    if (cls == kLineFeed) {
      startRow(++p);
      continue;
    }
    if (cls == kReturn) {
      if (*++p == '\n') ++p;
      startRow(p);
      continue;
    }
    if (c >= wrap) {
      startRow(p);
      continue;
    }
    switch (cls) {
      case kPlain:
        ++p, ++c;
        while (c + 8 <= wrap && p + 8 <= limit && AllPlainAscii(p)) p += 8, c += 8;
        break;
      case kTab:
        ++p;
        c = (c / tab + 1) * tab;
        break;
      case kLead:
        if (IsSjisTrail(uint8_t(p[1]))) p += 2, c += 2;
        else ++p, ++c;
        break;
      default:  // control code
        ++p, c += controlWidth;
        break;
    }
  }
  state.position = p;
  state.column = c;
  return added;
}
