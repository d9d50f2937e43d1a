// A small PNG encoder for the end-to-end screenshots: 8-bit RGB, one IDAT of stored
// (uncompressed) deflate blocks, with the CRC-32 and Adler-32 checks the format requires.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace e2e {

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);
uint32_t Adler32(std::span<const uint8_t> bytes);
// A zlib stream holding `raw` in stored blocks.
std::vector<uint8_t> StoredZlib(std::span<const uint8_t> raw);
// rgb: height rows of width x 3 bytes, top row first.
std::vector<uint8_t> EncodePng(int width, int height, std::span<const uint8_t> rgb);

}  // namespace e2e
