// CRC-32 of ZIP members (the polynomial 0xEDB88320 of ISO 3309 and RFC 1952), computed eight
// bytes at a time with precomputed tables.
#pragma once

#include <cstddef>
#include <cstdint>

// Continues a CRC-32: start with crc = 0; the result of one call is the crc of the next.
uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t size);
