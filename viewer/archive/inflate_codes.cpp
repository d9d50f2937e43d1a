// The inflater's inner loop: literal/length and distance codes of one Huffman block.  A fast
// loop runs while at least 16 input bytes and 272 output bytes remain, refilling the 64-bit bit
// buffer eight bytes at a time, emitting up to three literals per refill and copying matches
// eight bytes at a time; the rest of the block goes through a careful loop that checks every
// byte of room.
#include <cstring>

#include "viewer/archive/inflate.h"
#include "viewer/archive/inflate_stream.h"

namespace inflate_detail {
namespace {

// Three refills of up to 7 bytes each, and the 8 bytes the last one loads.
constexpr size_t kFastInputMargin = 32;
// Two literals and a match of 258 bytes, plus the 16-byte overshoot of the match copy.
constexpr size_t kFastOutputMargin = 2 + 258 + 16 + 4;

enum class LoopOutcome { kEndOfBlock, kMarginReached, kFailed };

inline void RefillFast(const uint8_t*& in, uint64_t& bits, unsigned& count) {
  bits |= LoadLittleEndian64(in) << count;
  in += (63 - count) >> 3;
  count |= 56;
}

inline uint64_t LowBits(unsigned n) { return (uint64_t(1) << n) - 1; }

// Copies a match whose source starts `distance` bytes back; may write up to 15 bytes beyond
// `length` when the distance is 8 or more (each 8-byte piece reads only bytes already written).
inline void CopyMatchFast(uint8_t* out, size_t distance, unsigned length) {
  const uint8_t* from = out - distance;
  if (distance >= 8) {
    uint8_t* end = out + length;
    do {
      std::memcpy(out, from, 8);
      std::memcpy(out + 8, from + 8, 8);
      out += 16;
      from += 16;
    } while (out < end);
  } else if (distance == 1) {
    std::memset(out, *from, length);
  } else {
    for (unsigned i = 0; i < length; ++i) out[i] = from[i];
  }
}

// The fast loop stops at the end of the block, near the ends of input or output (the careful
// loop goes on from there), or at damage, which it leaves in *failure.
LoopOutcome DecodeFast(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist,
                       InflateResult* failure) {
  if (size_t(s.inEnd - s.in) < kFastInputMargin || size_t(s.outEnd - s.out) < kFastOutputMargin)
    return LoopOutcome::kMarginReached;
  const uint8_t* in = s.in;
  const uint8_t* const inLimit = s.inEnd - kFastInputMargin;
  uint8_t* out = s.out;
  uint8_t* const outLimit = s.outEnd - kFastOutputMargin;
  uint8_t* const outStart = s.outStart;
  uint64_t bits = s.bits;
  unsigned count = s.count;
  const uint32_t* const lt = litlen.entries;
  const uint32_t* const dt = dist.entries;
  const uint64_t litMask = LowBits(litlen.rootBits);
  const uint64_t distMask = LowBits(dist.rootBits);

  // A first-level entry made final: a second-level entry is looked up, the first-level bits dropped.
  auto resolve = [&](const uint32_t* table, uint32_t e) {
    if (e & kEntrySubtable) {
      bits >>= EntryCodeBits(e);
      count -= EntryCodeBits(e);
      e = table[EntryValue(e) + (bits & LowBits(EntryExtraBits(e)))];
    }
    return e;
  };
  auto lookup = [&](const uint32_t* table, uint64_t mask) { return resolve(table, table[bits & mask]); };
  auto drop = [&](unsigned n) {
    bits >>= n;
    count -= n;
  };

  // Each turn starts with at least 56 bits buffered and the next first-level entry looked up,
  // so that the lookup overlaps the previous match copy.
  LoopOutcome outcome = LoopOutcome::kMarginReached;
  RefillFast(in, bits, count);
  uint32_t next = lt[bits & litMask];
  while (in <= inLimit && out <= outLimit) {
    uint32_t e = resolve(lt, next);
    if (e & kEntryLiteral) {
      drop(EntryCodeBits(e));
      *out++ = uint8_t(EntryValue(e));
      e = lookup(lt, litMask);
      if (e & kEntryLiteral) {
        drop(EntryCodeBits(e));
        *out++ = uint8_t(EntryValue(e));
        e = lookup(lt, litMask);
        if (e & kEntryLiteral) {
          drop(EntryCodeBits(e));
          *out++ = uint8_t(EntryValue(e));
          RefillFast(in, bits, count);
          next = lt[bits & litMask];
          continue;
        }
      }
    }
    if (e & kEntrySpecial) {
      drop(EntryCodeBits(e));
      outcome = (e & kEntryEndOfBlock) ? LoopOutcome::kEndOfBlock : LoopOutcome::kFailed;
      *failure = InflateResult::kBadData;
      break;
    }
    drop(EntryCodeBits(e));
    unsigned length = EntryValue(e) + unsigned(bits & LowBits(EntryExtraBits(e)));
    drop(EntryExtraBits(e));
    RefillFast(in, bits, count);
    e = lookup(dt, distMask);
    if (e & kEntryInvalid) {
      outcome = LoopOutcome::kFailed;
      *failure = InflateResult::kBadData;
      break;
    }
    drop(EntryCodeBits(e));
    size_t distance = EntryValue(e) + size_t(bits & LowBits(EntryExtraBits(e)));
    drop(EntryExtraBits(e));
    if (distance > size_t(out - outStart)) {
      outcome = LoopOutcome::kFailed;
      *failure = InflateResult::kDistanceTooFar;
      break;
    }
    RefillFast(in, bits, count);
    next = lt[bits & litMask];
    CopyMatchFast(out, distance, length);
    out += length;
  }
  s.in = in;
  s.bits = bits;
  s.count = count;
  s.out = out;
  return outcome;
}

InflateResult DecodeCarefully(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist) {
  for (;;) {
    s.RefillSlowly();
    uint32_t e = s.Decode(litlen);
    if (s.Truncated()) return InflateResult::kTruncated;
    if (e & kEntryLiteral) {
      if (s.out == s.outEnd) return InflateResult::kOutputFull;
      *s.out++ = uint8_t(EntryValue(e));
      continue;
    }
    if (e & kEntryEndOfBlock) return InflateResult::kOk;
    if (e & kEntryInvalid) return InflateResult::kBadData;
    unsigned length = EntryValue(e) + s.Take(EntryExtraBits(e));
    s.RefillSlowly();
    e = s.Decode(dist);
    if (e & kEntryInvalid) return InflateResult::kBadData;
    size_t distance = EntryValue(e) + s.Take(EntryExtraBits(e));
    if (s.Truncated()) return InflateResult::kTruncated;
    if (distance > size_t(s.out - s.outStart)) return InflateResult::kDistanceTooFar;
    if (length > size_t(s.outEnd - s.out)) return InflateResult::kOutputFull;
    const uint8_t* from = s.out - distance;
    for (unsigned i = 0; i < length; ++i) s.out[i] = from[i];
    s.out += length;
  }
}

}  // namespace

InflateResult DecodeBlockCodes(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist) {
  InflateResult failure = InflateResult::kOk;
  LoopOutcome outcome = DecodeFast(s, litlen, dist, &failure);
  if (outcome == LoopOutcome::kEndOfBlock) return InflateResult::kOk;
  if (outcome == LoopOutcome::kFailed) return failure;
  return DecodeCarefully(s, litlen, dist);
}

}  // namespace inflate_detail
