// CRC-16 of LZH members: the check value of the polynomial, and pieces of any length giving
// the same result as one pass (the two-byte steps and the odd byte at the end).
#include "viewer/archive/lzh_crc16.h"

#include <gtest/gtest.h>

#include <string>

TEST(LzhCrc16, CheckValueAndPiecewiseUpdates) {
  const std::string text = "123456789";
  auto bytes = reinterpret_cast<const uint8_t*>(text.data());
  EXPECT_EQ(LzhCrc16Update(0, bytes, text.size()), 0xBB3D);
  EXPECT_EQ(LzhCrc16Update(0, bytes, 0), 0);
  for (size_t split = 0; split <= text.size(); ++split) {
    uint16_t crc = LzhCrc16Update(0, bytes, split);
    EXPECT_EQ(LzhCrc16Update(crc, bytes + split, text.size() - split), 0xBB3D) << split;
  }
}
