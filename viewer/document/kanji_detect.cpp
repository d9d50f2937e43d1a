// Detection of EUC and JIS text, and the binary test over the converted sample.
#include "viewer/document/document.h"
#include "viewer/document/kanji_code.h"
#include "viewer/document/sjis.h"

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
    if (!inKanji) {
      if (p[0] == kEsc && p[1] == '$' && (p[2] == 0x40 || p[2] == 'B')) {
        inKanji = true, p += 3;
      } else if (p[0] == kEsc && p[1] == 'K') {
        inKanji = true, p += 2;
      } else if (p[0] < 0x20 && !IsTextByte(p[0])) {
        return 0;
      } else {
        p += 1;
      }
    } else if (p[0] == kEsc) {
      if (p[1] == '(' && (p[2] == 'H' || p[2] == 'J' || p[2] == 'B')) {
        inKanji = false, p += 3;
      } else if (p[1] == 'H') {
        inKanji = false, p += 2;
      } else {
        return 0;
      }
    } else {
      if (!IsJisByte(p[0]) || !IsJisByte(p[1])) return 0;
      sawPair = true;
      p += 2;
    }
  }
  return sawPair ? 1 : 0;
}

int DetectKanjiCode(const char* sample) {
  if (IsEucText(sample)) return kEuc;
  if (IsJisText(sample)) return kJis;
  return kShiftJis;
}

int LooksBinary(char* sample, uint32_t length) {
  TheDocument.DisplayMode = 0;
  ResetConverter();
  uint32_t converted = ConvertChunk(sample, length);
  ResetConverter();
  auto* bytes = reinterpret_cast<const uint8_t*>(sample);
  uint32_t controls = 0;
  for (uint32_t i = 0; i < converted; ++i) {
    if (IsSjisLead(bytes[i]) && i + 1 < converted && IsSjisTrail(bytes[i + 1])) {
      ++i;
    } else if (bytes[i] < 0x20 && !IsTextByte(bytes[i])) {
      ++controls;
    }
  }
  return controls > converted * 10 / 100 ? 1 : 0;
}
