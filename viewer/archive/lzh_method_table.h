// The LZH methods the reader knows, as rows of the MethodTable: the five-character id, the
// dictionary size in bits, the length offset (a code c >= 256 is a match of c - offset bytes)
// and the DecodeStart/DecodeC/DecodeP triple (null for the stored methods).
#pragma once

#include <cstdint>

class LzhDecoder;

struct LzhMethod {
  const char* id;
  int dictionaryBits;
  int lengthOffset;
  void (*DecodeStart)(LzhDecoder&);
  uint16_t (*DecodeC)(LzhDecoder&);
  uint16_t (*DecodeP)(LzhDecoder&, uint32_t w);  // w: the dictionary write index
  bool staticHuffman;  // -lh4- to -lh7-: decoded by the fill loop with the codes written out
};

extern const LzhMethod MethodTable[];
extern const int kMethodCount;

// The row of a stored 5-byte id, or -1.
int FindLzhMethod(const char* id);
