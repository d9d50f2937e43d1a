// The inflater's working state: the input with a 64-bit bit buffer (bits leave from the least
// significant end), and the output block.  Past the end of the input the buffer is fed zero
// bytes that are counted in `overrun`; consuming any of them means the stream was truncated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "viewer/archive/inflate_huffman.h"

namespace inflate_detail {

inline uint64_t LoadLittleEndian64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  v = __builtin_bswap64(v);
#endif
  return v;
}

struct InflateStream {
  const uint8_t* in;
  const uint8_t* inEnd;
  uint8_t* outStart;
  uint8_t* out;
  uint8_t* outEnd;
  uint64_t bits = 0;
  unsigned count = 0;   // valid bits in `bits` (bits above them may hold the next input bits)
  size_t overrun = 0;   // zero bytes fed after the end of the input

  // Tops the buffer up to at least 56 bits, one byte at a time (safe at the end of the input).
  void RefillSlowly() {
    while (count <= 56) {
      uint64_t byte = 0;
      if (in < inEnd) byte = *in++;
      else ++overrun;
      bits |= byte << count;
      count += 8;
    }
  }
  // True when bits that lie beyond the input were consumed.
  bool Truncated() const { return overrun * 8 > count; }

  uint32_t Peek(unsigned n) const { return uint32_t(bits & ((uint64_t(1) << n) - 1)); }
  void Drop(unsigned n) {
    bits >>= n;
    count -= n;
  }
  // n <= 32 bits, RefillSlowly first when fewer may be buffered.
  uint32_t Take(unsigned n) {
    uint32_t v = Peek(n);
    Drop(n);
    return v;
  }

  // Decodes one entry of `table` (needs kMaxCodeBits + kMaxDistanceExtraBits buffered bits):
  // the code and its extra bits are dropped, and *value receives the entry's value plus those
  // extra bits.
  uint32_t Decode(const HuffmanTable& table, uint32_t* value) {
    uint32_t entry = LookUp(table.entries, table.rootBits, bits);
    *value = ValueWithExtra(entry, bits);
    Drop(EntryDropBits(entry));
    return entry;
  }

  // Goes back to the byte boundary and returns the unread whole bytes of the buffer to the input.
  void AlignToByte() {
    Drop(count & 7);
    size_t unread = count / 8;
    if (overrun >= unread) {
      overrun -= unread;
    } else {
      in -= unread - overrun;
      overrun = 0;
    }
    bits = 0;
    count = 0;
  }
};

// Decodes the literal/length and distance codes of one block up to its end-of-block code, with
// the fast loop first when `fastLoop`.
[[nodiscard]] InflateResult DecodeBlockCodes(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist,
                                             bool fastLoop);

}  // namespace inflate_detail
