// LiteralScan: the two-byte prefilter over 64 or 32 positions at a time (AVX2), sixteen (SSE2) or
// one at a time, and the byte-for-byte check of the positions that pass it; with AVX2 also the
// pass that counts the line feeds before the match.
#include "viewer/search/literal_scan.h"

#include <algorithm>
#include <cstring>

#include "viewer/search/line_masks.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#if SEARCH_VECTOR_AVX2
#include <immintrin.h>
#endif

namespace {

bool IsUpperLetter(uint8_t b) { return b >= 'A' && b <= 'Z'; }

// English letters by how often they appear in running text; the rest of a class is rarer.
bool IsFrequentLetter(uint8_t b) { return std::strchr("etaoinsrhl", b | 0x20) != nullptr; }

}  // namespace

int LiteralScan::Frequency(uint8_t b) {
  if (b == 0x82 || b == 0x83) return 100;  // lead bytes of hiragana and katakana
  if (b == 0x81 || b == ' ') return 50;    // punctuation lead byte, blank
  // 0x40-0x7E are also second bytes of double-byte characters.
  if (b >= 'a' && b <= 'z') return IsFrequentLetter(b) ? 16 : 8;
  if (b >= 'A' && b <= 'Z') return IsFrequentLetter(b) ? 12 : 8;
  if (b >= 0x88 && b <= 0x9F) return 7;  // kanji lead bytes, also trail bytes
  if (b >= 0xA0 && b <= 0xDF) return 6;  // trail bytes of hiragana, half-width katakana
  if (b >= 0xE0 && b <= 0xEA) return 6;
  if (b >= '0' && b <= '9') return 4;
  if (b == '.' || b == ',' || b == '-' || b == '\\' || b == '\t') return 8;
  if (b >= 0x40 && b <= 0x7E) return 6;
  if (b >= 0x21 && b <= 0x3F) return 3;  // other punctuation
  if (b >= 0x80 && b <= 0x87) return 4;  // second bytes only (no lead byte in common use)
  if (b >= 0xEB && b <= 0xFC) return 2;
  return 1;  // control bytes and bytes that are neither lead nor trail
}

void LiteralScan::Build(const uint8_t* bytes, int length, bool foldLetters) {
  length_ = std::clamp(length, 0, kLiteralScanMaxLength);
  for (int i = 0; i < length_; ++i) {
    bool folded = foldLetters && IsUpperLetter(bytes[i]);
    orMask_[i] = folded ? 0x20 : 0;
    target_[i] = uint8_t(bytes[i] | orMask_[i]);
  }
  // A folded letter accepts two bytes: its frequency counts twice.
  auto weight = [&](int i) { return Frequency(target_[i]) * (orMask_[i] ? 2 : 1); };
  probe1_ = probe2_ = 0;
  for (int i = 1; i < length_; ++i) {
    if (weight(i) < weight(probe1_)) probe1_ = i;
  }
  probe2_ = probe1_;
  for (int i = 0; i < length_; ++i) {
    if (i == probe1_ || target_[i] == target_[probe1_]) continue;
    if (probe2_ == probe1_ || weight(i) < weight(probe2_)) probe2_ = i;
  }
  if (probe2_ == probe1_) {  // every byte alike: any other offset still narrows the search
    for (int i = 0; i < length_ && probe2_ == probe1_; ++i) {
      if (i != probe1_) probe2_ = i;
    }
  }
  path_ = FastestVectorPath();
}

int64_t LiteralScan::Commonness() const {
  if (length_ == 0) return 0;
  auto weight = [&](int i) { return int64_t(Frequency(target_[i])) * (orMask_[i] ? 2 : 1); };
  return probe1_ == probe2_ ? weight(probe1_) * 1000 : weight(probe1_) * weight(probe2_);
}

bool LiteralScan::MatchesAt(const char* x) const {
  const auto* p = reinterpret_cast<const uint8_t*>(x);
  for (int i = 0; i < length_; ++i) {
    if ((p[i] | orMask_[i]) != target_[i]) return false;
  }
  return true;
}

