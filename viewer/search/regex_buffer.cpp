// The folding functions, the word table and ClassifyPosition.
#include <cstring>

#include "text/sjis.h"
#include "viewer/search/regex.h"

namespace {

constexpr bool IsWordByte(int b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9');
}

}  // namespace

#define ZV_W(b) static_cast<uint8_t>(IsWordByte(b))
#define ZV_W8(b) ZV_W(b), ZV_W(b + 1), ZV_W(b + 2), ZV_W(b + 3), ZV_W(b + 4), ZV_W(b + 5), ZV_W(b + 6), ZV_W(b + 7)
#define ZV_W32(b) ZV_W8(b), ZV_W8(b + 8), ZV_W8(b + 16), ZV_W8(b + 24)
const uint8_t WordTable[256] = {ZV_W32(0x00), ZV_W32(0x20), ZV_W32(0x40), ZV_W32(0x60),
                                ZV_W32(0x80), ZV_W32(0xA0), ZV_W32(0xC0), ZV_W32(0xE0)};
#undef ZV_W32
#undef ZV_W8
#undef ZV_W

uint16_t FoldUpper(uint16_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint16_t>(c - 0x20) : c; }
uint16_t KeepCase(uint16_t c) { return c; }

int ClassifyPosition(const char* text, int length, int p) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  if (p > length) p = length;
  int leads = 0;
  for (int q = p - 1; q >= 0 && IsSjisLead(bytes[q]); --q) ++leads;
  if (leads % 2 == 1) return 2;
  return (p < length && IsSjisLead(bytes[p])) ? 1 : 0;
}
