// Formatting of the hexadecimal dump rows.
#include "viewer/document/hex_row.h"

#include <algorithm>
#include <cstdio>

#include "viewer/document/document.h"
#include "text/sjis.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool ShownAsItself(uint8_t byte, uint8_t previous) {
  if (IsSjisLead(byte)) return true;
  if (IsSjisTrail(byte) && IsSjisLead(previous)) return true;
  if (byte >= 0x20 && byte <= 0x7E) return true;
  return byte >= 0xA1 && byte <= 0xDF;  // half-width katakana
}

}  // namespace

int FormatHexRowBytes(uint32_t rowNumber, const uint8_t* bytes, uint32_t available, char* out) {
  int length = std::snprintf(out, 10, "%07lX0:", static_cast<unsigned long>(rowNumber & 0x0FFFFFFF));
  for (uint32_t i = 0; i < kHexRowBytes; ++i) {
    out[length++] = ' ';
    out[length++] = i < available ? kHexDigits[bytes[i] >> 4] : ' ';
    out[length++] = i < available ? kHexDigits[bytes[i] & 15] : ' ';
  }
  out[length++] = ' ';
  out[length++] = ' ';
  uint8_t previous = 0;
  for (uint32_t i = 0; i < kHexRowBytes; ++i) {
    if (i >= available) {
      out[length++] = ' ';
      continue;
    }
    out[length++] = ShownAsItself(bytes[i], previous) ? char(bytes[i]) : '.';
    previous = bytes[i];
  }
  if (available > kHexRowBytes && IsSjisLead(bytes[kHexRowBytes - 1]) && IsSjisTrail(bytes[kHexRowBytes])) {
    out[length++] = char(bytes[kHexRowBytes]);
  }
  out[length] = '\0';
  return length;
}

int FormatHexRow(int32_t n, char* out) {
  Document& doc = TheDocument;
  if (n < 0) n = 0;
  const char* start = RowStart(n);
  int64_t offset = start - doc.Text;
  int64_t loaded = doc.TextEnd - doc.Text;
  uint32_t available = offset < loaded ? uint32_t(std::min<int64_t>(loaded - offset, kHexRowBytes + 1)) : 0;
  return FormatHexRowBytes(uint32_t(n), reinterpret_cast<const uint8_t*>(start), available, out);
}
