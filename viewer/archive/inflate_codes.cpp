// The inflater's inner loop: literal/length and distance codes of one Huffman block.  A fast
// loop runs while the input and output have room for a whole turn (see the margins below); it
// refills a 64-bit bit buffer a word at a time, decodes up to three literals per refill, drops
// each code with its extra bits in one shift and copies matches a word at a time.  The rest of
// the block goes through a careful loop that checks every byte of room.
#include <cstring>

#include "viewer/archive/inflate.h"
#include "viewer/archive/inflate_stream.h"

namespace inflate_detail {
namespace {

// A refill loads one 8-byte word and advances by the whole bytes it added, leaving at least
// kRefilledBits bits in the buffer.
constexpr size_t kRefillWord = 8;
constexpr size_t kRefillAdvance = kRefillWord - 1;
constexpr unsigned kRefilledBits = 8 * kRefillWord - kRefillAdvance - 1;
// The longest literal/length and distance codes with their extra bits.
constexpr unsigned kMaxLitlenBits = kMaxCodeBits + kMaxLengthExtraBits;
constexpr unsigned kMaxDistanceBits = kMaxCodeBits + kMaxDistanceExtraBits;
// A turn decodes either up to three literals with a refill after them, or up to two literals
// and a match with a refill before the length (its code already looked up) and one after the
// distance.
constexpr unsigned kLiteralsPerRefill = 3;
static_assert(kLiteralsPerRefill * kMaxCodeBits <= kRefilledBits,
              "two literals and the next code's lookup fit one refill");
static_assert(kMaxLitlenBits + kMaxDistanceBits <= kRefilledBits, "a length and a distance fit one refill");
constexpr unsigned kRefillsPerTurn = 2;
// Input: a turn starts with the input at most at its limit; every refill but the last may
// advance kRefillAdvance bytes, and the last one reads a whole word from where they left it.
constexpr size_t kFastInputMargin = (kRefillsPerTurn - 1) * kRefillAdvance + kRefillWord;
// Output: a match copy writes whole words, so up to kCopyWord - 1 bytes beyond the longest
// match, after the literals that came before it in the turn.
constexpr size_t kCopyWord = 8;
constexpr size_t kFastOutputMargin = (kLiteralsPerRefill - 1) + kMaxMatchLength + kCopyWord - 1;

enum class LoopOutcome { kEndOfBlock, kMarginReached, kFailed };

// `count` holds the number of buffered bits in its low six bits only (see DecodeFastLoop).
inline void RefillFast(const uint8_t*& in, uint64_t& bits, unsigned& count) {
  bits |= LoadLittleEndian64(in) << (count & 63);
  in += (63 - (count & 63)) >> 3;
  count |= kRefilledBits;
}

inline uint64_t LoadWord(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, kCopyWord);
  return v;
}
inline void StoreWord(uint8_t* p, uint64_t v) { std::memcpy(p, &v, kCopyWord); }

// Copies a match whose source starts `distance` bytes back, a word at a time; writes up to
// kCopyWord - 1 bytes beyond `length`, which later bytes of the output overwrite.
inline void CopyMatchFast(uint8_t* out, size_t distance, unsigned length) {
  const uint8_t* from = out - distance;
  uint8_t* const end = out + length;
  if (distance >= kCopyWord) {
    // Each word read lies wholly before the bytes written by the same step.
    StoreWord(out, LoadWord(from));
    StoreWord(out + 8, LoadWord(from + 8));
    StoreWord(out + 16, LoadWord(from + 16));
    out += 24;
    from += 24;
    while (out < end) {
      StoreWord(out, LoadWord(from));
      out += 8;
      from += 8;
    }
  } else if (distance == 1) {
    const uint64_t run = uint64_t(*from) * 0x0101010101010101ull;
    do {
      StoreWord(out, run);
      out += 8;
    } while (out < end);
  } else {
    // A word read `distance` back holds `distance` good bytes; each step keeps those.
    do {
      StoreWord(out, LoadWord(from));
      out += distance;
      from += distance;
    } while (out < end);
  }
}

struct FastState {
  const uint8_t* in;
  uint8_t* out;
  uint64_t bits;
  unsigned count;
};

// The fast loop stops at the end of the block, near the ends of input or output (the careful
// loop goes on from there), or at damage, which it leaves in *failure.  Always inlined, so that
// each caller compiles it for its own instruction set.
__attribute__((always_inline)) inline LoopOutcome DecodeFastLoop(InflateStream& s, const HuffmanTable& litlen,
                                                                 const HuffmanTable& dist, InflateResult* failure) {
  if (litlen.rootBits != kLitlenRootBits || dist.rootBits != kDistRootBits) return LoopOutcome::kMarginReached;
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
  constexpr uint64_t litMask = LowBits(kLitlenRootBits);
  constexpr uint64_t distMask = LowBits(kDistRootBits);
  // Both tables of every block have these first-level widths (fixed ones included).
  auto litlenEntry = [&] {
    uint32_t entry = lt[bits & litMask];
    return (entry & kEntrySubtable) ? LookUpSecondLevel(lt, entry, bits) : entry;
  };
  auto distEntry = [&] {
    uint32_t entry = dt[bits & distMask];
    return (entry & kEntrySubtable) ? LookUpSecondLevel(dt, entry, bits) : entry;
  };

  // The whole entry is subtracted from the count: only its low six bits (the bits dropped)
  // reach the count's low six bits, which are all that is read of it until the loop ends.
  auto drop = [&](uint32_t entry) {
    bits >>= EntryDropBits(entry);
    count -= entry;
  };

  // Each turn starts with at least kRefilledBits bits buffered and the next first-level entry
  // looked up, so that the lookup overlaps the previous match copy.
  LoopOutcome outcome = LoopOutcome::kMarginReached;
  RefillFast(in, bits, count);
  uint32_t e = lt[bits & litMask];
  while (in <= inLimit && out <= outLimit) {
    if (e & kEntrySubtable) e = LookUpSecondLevel(lt, e, bits);
    if (IsLiteral(e)) {
      drop(e);
      *out++ = uint8_t(EntryValue(e));
      e = litlenEntry();
      if (IsLiteral(e)) {
        drop(e);
        *out++ = uint8_t(EntryValue(e));
        e = litlenEntry();
        if (IsLiteral(e)) {
          drop(e);
          *out++ = uint8_t(EntryValue(e));
          RefillFast(in, bits, count);
          e = lt[bits & litMask];
          continue;
        }
      }
    }
    if (e & kEntrySpecial) {
      outcome = (e & kEntryEndOfBlock) ? LoopOutcome::kEndOfBlock : LoopOutcome::kFailed;
      if (outcome == LoopOutcome::kEndOfBlock) drop(e);
      *failure = InflateResult::kBadData;
      break;
    }
    // The refill leaves the length's bits as they are and adds enough for the distance, which
    // is then looked up as soon as the length is dropped.
    RefillFast(in, bits, count);
    const unsigned length = ValueWithExtra(e, bits);
    drop(e);
    e = distEntry();
    if (e & kEntryInvalid) {
      outcome = LoopOutcome::kFailed;
      *failure = InflateResult::kBadData;
      break;
    }
    const size_t distance = ValueWithExtra(e, bits);
    drop(e);
    if (distance > size_t(out - outStart)) {
      outcome = LoopOutcome::kFailed;
      *failure = InflateResult::kDistanceTooFar;
      break;
    }
    RefillFast(in, bits, count);
    e = lt[bits & litMask];
    CopyMatchFast(out, distance, length);
    out += length;
  }
  s.in = in;
  s.bits = bits;
  s.count = count & 63;
  s.out = out;
  return outcome;
}

LoopOutcome DecodeFastPlain(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist,
                            InflateResult* failure) {
  return DecodeFastLoop(s, litlen, dist, failure);
}

#if defined(__x86_64__) || defined(__i386__)
// With BMI2 the extra bits come out of the buffer with two instructions (bzhi and shrx), and
// shifts by a count in a register need no flags.
__attribute__((target("bmi2"))) LoopOutcome DecodeFastBmi2(InflateStream& s, const HuffmanTable& litlen,
                                                           const HuffmanTable& dist, InflateResult* failure) {
  return DecodeFastLoop(s, litlen, dist, failure);
}

LoopOutcome DecodeFast(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist,
                       InflateResult* failure) {
  static const bool hasBmi2 = __builtin_cpu_supports("bmi2");
  return hasBmi2 ? DecodeFastBmi2(s, litlen, dist, failure) : DecodeFastPlain(s, litlen, dist, failure);
}
#else
LoopOutcome DecodeFast(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist,
                       InflateResult* failure) {
  return DecodeFastPlain(s, litlen, dist, failure);
}
#endif

InflateResult DecodeCarefully(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist) {
  for (;;) {
    s.RefillSlowly();
    uint32_t length = 0;
    uint32_t e = s.Decode(litlen, &length);
    if (s.Truncated()) return InflateResult::kTruncated;
    if (IsLiteral(e)) {
      if (s.out == s.outEnd) return InflateResult::kOutputFull;
      *s.out++ = uint8_t(length);
      continue;
    }
    if (e & kEntryEndOfBlock) return InflateResult::kOk;
    if (e & kEntryInvalid) return InflateResult::kBadData;
    s.RefillSlowly();
    uint32_t distance = 0;
    e = s.Decode(dist, &distance);
    if (e & kEntryInvalid) return InflateResult::kBadData;
    if (s.Truncated()) return InflateResult::kTruncated;
    if (distance > size_t(s.out - s.outStart)) return InflateResult::kDistanceTooFar;
    if (length > size_t(s.outEnd - s.out)) return InflateResult::kOutputFull;
    const uint8_t* from = s.out - distance;
    for (unsigned i = 0; i < length; ++i) s.out[i] = from[i];
    s.out += length;
  }
}

}  // namespace

InflateResult DecodeBlockCodes(InflateStream& s, const HuffmanTable& litlen, const HuffmanTable& dist,
                               bool fastLoop) {
  InflateResult failure = InflateResult::kOk;
  LoopOutcome outcome = fastLoop ? DecodeFast(s, litlen, dist, &failure) : LoopOutcome::kMarginReached;
  if (outcome == LoopOutcome::kEndOfBlock) return InflateResult::kOk;
  if (outcome == LoopOutcome::kFailed) return failure;
  return DecodeCarefully(s, litlen, dist);
}

}  // namespace inflate_detail
