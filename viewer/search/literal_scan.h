// LiteralScan: finds the places in a stretch of text where a byte string may stand, 32
// positions at a time where the processor has AVX2, sixteen with SSE2, else one.  Two bytes of
// the string that are rare in Japanese text are compared first; a position that passes is
// checked byte for byte.  With letters folded, an upper-case letter of the string also accepts
// its lower-case form (the caller decides afterwards whether that byte was really folded there).
#pragma once

#include <cstdint>

#include "viewer/search/vector_path.h"

constexpr int kLiteralScanMaxLength = 256;

class LiteralScan {
 public:
  // `foldLetters`: the bytes "A"-"Z" of `bytes` match "a"-"z" as well.
  void Build(const uint8_t* bytes, int length, bool foldLetters);

  int Length() const { return length_; }
  // The first position x in [from, end - Length()] whose bytes match, or nullptr.  Reads no
  // byte outside [from, end).  An empty string matches nowhere.
  const char* Find(const char* from, const char* end) const;
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
  // The first of the positions x + i, for the bits i set in `passing`, whose bytes match.
  const char* FirstMatch(const char* x, uint64_t passing) const;

  uint8_t target_[kLiteralScanMaxLength] = {};
  uint8_t orMask_[kLiteralScanMaxLength] = {};  // 0x20 where a letter is folded, else 0
  int length_ = 0;
  int probe1_ = 0;  // the rarest byte's offset
  int probe2_ = 0;  // the second rarest's (the same as probe1_ for a single byte)
  VectorPath path_ = VectorPath::kPortable;
};
