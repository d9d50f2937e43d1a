// The row rules of the table-of-contents, ".INI" and log analyses.
#include "viewer/search/analysis_rules.h"

#include <cstdint>
#include <cstring>
#include <iterator>

#include "text/sjis.h"

namespace {

constexpr uint16_t kFullWidthSpace = 0x8140;
// （ 〔 ［ 〈 《 【
constexpr uint16_t kFullWidthOpeningBrackets[] = {0x8169, 0x816B, 0x816D, 0x8171, 0x8173, 0x8179};
constexpr uint16_t kFullWidthDigitZero = 0x824F, kFullWidthDigitNine = 0x8258;
constexpr uint16_t kFirstEntrySymbol = 0x8198, kLastEntrySymbol = 0x81A5;  // § ... ▼

// The double-byte code that starts at p, or 0 when p does not start a double-byte character.
uint16_t DoubleByteAt(const char* p) {
  uint8_t lead = uint8_t(p[0]);
  if (!IsSjisLead(lead) || p[1] == '\0') return 0;
  return uint16_t(lead << 8 | uint8_t(p[1]));
}

bool SkipBlanks(const char*& p) {
  const char* start = p;
  for (;;) {
    if (*p == ' ' || *p == '\t') ++p;
    else if (DoubleByteAt(p) == kFullWidthSpace) p += 2;
    else break;
  }
  return p != start;
}

bool IsFullWidthOpeningBracket(uint16_t code) {
  for (uint16_t bracket : kFullWidthOpeningBrackets) {
    if (code == bracket) return true;
  }
  return false;
}

// Passes over opening brackets: each full-width one may follow one ASCII "(", "[" or "|".
// Counts as a skip only when a full-width bracket was passed.
bool SkipBrackets(const char*& p) {
  bool skipped = false;
  while (*p) {
    if (*p == '(' || *p == '[' || *p == '|') ++p;
    if (!IsFullWidthOpeningBracket(DoubleByteAt(p))) break;
    p += 2;
    skipped = true;
  }
  return skipped;
}

bool StartsEntry(const char* p) {
  if (*p >= '0' && *p <= '9') return true;
  uint16_t code = DoubleByteAt(p);
  return (code >= kFullWidthDigitZero && code <= kFullWidthDigitNine) ||
         (code >= kFirstEntrySymbol && code <= kLastEntrySymbol);
}

// The header patterns of the supported online-service logs: '*' any character, 'n' a digit,
// 'A' an upper-case letter, anything else itself.
const char* const kLogHeaderPatterns[] = {
    "nnn/nnn   AAAnnnnn  ",
    "nnnnn/nnnnn AAAnnnnn  ",
    "nnn  [nn/nn/nn nn:nn]  AAAnnnnn",
    "*n *******************AAAnnnnn          nn/nn/nn nn:nn",
};

bool MatchesLogPattern(const char* pattern, const char* text, int length) {
  int n = int(std::strlen(pattern));
  if (length < n) return false;
  for (int i = 0; i < n; ++i) {
    char c = text[i];
    switch (pattern[i]) {
      case '*': if (c == '\0') return false; break;
      case 'n': if (c < '0' || c > '9') return false; break;
      case 'A': if (c < 'A' || c > 'Z') return false; break;
      default: if (c != pattern[i]) return false;
    }
  }
  return true;
}

}  // namespace

bool IsIndexEntry(const char* text) {
  const char* p = text;
  for (;;) {
    bool blanks = SkipBlanks(p);
    bool brackets = SkipBrackets(p);
    if (!blanks && !brackets) break;
  }
  return StartsEntry(p);
}

bool IsIniSection(const char* text, int length) {
  if (length < 2 || text[0] != '[') return false;
  int last = 0;
  for (int i = 0; i < length; i += IsSjisLead(uint8_t(text[i])) && i + 1 < length ? 2 : 1) last = i;
  return text[last] == ']';
}

int LogHeaderPattern(const char* text, int length) {
  for (int i = 0; i < int(std::size(kLogHeaderPatterns)); ++i) {
    if (MatchesLogPattern(kLogHeaderPatterns[i], text, length)) return i + 1;
  }
  return 0;
}
