// The adaptive-Huffman methods: -lh1- (314 character codes, fixed position codes) and -lh2-
// (286 character codes with an escape to 8 raw bits, adaptive position codes).
#include "viewer/archive/lzh_decoder.h"
#include "viewer/archive/lzh_methods.h"

void DecodeStartLh1(LzhDecoder& d) {
  d.input.InitBits();
  d.adaptive->StartChars(314, 60);
  PrepareFixedPositionsLh1(d);
}

void DecodeStartLh2(LzhDecoder& d) {
  d.input.InitBits();
  d.adaptive->StartChars(286, 256);
  d.adaptive->StartPositions(d.DictionarySize());
}

uint16_t DecodeCAdaptive(LzhDecoder& d) { return uint16_t(d.adaptive->DecodeChar(d.input)); }

uint16_t DecodePLh2(LzhDecoder& d, uint32_t) {
  int p = d.adaptive->DecodePosition(d.input, d.Decoded());
  return uint16_t((p << 6) + d.input.GetBits(6));
}
