// Tests of the screenshot PNG encoder: the two checksums against known values and the
// stored-block framing of large images.
#include "tests/support/png_writer.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace e2e;

static std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(PngWriter, ChecksumsMatchKnownValues) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(Bytes("IEND")), 0xAE426082u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32({}), 1u);
}

TEST(PngWriter, StoredBlocksSplitAt65535Bytes) {
  std::vector<uint8_t> raw(70000, 0xAB);
  std::vector<uint8_t> z = StoredZlib(raw);
  ASSERT_EQ(z.size(), 2 + 5 + 65535 + 5 + (70000 - 65535) + 4);
  EXPECT_EQ(z[2], 0);  // first block not final
  EXPECT_EQ(z[3] | z[4] << 8, 65535);
  size_t second = 2 + 5 + 65535;
  EXPECT_EQ(z[second], 1);
  EXPECT_EQ(z[second + 1] | z[second + 2] << 8, 70000 - 65535);
  EXPECT_EQ((z[second + 1] ^ z[second + 3]), 0xFF);
  EXPECT_EQ(StoredZlib({}).size(), 2u + 5 + 4);
}

TEST(PngWriter, ImageHasSignatureHeaderAndEnd) {
  std::vector<uint8_t> rgb(2 * 3 * 3, 0x7F);
  std::vector<uint8_t> png = EncodePng(3, 2, rgb);
  ASSERT_GT(png.size(), 8u + 25 + 12);
  EXPECT_EQ(std::string_view(reinterpret_cast<char*>(png.data()) + 12, 4), "IHDR");
  EXPECT_EQ(png[16 + 3], 3);  // width
  EXPECT_EQ(png[20 + 3], 2);  // height
  EXPECT_EQ(std::string_view(reinterpret_cast<char*>(png.data()) + png.size() - 8, 4), "IEND");
}