// Each path compares the probes of as many positions at once as it can and leaves the rest to the
// next narrower one: AVX2 (64 positions a step, then 32), SSE2 (16), one at a time.
const char* LiteralScan::FindPortable(const char* x, const char* last) const {
  const uint8_t want = target_[probe1_];
  const uint8_t mask = orMask_[probe1_];
  for (; x <= last; ++x) {
    if ((uint8_t(x[probe1_]) | mask) == want && MatchesAt(x)) return x;
  }
  return nullptr;
}

#ifdef __SSE2__
const char* LiteralScan::FindSse2(const char* x, const char* last) const {
  // Loads at x + probe .. x + probe + 15 stay below end while x + 15 <= last.
  const __m128i want1 = _mm_set1_epi8(char(target_[probe1_]));
  const __m128i mask1 = _mm_set1_epi8(char(orMask_[probe1_]));
  const __m128i want2 = _mm_set1_epi8(char(target_[probe2_]));
  const __m128i mask2 = _mm_set1_epi8(char(orMask_[probe2_]));
  while (last - x >= 15) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + probe1_));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + probe2_));
    __m128i hits = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, mask1), want1),
                                 _mm_cmpeq_epi8(_mm_or_si128(b, mask2), want2));
    if (const char* at = FirstMatch(x, unsigned(_mm_movemask_epi8(hits)))) return at;
    x += 16;
  }
  return FindPortable(x, last);
}
#else
const char* LiteralScan::FindSse2(const char* x, const char* last) const { return FindPortable(x, last); }
#endif

#if SEARCH_VECTOR_AVX2
namespace {

struct ProbesAvx2 {
  __m256i want1, mask1, want2, mask2;
};

SEARCH_TARGET_AVX2 inline ProbesAvx2 ProbesOf(const uint8_t* target, const uint8_t* orMask, int probe1, int probe2) {
  return {_mm256_set1_epi8(char(target[probe1])), _mm256_set1_epi8(char(orMask[probe1])),
          _mm256_set1_epi8(char(target[probe2])), _mm256_set1_epi8(char(orMask[probe2]))};
}

// Lanes of the 32 positions from x whose two probe bytes match; without `kFolded` the probes
// are no folded letters (their masks are zero and need not be applied).
template <bool kFolded = true>
SEARCH_TARGET_AVX2 inline __m256i PassingAvx2(const char* x, int probe1, int probe2, const ProbesAvx2& p) {
  __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + probe1));
  __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + probe2));
  if constexpr (kFolded) {
    a = _mm256_or_si256(a, p.mask1);
    b = _mm256_or_si256(b, p.mask2);
  }
  return _mm256_and_si256(_mm256_cmpeq_epi8(a, p.want1), _mm256_cmpeq_epi8(b, p.want2));
}

// One bit per position of two 32-position passing vectors, the first in the low half.
SEARCH_TARGET_AVX2 inline uint64_t PassingBits(__m256i low, __m256i high) {
  return uint32_t(_mm256_movemask_epi8(low)) | uint64_t(uint32_t(_mm256_movemask_epi8(high))) << 32;
}

// The bits of a 32-byte vector's lanes that hold `byte`.
SEARCH_TARGET_AVX2 inline uint64_t LanesHolding(__m256i lanes, __m256i byte) {
  return uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(lanes, byte)));
}

// Which of the 64 bytes at x are line feeds and which CRs.
SEARCH_TARGET_AVX2 inline LineMasks LineMasksAvx2(const char* x) {
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + 32));
  const __m256i lineFeed = _mm256_set1_epi8('\n');
  const __m256i carriageReturn = _mm256_set1_epi8('\r');
  return {LanesHolding(low, lineFeed) | LanesHolding(high, lineFeed) << 32,
          LanesHolding(low, carriageReturn) | LanesHolding(high, carriageReturn) << 32};
}

