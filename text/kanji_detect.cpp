// Detection of UTF-8, UTF-16, EUC and JIS text, and the binary test over the converted sample.
#include <cstring>

#include "text/kanji_code.h"
#include "text/sjis.h"

namespace {
constexpr uint8_t kEsc = 0x1B;
}

int IsEucText(const char* sample) {
  bool leadPending = false;
  bool sawPair = false;
  for (auto* p = reinterpret_cast<const uint8_t*>(sample); *p; ++p) {
    if (leadPending) {
      if (!IsEucTrail(*p)) return 0;
      leadPending = false;
      sawPair = true;
    } else if (IsEucLead(*p)) {
      leadPending = true;
    } else if (!IsTextByte(*p)) {
      return 0;
    }
  }
  return sawPair ? 1 : 0;
}

int IsJisText(const char* sample) {
  auto* p = reinterpret_cast<const uint8_t*>(sample);
  bool inKanji = false;
  bool sawPair = false;
  while (p[0] && p[1] && p[2]) {
    if (p[0] == kEsc) {
      JisEscape escape = ReadJisEscape(p);
      // A malformed escape is shown as replacement text where it stands; it decides nothing.
      if (escape.kind == JisEscapeKind::kMalformed) {
        p += escape.length;
        continue;
      }
      // Any other escape must switch: into kanji from outside, out of kanji from inside.
      JisEscapeKind expected = inKanji ? JisEscapeKind::kKanjiOut : JisEscapeKind::kKanjiIn;
      if (escape.kind != expected) return 0;
      inKanji = !inKanji;
      p += escape.length;
    } else if (!inKanji) {
      if (p[0] < 0x20 && !IsTextByte(p[0])) return 0;
      p += 1;
    } else {
      if (!IsJisByte(p[0]) || !IsJisByte(p[1])) return 0;
      sawPair = true;
      p += 2;
    }
  }
  return sawPair ? 1 : 0;
}

namespace {

bool HasUtf8Mark(const uint8_t* s, uint32_t length) {
  return length >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF;
}

bool HasUtf16Mark(const uint8_t* s, uint32_t length) {
  return length >= 2 && ((s[0] == 0xFF && s[1] == 0xFE) || (s[0] == 0xFE && s[1] == 0xFF));
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool LooksLikeUtf16(const uint8_t* s, uint32_t length, bool bigEndian) {
  uint32_t units = length / 2;
  uint32_t zeroHigh = 0;
  for (uint32_t i = 0; i < units; ++i) {
    const uint8_t* p = s + 2 * i;
    uint32_t unit = bigEndian ? uint32_t(p[0]) << 8 | p[1] : uint32_t(p[1]) << 8 | p[0];
    if (unit < 0x100) {
      if (!IsTextByte(uint8_t(unit))) return false;
      ++zeroHigh;
    } else if (IsHighSurrogate(unit)) {
      if (i + 1 == units) break;  // the pair is cut by the sample's end
      const uint8_t* q = p + 2;
      uint32_t next = bigEndian ? uint32_t(q[0]) << 8 | q[1] : uint32_t(q[1]) << 8 | q[0];
      if (!IsLowSurrogate(next)) return false;
      ++i;
    } else if (IsLowSurrogate(unit)) {
      return false;
    }
  }
  return zeroHigh >= 2 && zeroHigh * 2 >= units;
}

}  // namespace

int IsUtf8Text(const char* sample, uint32_t length) {
  auto* p = reinterpret_cast<const uint8_t*>(sample);
  const uint8_t* end = p + length;
  bool sawMultiByte = false;
  while (p < end && *p) {
    if (*p < 0x80) {
      ++p;
      continue;
    }
    uint32_t codePoint = 0;
    int used = DecodeUtf8(p, end, codePoint);
    if (used == 0) break;  // a character cut by the sample's end
    if (codePoint == kInvalidUnicode) return 0;
    sawMultiByte = true;
    p += used;
  }
  return sawMultiByte ? 1 : 0;
}

int IsUtf16Text(const char* sample, uint32_t length) {
  auto* s = reinterpret_cast<const uint8_t*>(sample);
  return LooksLikeUtf16(s, length, false) || LooksLikeUtf16(s, length, true) ? 1 : 0;
}

bool Utf16SampleIsBigEndian(const char* sample, uint32_t length) {
  auto* s = reinterpret_cast<const uint8_t*>(sample);
  if (HasUtf16Mark(s, length)) return s[0] == 0xFE;
  uint32_t evenZeros = 0, oddZeros = 0;
  for (uint32_t i = 0; i + 1 < length; i += 2) {
    evenZeros += s[i] == 0;
    oddZeros += s[i + 1] == 0;
  }
  return evenZeros > oddZeros;
}

int DetectKanjiCode(const char* sample, uint32_t length) {
  auto* s = reinterpret_cast<const uint8_t*>(sample);
  if (HasUtf8Mark(s, length)) return kUtf8;
  if (HasUtf16Mark(s, length)) return kUtf16;
  if (IsUtf8Text(sample, length)) return kUtf8;
  if (IsUtf16Text(sample, length)) return kUtf16;
  if (IsEucText(sample)) return kEuc;
  if (IsJisText(sample)) return kJis;
  return kShiftJis;
}

int DetectKanjiCode(const char* sample) { return DetectKanjiCode(sample, uint32_t(std::strlen(sample))); }

const char* DetectionMessage(int code) {
  switch (code) {
    case kEuc: return "EUCコードを検出しました";
    case kJis: return "JISコードを検出しました";
    case kUtf8: return "UTF-8コードを検出しました";
    case kUtf16: return "UTF-16コードを検出しました";
    default: return nullptr;
  }
}
