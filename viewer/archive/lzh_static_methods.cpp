// The static-Huffman methods: -lh4- to -lh7- (form 1: block headers with a code-length code)
// and -lh3- (form 0: lengths stored in 4-bit fields, fixed or stored position lengths).
#include <cstring>

#include "viewer/archive/lzh_code_limits.h"
#include "viewer/archive/lzh_methods.h"
#include "viewer/archive/lzh_static_codes.h"

namespace {

constexpr int kCharCodes = kLzhCharCodes;
constexpr int kLengthCodes = kLzhCodeLengthCodes;

// The fixed position-length tables: the starting length, then the symbols at which the
// length grows by one.
const uint8_t kFixedPositions[2][9] = {
    {3, 1, 4, 12, 24, 48, 0},
    {2, 1, 1, 3, 6, 13, 31, 78, 0},
};

// Code lengths of the small alphabets: three bits, 7 continued by a run of 1 bits.
bool ReadPtLen(LzhDecoder& d, int limit, int countBits, int special) {
  LzhInput& in = d.input;
  auto& table = d.statics->small;
  int n = in.GetBits(countBits);
  if (n == 0) return table.MakeSingle(limit, in.GetBits(countBits));
  if (n > limit) return false;
  int i = 0;
  while (i < n) {
    int c = in.Peek16() >> 13;
    if (c == 7) {
      unsigned mask = 0x1000;
      while (in.Peek16() & mask) {
        mask >>= 1;
        ++c;
      }
      if (c > 16) return false;
    }
    in.FillBuf(c < 7 ? 3 : c - 3);
    table.length[i++] = uint8_t(c);
    if (i == special) {
      int zeros = in.GetBits(2);
      while (zeros-- > 0 && i < limit) table.length[i++] = 0;
    }
  }
  while (i < limit) table.length[i++] = 0;
  return table.Make(limit);
}

// Character lengths, coded with the code-length code: 0 one zero, 1 and 2 runs of zeros.
bool ReadCLen(LzhDecoder& d) {
  LzhInput& in = d.input;
  auto& chars = d.statics->chars;
  const auto& lengths = d.statics->small;
  int n = in.GetBits(9);
  if (n == 0) return chars.MakeSingle(kCharCodes, in.GetBits(9));
  if (n > kCharCodes) return false;
  int i = 0;
  while (i < n) {
    int c = lengths.Decode(in);
    if (c > 2) {
      chars.length[i++] = uint8_t(c - 2);
      continue;
    }
    int zeros = c == 0 ? 1 : c == 1 ? in.GetBits(4) + 3 : in.GetBits(9) + 20;
    if (i + zeros > kCharCodes) return false;
    while (zeros-- > 0) chars.length[i++] = 0;
  }
  while (i < kCharCodes) chars.length[i++] = 0;
  return chars.Make(kCharCodes);
}

void StartStatic(LzhDecoder& d, int positionCodes, int positionCountBits) {
  if (!d.statics) return;
  d.statics->positionCodes = positionCodes;
  d.statics->positionCountBits = positionCountBits;
  d.statics->blockRemaining = 0;
  d.input.InitBits();
}

void ReadyMade(LzhDecoder& d, int which, int symbols) {
  const uint8_t* list = kFixedPositions[which];
  int length = *list++;
  for (int s = 0; s < symbols; ++s) {
    while (*list && *list == s) {
      ++length;
      ++list;
    }
    d.statics->small.length[s] = uint8_t(length);
  }
  d.statics->small.Make(symbols);
}

// -lh3- character lengths: a flag bit, then 4 bits + 1.  Three leading lengths of 1 announce
// a single code in 9 bits.
bool ReadTreeC(LzhDecoder& d) {
  LzhInput& in = d.input;
  auto& chars = d.statics->chars;
  for (int i = 0; i < kLh3CharCodes; ++i) {
    chars.length[i] = in.GetBits(1) ? uint8_t(in.GetBits(4) + 1) : 0;
    if (i == 2 && chars.length[0] == 1 && chars.length[1] == 1 && chars.length[2] == 1) {
      return chars.MakeSingle(kLh3CharCodes, in.GetBits(9));
    }
  }
  return chars.Make(kLh3CharCodes);
}

bool ReadTreeP(LzhDecoder& d) {
  LzhInput& in = d.input;
  auto& small = d.statics->small;
  for (int i = 0; i < kLh3PositionCodes; ++i) {
    small.length[i] = uint8_t(in.GetBits(4));
    if (i == 2 && small.length[0] == 1 && small.length[1] == 1 && small.length[2] == 1) {
      return small.MakeSingle(kLh3PositionCodes, in.GetBits(9));
    }
  }
  return small.Make(kLh3PositionCodes);
}

bool ReadLh3BlockHeader(LzhDecoder& d) {
  LzhInput& in = d.input;
  d.statics->blockRemaining = in.GetBits(16);
  if (!ReadTreeC(d)) return false;
  if (in.GetBits(1)) return ReadTreeP(d);
  ReadyMade(d, 1, kLh3PositionCodes);
  return true;
}

}  // namespace

bool ReadStaticBlockHeader(LzhDecoder& d) {
  LzhDecoder::StaticState& s = *d.statics;
  s.blockRemaining = d.input.GetBits(16);
  return ReadPtLen(d, kLengthCodes, 5, 3) && ReadCLen(d) &&
         ReadPtLen(d, s.positionCodes, s.positionCountBits, -1);
}

void DecodeStartLh4(LzhDecoder& d) { StartStatic(d, 16, 4); }
void DecodeStartLh5(LzhDecoder& d) { StartStatic(d, 16, 4); }
void DecodeStartLh6(LzhDecoder& d) { StartStatic(d, 16, 5); }
void DecodeStartLh7(LzhDecoder& d) { StartStatic(d, kLzhMaxPositionCodes, 5); }
uint16_t DecodeCStatic(LzhDecoder& d) { return StaticCharCode(d); }
uint16_t DecodePStatic(LzhDecoder& d, uint32_t) { return StaticDistance(d); }

void DecodeStartLh3(LzhDecoder& d) { StartStatic(d, kLh3PositionCodes, 0); }

uint16_t DecodeCLh3(LzhDecoder& d) {
  LzhDecoder::StaticState& s = *d.statics;
  if (s.blockRemaining == 0 && !ReadLh3BlockHeader(d)) {
    d.MarkCorrupt();
    return 0;
  }
  --s.blockRemaining;
  int j = s.chars.Decode(d.input);
  return uint16_t(j == kLh3CharCodes - 1 ? j + d.input.GetBits(8) : j);
}

uint16_t DecodePLh3(LzhDecoder& d, uint32_t) {
  int j = d.statics->small.Decode(d.input);
  return uint16_t((j << 6) + d.input.GetBits(6));
}

// -lh1- decodes its positions with the fixed table 0 over 64 codes.
void PrepareFixedPositionsLh1(LzhDecoder& d) { ReadyMade(d, 0, kLh1PositionCodes); }
