// CountFeedRun (see the header): one loop per vector path around a shared rule for whether a
// block joins the run.
#include "viewer/search/feed_run.h"

#include "viewer/search/line_masks.h"

#if SEARCH_VECTOR_AVX2
#include <immintrin.h>
#endif

namespace {

// Whether the block at run.end joins the run, given whether it holds a line feed (it holds no
// CR): the line it begins with must not reach the wrap column within it.  When it joins, the
// run moves past it.
inline bool JoinsRun(FeedRun& run, bool holdsFeed, const FeedRunWidths& widths) {
  const int64_t blockWidth = kLineMaskBlock * widths.widest;
  const int64_t lineBound = (kLineMaskBlock - 1) * widths.widest;  // before a block's first feed
  if (!holdsFeed) {
    if (run.widthBound + blockWidth > widths.wrap) return false;
    run.widthBound += blockWidth;
  } else {
    if (run.widthBound + lineBound > widths.wrap) return false;
    run.lastFeedBlock = run.end;
    run.widthBound = lineBound;
  }
  run.end += kLineMaskBlock;
  return true;
}

// Blocks whose line feeds one byte lane can sum, when a block adds up to `perBlock` to a lane.
constexpr int BlocksPerSum(int perBlock) { return 255 / perBlock; }

// Whether another whole block, and the byte after it, lies before the target.
inline bool BlockBefore(const FeedRun& run, const char* target) { return target - run.end > kLineMaskBlock; }

FeedRun CountPortable(FeedRun run, const char* target, const FeedRunWidths& widths) {
  while (BlockBefore(run, target)) {
    LineMasks masks = LineMasksPortable(run.end);
    if (masks.carriageReturns != 0 || !JoinsRun(run, masks.lineFeeds != 0, widths)) break;
    run.feeds += BitCount(masks.lineFeeds);
  }
  return run;
}

#ifdef __SSE2__
// The sum of the sixteen bytes of `bytes`.
inline int64_t SumBytes(__m128i bytes) {
  __m128i total = _mm_sad_epu8(bytes, _mm_setzero_si128());
  return _mm_cvtsi128_si32(total) + _mm_cvtsi128_si32(_mm_srli_si128(total, 8));
}

FeedRun CountSse2(FeedRun run, const char* target, const FeedRunWidths& widths) {
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriageReturn = _mm_set1_epi8('\r');
  __m128i sums = _mm_setzero_si128();  // line feeds per lane, as negative bytes
  int blocks = 0;
  while (BlockBefore(run, target)) {
    const __m128i* lanes = reinterpret_cast<const __m128i*>(run.end);
    __m128i x0 = _mm_loadu_si128(lanes), x1 = _mm_loadu_si128(lanes + 1);
    __m128i x2 = _mm_loadu_si128(lanes + 2), x3 = _mm_loadu_si128(lanes + 3);
    __m128i crs = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x0, carriageReturn), _mm_cmpeq_epi8(x1, carriageReturn)),
                               _mm_or_si128(_mm_cmpeq_epi8(x2, carriageReturn), _mm_cmpeq_epi8(x3, carriageReturn)));
    if (_mm_movemask_epi8(crs)) break;
    __m128i f0 = _mm_cmpeq_epi8(x0, lineFeed), f1 = _mm_cmpeq_epi8(x1, lineFeed);
    __m128i f2 = _mm_cmpeq_epi8(x2, lineFeed), f3 = _mm_cmpeq_epi8(x3, lineFeed);
    bool holdsFeed = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(f0, f1), _mm_or_si128(f2, f3))) != 0;
    if (!JoinsRun(run, holdsFeed, widths)) break;
    if (!holdsFeed) continue;
    sums = _mm_add_epi8(sums, _mm_add_epi8(_mm_add_epi8(f0, f1), _mm_add_epi8(f2, f3)));  // a feed is -1
    if (++blocks == BlocksPerSum(4)) {
      run.feeds += SumBytes(_mm_sub_epi8(_mm_setzero_si128(), sums));
      sums = _mm_setzero_si128();
      blocks = 0;
    }
  }
  run.feeds += SumBytes(_mm_sub_epi8(_mm_setzero_si128(), sums));
  return run;
}
#else
FeedRun CountSse2(FeedRun run, const char* target, const FeedRunWidths& widths) {
  return CountPortable(run, target, widths);
}
#endif

#if SEARCH_VECTOR_AVX2
// The sum of the 32 bytes of `bytes`.
SEARCH_TARGET_AVX2 inline int64_t SumBytes(__m256i bytes) {
  __m256i total = _mm256_sad_epu8(bytes, _mm256_setzero_si256());
  __m128i half = _mm_add_epi64(_mm256_castsi256_si128(total), _mm256_extracti128_si256(total, 1));
  return _mm_cvtsi128_si32(half) + _mm_cvtsi128_si32(_mm_srli_si128(half, 8));
}

SEARCH_TARGET_AVX2 FeedRun CountAvx2(FeedRun run, const char* target, const FeedRunWidths& widths) {
  const __m256i lineFeed = _mm256_set1_epi8('\n');
  const __m256i carriageReturn = _mm256_set1_epi8('\r');
  __m256i sums = _mm256_setzero_si256();  // line feeds per lane
  int blocks = 0;
  while (BlockBefore(run, target)) {
    const __m256i* lanes = reinterpret_cast<const __m256i*>(run.end);
    __m256i x0 = _mm256_loadu_si256(lanes), x1 = _mm256_loadu_si256(lanes + 1);
    __m256i crs = _mm256_or_si256(_mm256_cmpeq_epi8(x0, carriageReturn), _mm256_cmpeq_epi8(x1, carriageReturn));
    if (!_mm256_testz_si256(crs, crs)) break;
    __m256i f0 = _mm256_cmpeq_epi8(x0, lineFeed), f1 = _mm256_cmpeq_epi8(x1, lineFeed);
    __m256i feeds = _mm256_or_si256(f0, f1);
    bool holdsFeed = !_mm256_testz_si256(feeds, feeds);
    if (!JoinsRun(run, holdsFeed, widths)) break;
    if (!holdsFeed) continue;
    sums = _mm256_sub_epi8(sums, _mm256_add_epi8(f0, f1));  // a line feed compares as -1
    if (++blocks == BlocksPerSum(2)) {
      run.feeds += SumBytes(sums);
      sums = _mm256_setzero_si256();
      blocks = 0;
    }
  }
  run.feeds += SumBytes(sums);
  return run;
}
#else
FeedRun CountAvx2(FeedRun run, const char* target, const FeedRunWidths& widths) { return CountSse2(run, target, widths); }
#endif

}  // namespace

FeedRun CountFeedRun(const char* p, const char* target, int64_t widthBound, FeedRunWidths widths, VectorPath path) {
  if (!VectorPathAvailable(path)) path = VectorPath::kPortable;
  const FeedRun start{p, nullptr, 0, widthBound};
  switch (path) {
    case VectorPath::kAvx2:
      return CountAvx2(start, target, widths);
    case VectorPath::kSse2:
      return CountSse2(start, target, widths);
    case VectorPath::kPortable:
      break;
  }
  return CountPortable(start, target, widths);
}
