// The hexadecimal dump rows of binary mode.
#include "viewer/document/hex_row.h"

#include <gtest/gtest.h>

#include <string>

#include "viewer/document/document_test_support.h"

namespace {

std::string HexRow(uint32_t row, const std::string& bytes) {
  char out[kHexRowMaxLength + 1];
  int length = FormatHexRowBytes(row, reinterpret_cast<const uint8_t*>(bytes.data()), uint32_t(bytes.size()), out);
  return std::string(out, size_t(length));
}

using HexRows = DocumentTest;

TEST_F(HexRows, TwentyByteFileGivesTwoRowsPaddedWithBlanks) {
  std::string bytes = std::string("ABC") + std::string(17, '\0');
  TheDocument.DisplayMode = 1;
  ASSERT_EQ(OpenDocument(WriteTemp("abc.bin", bytes).c_str(), 0, 1), DocumentResult::kOk);
  LoadAll();
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  std::string zeros13;
  for (int i = 0; i < 13; ++i) zeros13 += " 00";
  EXPECT_EQ(rows[0], "00000000: 41 42 43" + zeros13 + "  ABC" + std::string(13, '.'));
  EXPECT_EQ(rows[1], "00000010: 00 00 00 00" + std::string(36, ' ') + "  ...." + std::string(12, ' '));
  EXPECT_EQ(rows[0].size(), 75u);
  EXPECT_EQ(rows[1].size(), 75u);
}

TEST_F(HexRows, RowCountsFollowTheLoadedBytes) {
  TheDocument.DisplayMode = 1;
  for (size_t size : {16u, 17u, 32u}) {
    ASSERT_EQ(OpenDocument(WriteTemp("n.bin", std::string(size, 'z')).c_str(), 0, 1), DocumentResult::kOk);
    LoadAll();
    EXPECT_EQ(TheDocument.RowCount, int32_t((size + 15) / 16)) << size;
  }
}

TEST(HexRow, OffsetFieldAndCharacters) {
  EXPECT_EQ(HexRow(0x1234, "x").substr(0, 9), "00012340:");
  // Lead and trail bytes of a pair show as themselves, lone trail bytes as dots, kana as itself.
  std::string row = HexRow(0, std::string("\x88\x9F\x40\x80\xB1\x7F", 6));
  EXPECT_EQ(row.substr(59), std::string("\x88\x9F@.\xB1.") + std::string(10, ' '));
}

TEST(HexRow, PairAcrossTheRowEndIsCompletedOnTheFirstRow) {
  std::string bytes = std::string(15, 'a') + "\x88\x9F" + "b";
  std::string row = HexRow(0, bytes);
  EXPECT_EQ(row.size(), 76u);
  EXPECT_EQ(row.substr(59), std::string(15, 'a') + "\x88\x9F");
  // Without the trail byte present the row stays 75 columns.
  EXPECT_EQ(HexRow(0, bytes.substr(0, 16)).size(), 75u);
}

}  // namespace
