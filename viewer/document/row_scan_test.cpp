// The row scan's fast paths against the rules: the control-byte mask with and without SSE2 on
// every byte value at every lane position, and the scan (vector and portable) against the
// byte-by-byte oracle on random text whose rows, double-byte characters and line ends fall
// across every edge of the 16-byte lanes and 64-byte blocks, scanned in random pieces.
#include "viewer/document/row_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "viewer/document/control_byte_mask.h"
#include "viewer/document/document_test_support.h"

namespace {

uint64_t MaskByHand(const char* block) {
  uint64_t mask = 0;
  for (int i = 0; i < kControlMaskBlock; ++i) {
    if (uint8_t(block[i]) < 0x20) mask |= uint64_t(1) << i;
  }
  return mask;
}

TEST(ControlByteMask, EveryByteValueAtEveryPosition) {
  char block[kControlMaskBlock];
  for (int value = 0; value < 256; ++value) {
    for (int position = 0; position < kControlMaskBlock; ++position) {
      // The neighbours are the values on either side of the 0x20 and 0x80 edges.
      for (int i = 0; i < kControlMaskBlock; ++i) block[i] = char(i % 2 ? 0x20 : 0x1F);
      block[position] = char(value);
      ASSERT_EQ(ControlByteMaskPortable(block), MaskByHand(block)) << value << " at " << position;
      ASSERT_EQ(ControlByteMask(block), MaskByHand(block)) << value << " at " << position;
    }
  }
  std::mt19937 random(64);
  for (int round = 0; round < 2000; ++round) {
    for (char& c : block) c = char(random());
    ASSERT_EQ(ControlByteMaskPortable(block), MaskByHand(block));
    ASSERT_EQ(ControlByteMask(block), MaskByHand(block));
  }
}

// Random text made mostly of plain rows (ASCII and double-byte characters ended by LF, CR or
// CR LF) of lengths around the wrap column, with now and then a tab, a control code, a lone
// lead byte or a row too long for the wrap column.
std::string PlainRowsText(std::mt19937& random, int32_t wrap) {
  static const char* const kEnds[] = {"\n", "\r\n", "\r", "\n"};
  static const char* const kOddities[] = {"\t", "\x01", "\x88", "\x00"};
  std::string text;
  const size_t size = 200 + random() % 3000;
  while (text.size() < size) {
    int32_t columns = int32_t(random() % (wrap + 8));
    if (random() % 10 == 0) columns += wrap * int32_t(random() % 3);
    for (int32_t c = 0; c < columns;) {
      if (random() % 3 == 0) {
        text += "\x8A\xBF", c += 2;
      } else {
        text += char('a' + random() % 26), ++c;
      }
    }
    if (random() % 12 == 0) text += std::string(kOddities[random() % 4], 1);
    text += kEnds[random() % 4];
  }
  return text;
}

// Scans `text` the way the loader does: in pieces, each stopping a few bytes before the text
// that has arrived, and the last one at the end.
std::vector<uint32_t> ScanInPieces(const RowScanner& scanner, const std::string& text, bool portable,
                                   std::mt19937& random) {
  std::string buffer = text + std::string(kControlMaskBlock, '\0');
  char* start = buffer.data();
  std::vector<uint32_t> rows(text.size() + 2);
  rows[0] = 0;
  size_t count = text.empty() ? 0 : 1;
  RowScanState state{start, 0, start};
  size_t arrived = 0;
  while (arrived < text.size()) {
    arrived = std::min(text.size(), arrived + 1 + random() % 300);
    const char* limit = arrived < text.size() ? std::max<const char*>(start + arrived - 4, state.position)
                                              : start + text.size();
    count += size_t(portable ? scanner.ScanPortable(start, state, limit, rows.data() + count)
                             : scanner.Scan(start, state, limit, rows.data() + count));
  }
  rows.resize(count);
  return rows;
}

TEST(RowScan, VectorAndPortableScansFollowTheRules) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 400; ++round) {
    const int32_t lineMax = round % 5 == 0 ? 0 : 1 + int32_t(random() % 140);
    RowScanner scanner{lineMax, int32_t(random() % 9), random() % 2 == 0};
    std::string text = PlainRowsText(random, WrapWidth(lineMax));
    std::vector<uint32_t> expected = ReferenceRowStarts(text, scanner.lineMax, scanner.tabSize, scanner.controlCodesShown);
    ASSERT_EQ(ScanInPieces(scanner, text, false, random), expected) << "round " << round;
    ASSERT_EQ(ScanInPieces(scanner, text, true, random), expected) << "round " << round;
  }
}

// A line end at exactly the wrap column ends the row there; one column later the row wraps
// first, whether the last character is single- or double-byte, at every offset in a block.
TEST(RowScan, LineEndAtAndPastTheWrapColumn) {
  std::mt19937 random(7);
  for (int32_t lead = 0; lead < kControlMaskBlock; ++lead) {
    for (int extra = 0; extra < 2; ++extra) {
      for (const char* last : {"a", "\x8A\xBF"}) {
        std::string row = std::string(size_t(80 - extra) - std::string(last).size() + size_t(2 * extra), 'x');
        std::string text = std::string(size_t(lead), 'y') + "\n" + row + last + "\r\n" + row + "\n" + std::string(100, 'z');
        RowScanner scanner{80, 4, true};
        std::vector<uint32_t> expected = ReferenceRowStarts(text, 80, 4, true);
        ASSERT_EQ(ScanInPieces(scanner, text, false, random), expected) << lead << " " << extra;
        ASSERT_EQ(ScanInPieces(scanner, text, true, random), expected) << lead << " " << extra;
      }
    }
  }
}

}  // namespace
