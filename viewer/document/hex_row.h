// The hexadecimal dump row of binary mode: offset, sixteen byte fields and the character field.
#pragma once

#include <cstdint>

constexpr int kHexRowBytes = 16;
// Dump text is 75 columns, 76 when a double-byte character is completed at the end.
constexpr int kHexRowMaxLength = 76;

// Formats dump row n of the document into out (at least 77 bytes); returns its length.
int FormatHexRow(int32_t n, char* out);
// The same over explicit bytes: `bytes` holds `available` bytes from the row's start on
// (more than 16 lets the row complete a double-byte character).
int FormatHexRowBytes(uint32_t rowNumber, const uint8_t* bytes, uint32_t available, char* out);
