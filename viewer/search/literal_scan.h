// LiteralScan: finds the places in a stretch of text where a byte string may stand, sixteen
// positions at a time where SSE2 is there.  Two bytes of the string that are rare in Japanese
// text are compared first; a position that passes is checked byte for byte.  With letters
// folded, an upper-case letter of the string also accepts its lower-case form (the caller
// decides afterwards whether that byte was really folded there).
#pragma once

#include <cstdint>

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
  // The chance that a random position passes the two-byte check (smaller is rarer).
  int64_t Commonness() const;

 private:
  const char* FindScalar(const char* x, const char* last) const;

  uint8_t target_[kLiteralScanMaxLength] = {};
  uint8_t orMask_[kLiteralScanMaxLength] = {};  // 0x20 where a letter is folded, else 0
  int length_ = 0;
  int probe1_ = 0;  // the rarest byte's offset
  int probe2_ = 0;  // the second rarest's (the same as probe1_ for a single byte)
};
