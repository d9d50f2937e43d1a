// UTF-8 command-line text to CP932 with the viewer's Unicode table.
#include <cstdint>

#include "utilities/zvcat/zvcat_pattern.h"
#include "text/kanji_code.h"
#include "text/kanji_unicode_table.h"

Utf8Conversion Utf8ToCp932(const std::string& utf8, std::string& cp932) {
  std::string out;
  auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
  const uint8_t* end = p + utf8.size();
  while (p < end) {
    uint32_t codePoint = 0;
    int used = DecodeUtf8(p, end, codePoint);
    if (used == 0 || codePoint == kInvalidUnicode) return Utf8Conversion::kNotUtf8;
    uint16_t code = UnicodeToCp932(codePoint);
    if (code == 0 && codePoint != 0) return Utf8Conversion::kNotInCp932;
    if (code >= 0x100) out += char(code >> 8);
    out += char(code & 0xFF);
    p += used;
  }
  cp932 = out;
  return Utf8Conversion::kConverted;
}
