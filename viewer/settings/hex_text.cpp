// Hexadecimal text to bytes.
#include "viewer/settings/hex_text.h"

namespace {

int DigitValue(char c) {
  int code = static_cast<unsigned char>(c);
  return code > 64 ? code - 55 : code - 48;
}

}  // namespace

void HexTextToBytes(const char* text, uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i)
    bytes[i] = uint8_t(DigitValue(text[2 * i]) * 16 + DigitValue(text[2 * i + 1]));
}
