// The static-Huffman codes of -lh4- to -lh7- as inline operations, so that the fill loop can
// have them written out; lzh_static_methods.cpp also offers them as MethodTable operations.
#pragma once

#include <cstdint>

#include "viewer/archive/lzh_decoder.h"

// Reads a block header (code count, code-length code, character and position lengths);
// false when it is corrupt.
bool ReadStaticBlockHeader(LzhDecoder& d);

inline uint16_t StaticCharCode(LzhDecoder& d) {
  LzhDecoder::StaticState& s = *d.statics;
  if (s.blockRemaining == 0 && !ReadStaticBlockHeader(d)) {
    d.MarkCorrupt();
    return 0;
  }
  --s.blockRemaining;
  return uint16_t(s.chars.Decode(d.input));
}

// The distance of a match: position code j gives 0, or 2^(j-1) plus j-1 raw bits.
inline uint16_t StaticDistance(LzhDecoder& d) {
  int j = d.statics->small.Decode(d.input);
  if (j == 0) return 0;
  return uint16_t((1u << (j - 1)) + d.input.GetBits(j - 1));
}
