// The Unicode-to-CP932 table of the UTF-8 and UTF-16 converters (generated data, see
// kanji_unicode_table_gen.py).
#pragma once

#include <cstdint>

extern const uint8_t kCp932PageIndex[256];
extern const uint16_t kCp932Pages[][256];
extern const int kCp932PageCount;

// The CP932 code of a code point: one byte (below 0x100) or lead << 8 | trail; 0 when CP932
// has no such character.  Code points below 0x80 are themselves.
inline uint16_t UnicodeToCp932(uint32_t codePoint) {
  if (codePoint < 0x80) return uint16_t(codePoint);
  if (codePoint > 0xFFFF) return 0;
  return kCp932Pages[kCp932PageIndex[codePoint >> 8]][codePoint & 0xFF];
}
