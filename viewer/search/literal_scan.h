// LiteralScan: finds the places in a stretch of text where a byte string may stand, 32
// positions at a time where the processor has AVX2, sixteen with SSE2, else one.  Two bytes of
// the string that are rare in Japanese text are compared first; a position that passes is
// checked byte for byte.  With letters folded, an upper-case letter of the string also accepts
// its lower-case form (the caller decides afterwards whether that byte was really folded there).
// The streamed search has the line feeds before a match counted in the same pass (AVX2).
#pragma once

#include <cstdint>

#include "viewer/search/vector_path.h"

constexpr int kLiteralScanMaxLength = 256;

// What FindCountingFeeds saw: the lines it passed are counted, the place found lies after them.
struct FeedCountedFind {
  const char* found;      // the first match from the start, or null: not found before lineStart
  const char* lineStart;  // the start or the byte after a line feed; not after `found`
  int64_t feeds;          // the line feeds before lineStart
  const char* lineEnd;    // the byte after the line feed that ends found's line, when the block
                          // of 64 positions found is in or the next holds it and no CR stands
                          // before it; or null
};

class LiteralScan {
 public:
  // `foldLetters`: the bytes "A"-"Z" of `bytes` match "a"-"z" as well.
  void Build(const uint8_t* bytes, int length, bool foldLetters);

  int Length() const { return length_; }
  // The first position x in [from, end - Length()] whose bytes match, or nullptr.  Reads no
  // byte outside [from, end).  An empty string matches nowhere.
  const char* Find(const char* from, const char* end) const;
  // Find, counting the line feeds it passes, from `from` (a line start) on while the lines it
  // passes hold no CR and none is longer than `longestLine` bytes (at least a block of 64):
  // it stops before the first block where that fails (or where the line it is in has run on
  // that long), and where it finds a match.  Counts whole
  // blocks of 64 positions only, and only on the AVX2 path (elsewhere it counts nothing); the
  // caller goes on from lineStart.
  FeedCountedFind FindCountingFeeds(const char* from, const char* end, int64_t longestLine) const;
  // Whether the bytes at x (at least Length() of them) match.
  bool MatchesAt(const char* x) const;

  // How common byte b is in Japanese Shift-JIS text, in rough parts per thousand.
  static int Frequency(uint8_t b);
  // Makes Find compare by `path` when it is available (else false, and nothing changes); Build
  // chooses the fastest.
  bool UsePath(VectorPath path);
  // The chance that a random position passes the two-byte check (smaller is rarer).
  int64_t Commonness() const;

 private:
  const char* FindPortable(const char* x, const char* last) const;
  const char* FindSse2(const char* x, const char* last) const;
  const char* FindAvx2(const char* x, const char* last) const;
  FeedCountedFind FindCountingFeedsAvx2(const char* x, const char* last, int64_t longestLine) const;
#if SEARCH_VECTOR_AVX2
  template <bool kFolded>
  SEARCH_TARGET_AVX2 FeedCountedFind CountFeedsToMatchAvx2(const char* x, const char* last, int64_t longestLine) const;
#endif
  // The first of the positions x + i, for the bits i set in `passing`, whose bytes match.
  const char* FirstMatch(const char* x, uint64_t passing) const;

  uint8_t target_[kLiteralScanMaxLength] = {};
  uint8_t orMask_[kLiteralScanMaxLength] = {};  // 0x20 where a letter is folded, else 0
  int length_ = 0;
  int probe1_ = 0;  // the rarest byte's offset
  int probe2_ = 0;  // the second rarest's (the same as probe1_ for a single byte)
  VectorPath path_ = VectorPath::kPortable;
};
