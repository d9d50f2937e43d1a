// The LArc methods: -lzs- (a flag bit, then an 8-bit literal or an 11-bit position and a 4-bit
// length) and -lz5- (flag bytes, then literal bytes or two-byte position/length pairs over a
// preset dictionary).  Both code absolute positions in their dictionary.
#include <cstring>

#include "viewer/archive/lzh_decoder.h"
#include "viewer/archive/lzh_methods.h"

void DecodeStartLzs(LzhDecoder& d) { d.input.InitBits(); }

uint16_t DecodeCLzs(LzhDecoder& d) {
  LzhInput& in = d.input;
  if (in.GetBits(1)) return in.GetBits(8);
  d.matchPosition = in.GetBits(11);
  return uint16_t(in.GetBits(4) + 256);
}

uint16_t DecodePLzs(LzhDecoder& d, uint32_t w) { return uint16_t((w - d.matchPosition - 18) & 0x7FF); }

// The dictionary of -lz5- starts with runs of each byte value, the values rising and falling,
// and zeros; its last 110 bytes stay spaces.  The 18 bytes before the runs (the end of LArc's
// ring buffer) are zeros: LArc's own archives refer to them so.
void DecodeStartLz5(LzhDecoder& d) {
  d.flagCount = 0;
  std::memset(d.dictionary(), 0, 18);
  uint8_t* p = d.dictionary() + 18;
  for (int i = 0; i < 256; ++i, p += 13) std::memset(p, i, 13);
  for (int i = 0; i < 256; ++i) *p++ = uint8_t(i);
  for (int i = 255; i >= 0; --i) *p++ = uint8_t(i);
  std::memset(p, 0, 128);
}

uint16_t DecodeCLz5(LzhDecoder& d) {
  LzhInput& in = d.input;
  if (d.flagCount == 0) {
    d.flagByte = in.NextByte();
    d.flagCount = 8;
  }
  --d.flagCount;
  int c = in.NextByte();
  bool literal = d.flagByte & 1;
  d.flagByte >>= 1;
  if (literal) return uint16_t(c);
  int b = in.NextByte();
  d.matchPosition = uint32_t(c + ((b & 0xF0) << 4));
  return uint16_t((b & 0x0F) + 256);
}

uint16_t DecodePLz5(LzhDecoder& d, uint32_t w) { return uint16_t((w - d.matchPosition - 19) & 0xFFF); }
