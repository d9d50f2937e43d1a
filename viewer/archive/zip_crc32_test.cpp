// The CRC-32's fast paths (eight-table slicing, folding one lane, folding two lanes) against the
// CRC computed one bit at a time, on random lengths around every step of each path and at every
// alignment of the start.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "viewer/archive/zip_crc32.h"
#include "viewer/archive/zip_crc32_fold.h"

namespace {

uint32_t BitwiseCrc32(const uint8_t* data, size_t size) {
  uint32_t c = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    c ^= data[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

// The CRC through FoldCrc32 with the remainder finished one bit at a time: checks a folding
// path alone, whatever UpdateCrc32 chooses.
uint32_t FoldedCrc32(uint32_t crc, const uint8_t* data, size_t size, bool wide) {
  uint8_t remainder[16];
  size_t folded = FoldCrc32(crc, data, size, remainder, wide);
  // The remainder's raw CRC from register 0 continues like ~crc over the folded bytes: as a
  // CRC with its start inversion undone, then the rest of the bytes.
  uint32_t c = 0;
  for (uint8_t byte : remainder) {
    c ^= byte;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  for (size_t i = folded; i < size; ++i) {
    c ^= data[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

TEST(ZipCrc32, EveryPathAgreesWithTheBitwiseCrcAtEveryAlignment) {
  std::mt19937 random(3309);
  std::vector<uint8_t> data(70000);
  for (uint8_t& b : data) b = uint8_t(random());
  std::vector<size_t> lengths = {0, 1, 7, 8, 15, 16, 63, 64, 65, 127, 128, 129, 255, 256, 257, 383, 384, 385, 1000};
  for (int i = 0; i < 40; ++i) lengths.push_back(random() % 66000);
  for (size_t length : lengths) {
    for (size_t offset = 0; offset < 33; ++offset) {
      const uint8_t* p = data.data() + offset;
      uint32_t expected = BitwiseCrc32(p, length);
      ASSERT_EQ(UpdateCrc32(0, p, length), expected) << length << " at " << offset;
      // A continued CRC: the first part one way, the rest another.
      size_t split = length / 3;
      ASSERT_EQ(UpdateCrc32(UpdateCrc32(0, p, split), p + split, length - split), expected) << length;
      if (length < 64 || !CanFoldCrc32()) continue;
      uint32_t start = UpdateCrc32(0, p, split);
      for (bool wide : {false, true}) {
        ASSERT_EQ(FoldedCrc32(0, p, length, wide), expected) << length << " at " << offset << " wide " << wide;
        if (length - split >= 64) {
          ASSERT_EQ(FoldedCrc32(start, p + split, length - split, wide), expected) << length;
        }
      }
    }
  }
}

}  // namespace
