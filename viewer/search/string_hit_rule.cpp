// StringHitRule (see the header).
#include "viewer/search/string_hit_rule.h"

#include <cstring>

#include "text/sjis.h"
#include "viewer/search/string_match.h"

void StringHitRule::Prepare(const char* pattern, bool foldCase) {
  int length = int(strnlen(pattern, kSearchPatternSize - 1));
  if (prepared_ && fold_ == foldCase && length == length_ && std::memcmp(source_, pattern, size_t(length)) == 0) return;
  std::memcpy(source_, pattern, size_t(length));
  std::memcpy(pattern_, pattern, size_t(length));
  if (foldCase) UpperCaseSjis(reinterpret_cast<char*>(pattern_), length);
  length_ = length;
  fold_ = foldCase;
  scan_.Build(pattern_, length, foldCase);
  prepared_ = true;
}

Candidate StringHitRule::Judge(const char* rowText, int rowLength, int position) const {
  if (position + length_ > rowLength) return Candidate::kPastRowText;
  return AcceptedAt(rowText, position) ? Candidate::kHit : Candidate::kNotHere;
}

bool StringHitRule::AcceptedAt(const char* rowText, int position) const {
  const auto* bytes = reinterpret_cast<const uint8_t*>(rowText);
  int leads = 0;
  for (int q = position - 1; q >= 0 && IsSjisLead(bytes[q]); --q) ++leads;
  bool second = leads % 2 == 1;  // position is the second byte of a double-byte character
  if (second && IsSjisTrail(bytes[position])) return false;
  if (!fold_) return true;  // the scan compared every byte exactly
  for (int i = 0; i < length_; ++i) {
    uint8_t b = bytes[position + i];
    uint8_t folded = (!second && b >= 'a' && b <= 'z') ? uint8_t(b - 0x20) : b;
    if (folded != pattern_[i]) return false;
    second = IsSjisLead(b) && !second;
  }
  return true;
}
