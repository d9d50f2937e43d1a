// gzip files built in memory for tests: content in stored deflate blocks, so a test controls
// every byte of a stream of any size (and can damage its trailer).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "viewer/archive/inflate_test_writer.h"
#include "viewer/archive/zip_crc32.h"

namespace gzip_test {

// One member holding `content` in stored blocks, with its CRC-32 and length trailer.
inline std::vector<uint8_t> StoredGzip(const std::vector<uint8_t>& content) {
  using Bytes = std::vector<uint8_t>;
  constexpr size_t kBlock = 60000;
  Bytes b = {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3};
  inflate_test::DeflateWriter writer;
  for (size_t at = 0; at < content.size() || at == 0; at += kBlock) {
    size_t n = std::min(kBlock, content.size() - at);
    writer.StoredBlock(Bytes(content.begin() + at, content.begin() + at + n), at + n >= content.size());
  }
  Bytes deflated = writer.Finish();
  b.insert(b.end(), deflated.begin(), deflated.end());
  uint32_t crc = UpdateCrc32(0, content.data(), content.size());
  for (uint32_t v : {crc, uint32_t(content.size())})
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
  return b;
}

}  // namespace gzip_test