// The byte after the first line feed from bit `from` of the block at x (`masks` are its), or
// else in the block after it where that lies at or before `last`, when no CR stands between;
// else null.
SEARCH_TARGET_AVX2 const char* LineEndAvx2(const char* x, LineMasks masks, int from, const char* last) {
  for (int block = 0; block < 2; ++block) {
    const uint64_t feeds = masks.lineFeeds >> from << from;
    const uint64_t returns = masks.carriageReturns >> from << from;
    if (feeds != 0) {
      const int feed = __builtin_ctzll(feeds);
      return (returns & ((uint64_t(1) << feed) - 1)) == 0 ? x + feed + 1 : nullptr;
    }
    if (returns != 0 || last - (x + kLineMaskBlock) < kLineMaskBlock - 1) return nullptr;
    x += kLineMaskBlock;
    masks = LineMasksAvx2(x);
    from = 0;
  }
  return nullptr;
}

// Counts the line feeds of the first `counted` bytes of the block at x (1 to 64; `masks` are the
// block's) into `tally`; false, with nothing counted, when a CR stands among them or the line
// they end (or go on with) is longer than `longestLine`.
SEARCH_TARGET_AVX2 inline bool CountBlockFeeds(FeedCountedFind& tally, const char* x, const LineMasks& masks,
                                               int counted, int64_t longestLine) {
  const uint64_t countedBits = counted == kLineMaskBlock ? ~uint64_t(0) : (uint64_t(1) << counted) - 1;
  if (masks.carriageReturns & countedBits) return false;
  const uint64_t feeds = masks.lineFeeds & countedBits;
  // Without a feed in the counted bytes the line so far is measured to their end (a long one
  // stops the count a little early); the line start moves only with one.
  const char* lineEnd = x + __builtin_ctzll(feeds | uint64_t(1) << (counted - 1));
  if (lineEnd - tally.lineStart > longestLine) return false;
  tally.feeds += __builtin_popcountll(feeds);
  const char* afterLastFeed = x + kLineMaskBlock - __builtin_clzll(feeds | 1);
  tally.lineStart = feeds != 0 ? afterLastFeed : tally.lineStart;
  return true;
}

}  // namespace

SEARCH_TARGET_AVX2 FeedCountedFind LiteralScan::FindCountingFeedsAvx2(const char* x, const char* last,
                                                                      int64_t longestLine) const {
  const bool folded = orMask_[probe1_] != 0 || orMask_[probe2_] != 0;
  return folded ? CountFeedsToMatchAvx2<true>(x, last, longestLine) : CountFeedsToMatchAvx2<false>(x, last, longestLine);
}

// Per block of 64 positions: the first match in it (if any) bounds the bytes whose line feeds
// are counted; a CR among them, or a line before the block's first feed longer than allowed,
// ends the count before the block.  Most blocks hold neither a candidate nor a CR: one test
// of both lets them pass.
template <bool kFolded>
SEARCH_TARGET_AVX2 FeedCountedFind LiteralScan::CountFeedsToMatchAvx2(const char* x, const char* last,
                                                                     int64_t longestLine) const {
  const ProbesAvx2 probes = ProbesOf(target_, orMask_, probe1_, probe2_);
  const __m256i lineFeed = _mm256_set1_epi8('\n');
  const __m256i carriageReturn = _mm256_set1_epi8('\r');
  FeedCountedFind tally{nullptr, x, 0, nullptr};
  // The block's positions and its bytes stay below end while x + 63 <= last.
  for (; last - x >= kLineMaskBlock - 1; x += kLineMaskBlock) {
    const __m256i low = PassingAvx2<kFolded>(x, probe1_, probe2_, probes);
    const __m256i high = PassingAvx2<kFolded>(x + 32, probe1_, probe2_, probes);
    const __m256i either = _mm256_or_si256(low, high);
    const __m256i bytesLow = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x));
    const __m256i bytesHigh = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + 32));
    const uint64_t feeds = LanesHolding(bytesLow, lineFeed) | LanesHolding(bytesHigh, lineFeed) << 32;
    // (Where the whole block is counted a CR anywhere in it stops the count: no mask is needed.)
    const __m256i returns = _mm256_or_si256(_mm256_cmpeq_epi8(bytesLow, carriageReturn),
                                            _mm256_cmpeq_epi8(bytesHigh, carriageReturn));
    const __m256i stops = _mm256_or_si256(either, returns);
    if (!_mm256_testz_si256(stops, stops)) {
      if (const char* at = _mm256_testz_si256(either, either) ? nullptr : FirstMatch(x, PassingBits(low, high))) {
        const LineMasks masks = LineMasksAvx2(x);
        // (A match at the block's first byte leaves nothing of it to count.)
        if (at > x && !CountBlockFeeds(tally, x, masks, int(at - x), longestLine)) return tally;
        tally.found = at;
        tally.lineEnd = LineEndAvx2(x, masks, int(at - x), last);
        return tally;
      }
      if (!_mm256_testz_si256(returns, returns)) return tally;
    }
    if (!CountBlockFeeds(tally, x, LineMasks{feeds, 0}, kLineMaskBlock, longestLine)) return tally;
  }
  return tally;
}

SEARCH_TARGET_AVX2 const char* LiteralScan::FindAvx2(const char* x, const char* last) const {
  const ProbesAvx2 probes = ProbesOf(target_, orMask_, probe1_, probe2_);
  // Loads at x + probe .. x + probe + 63 stay below end while x + 63 <= last.
  while (last - x >= 63) {
    __m256i low = PassingAvx2(x, probe1_, probe2_, probes);
    __m256i high = PassingAvx2(x + 32, probe1_, probe2_, probes);
    __m256i either = _mm256_or_si256(low, high);
    if (!_mm256_testz_si256(either, either)) {
      if (const char* at = FirstMatch(x, PassingBits(low, high))) return at;
    }
    x += 64;
  }
  if (last - x >= 31) {
    if (const char* at = FirstMatch(x, uint32_t(_mm256_movemask_epi8(PassingAvx2(x, probe1_, probe2_, probes))))) {
      return at;
    }
    x += 32;
  }
  return FindSse2(x, last);
}
#else
const char* LiteralScan::FindAvx2(const char* x, const char* last) const { return FindSse2(x, last); }
FeedCountedFind LiteralScan::FindCountingFeedsAvx2(const char* x, const char*, int64_t) const { return {nullptr, x, 0, nullptr}; }
#endif

const char* LiteralScan::FirstMatch(const char* x, uint64_t passing) const {
  for (; passing != 0; passing &= passing - 1) {
    const char* at = x + __builtin_ctzll(passing);
    if (MatchesAt(at)) return at;
  }
  return nullptr;
}

bool LiteralScan::UsePath(VectorPath path) {
  if (!VectorPathAvailable(path)) return false;
  path_ = path;
  return true;
}

const char* LiteralScan::Find(const char* from, const char* end) const {
  if (length_ == 0 || end - from < length_) return nullptr;
  const char* last = end - length_;  // the last position the string fits at
  switch (path_) {
    case VectorPath::kAvx2:  // (a range shorter than its step goes to the next narrower path)
      return last - from >= 63 ? FindAvx2(from, last) : FindSse2(from, last);
    case VectorPath::kSse2:
      return FindSse2(from, last);
    case VectorPath::kPortable:
      break;
  }
  return FindPortable(from, last);
}

FeedCountedFind LiteralScan::FindCountingFeeds(const char* from, const char* end, int64_t longestLine) const {
  const bool counts = path_ == VectorPath::kAvx2 && length_ > 0 && longestLine >= kLineMaskBlock && end - from >= length_;
  return counts ? FindCountingFeedsAvx2(from, end - length_, longestLine) : FeedCountedFind{nullptr, from, 0, nullptr};
}
