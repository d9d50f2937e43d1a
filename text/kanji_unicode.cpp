// Conversion of UTF-8 and UTF-16 to CP932, in place.  Every character takes at least as many
// bytes in UTF-8 or UTF-16 as in CP932 (a character CP932 lacks becomes the two bytes of "〓",
// a byte that is not UTF-8 or an unpaired surrogate one "?"), so the output never passes the
// input.  A character cut by the chunk's end is held in the converter state and finished at the
// start of the next chunk; the loader leaves room for it (PendingEscapeBytes).  A byte-order mark
// at the start of the text is dropped; in UTF-16 it also sets the byte order.
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/kanji_code.h"
#include "text/kanji_unicode_table.h"

namespace {

constexpr uint32_t kByteOrderMark = 0xFEFF;

// The CP932 bytes of a code point: its code, "〓" when CP932 has none, "?" when it is not a
// character.  Returns the new output pointer.
inline uint8_t* PutCharacter(uint8_t* out, uint32_t codePoint) {
  if (codePoint == kInvalidUnicode) {
    *out++ = '?';
    return out;
  }
  uint16_t code = UnicodeToCp932(codePoint);
  if (code == 0 && codePoint != 0) code = 0x81AC;  // 〓
  if (code < 0x100) {
    *out++ = uint8_t(code);
    return out;
  }
  out[0] = uint8_t(code >> 8);
  out[1] = uint8_t(code);
  return out + 2;
}

uint8_t* PutFirstOrNext(KanjiConverterState& state, uint8_t* out, uint32_t codePoint) {
  if (state.AtTextStart) {
    state.AtTextStart = false;
    if (codePoint == kByteOrderMark) return out;
  }
  return PutCharacter(out, codePoint);
}

inline uint32_t Utf16Unit(const uint8_t* p, bool bigEndian) {
  return bigEndian ? uint32_t(p[0]) << 8 | p[1] : uint32_t(p[1]) << 8 | p[0];
}

// A whole three-byte UTF-8 character from U+1000 up that is not a surrogate (lead 0xE1-0xEC
// or 0xEE-0xEF, two continuation bytes): nearly every character of Japanese text.
inline bool IsPlainThreeByteCharacter(const uint8_t* p, const uint8_t* end) {
  return end - p >= 3 && p[0] >= 0xE1 && p[0] <= 0xEF && p[0] != 0xED && (p[1] & 0xC0) == 0x80 &&
         (p[2] & 0xC0) == 0x80;
}

struct Utf8Decoder {
  static constexpr bool kAsciiRuns = true;
  int operator()(KanjiConverterState&, const uint8_t* p, const uint8_t* end, uint32_t& codePoint) const {
    return DecodeUtf8(p, end, codePoint);
  }
  // Converts a run of such characters and the ASCII between them at once; three bytes in give
  // at most two out, so both output bytes may be written before the length is known.
  static void ConvertRun(uint8_t*& out, const uint8_t*& in, const uint8_t* end) {
    while (in < end) {
      if (*in < 0x80) {
        CopyAscii(out, in, end);
        continue;
      }
      if (!IsPlainThreeByteCharacter(in, end)) return;
      uint32_t codePoint = uint32_t(in[0] & 0x0F) << 12 | uint32_t(in[1] & 0x3F) << 6 | (in[2] & 0x3F);
      uint16_t code = kCp932Pages[kCp932PageIndex[codePoint >> 8]][codePoint & 0xFF];
      if (code == 0) code = 0x81AC;  // 〓
      bool twoBytes = code > 0xFF;
      out[0] = uint8_t(twoBytes ? code >> 8 : code);
      out[1] = uint8_t(code);
      out += 1 + int(twoBytes);
      in += 3;
    }
  }

  // Copies the ASCII at `in` up to the next byte from 0x80: eight bytes at a time where all
  // eight written lie before the input not read yet (the text converts in place, and every
  // converted kanji puts the output one byte further behind), else one byte.
  static void CopyAscii(uint8_t*& out, const uint8_t*& in, const uint8_t* end) {
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    if (in - out < 8 || end - in < 8) {
      *out++ = *in++;
      return;
    }
    uint64_t x;
    std::memcpy(&x, in, 8);
    std::memcpy(out, &x, 8);
    uint64_t high = x & kHighBits;
    int ascii = high ? __builtin_ctzll(high) >> 3 : 8;
    out += ascii;
    in += ascii;
  }
};

struct Utf16Decoder {
  static constexpr bool kAsciiRuns = false;
  static void ConvertRun(uint8_t*&, const uint8_t*&, const uint8_t*) {}
  int operator()(KanjiConverterState& state, const uint8_t* p, const uint8_t* end, uint32_t& codePoint) const {
    if (end - p < 2) return 0;
    if (state.AtTextStart && p[0] == 0xFF && p[1] == 0xFE) state.BigEndian = false;
    if (state.AtTextStart && p[0] == 0xFE && p[1] == 0xFF) state.BigEndian = true;
    uint32_t unit = Utf16Unit(p, state.BigEndian);
    if (unit < 0xD800 || unit > 0xDFFF) {
      codePoint = unit;
      return 2;
    }
    if (unit >= 0xDC00) {  // a low surrogate without its high one
      codePoint = kInvalidUnicode;
      return 2;
    }
    if (end - p < 4) return 0;
    uint32_t low = Utf16Unit(p + 2, state.BigEndian);
    if (low < 0xDC00 || low > 0xDFFF) {
      codePoint = kInvalidUnicode;
      return 2;
    }
    codePoint = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    return 4;
  }
};

// Finishes the character held from the last chunk with the first bytes of this one (and the
// first character of the text, which may be a byte-order mark).  Returns false when the chunk
// ended before the character did (its bytes are then held).
template <typename Decoder>
bool FinishHeld(KanjiConverterState& state, uint8_t*& out, const uint8_t*& in, const uint8_t* end, Decoder decode) {
  while (state.HeldCount > 0 && in < end) {
    uint8_t joined[4];
    uint32_t held = state.HeldCount;
    std::memcpy(joined, state.HeldBytes, held);
    uint32_t taken = uint32_t(end - in) < 4 - held ? uint32_t(end - in) : 4 - held;
    std::memcpy(joined + held, in, taken);
    uint32_t codePoint = 0;
    int used = decode(state, joined, joined + held + taken, codePoint);
    if (used == 0) {  // still unfinished (never 4 bytes: those always decide)
      std::memcpy(state.HeldBytes + held, in, taken);
      state.HeldCount = uint8_t(held + taken);
      in += taken;
      return false;
    }
    out = PutFirstOrNext(state, out, codePoint);
    if (uint32_t(used) >= held) {
      in += uint32_t(used) - held;
      state.HeldCount = 0;
    } else {  // the held bytes after an unpaired surrogate start the next character
      std::memmove(state.HeldBytes, state.HeldBytes + used, held - uint32_t(used));
      state.HeldCount = uint8_t(held - uint32_t(used));
    }
  }
  return state.HeldCount == 0;
}

template <typename Decoder>
uint32_t ConvertUnicode(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length,
                        Decoder decode) {
  uint8_t* out = output;
  const uint8_t* in = input;
  const uint8_t* end = input + length;
  if (!FinishHeld(state, out, in, end, decode)) return uint32_t(out - output);
  uint32_t codePoint = 0;
  if (state.AtTextStart && in < end) {
    int used = decode(state, in, end, codePoint);
    if (used > 0) out = PutFirstOrNext(state, out, codePoint), in += used;
  }
  while (in < end) {
    if (Decoder::kAsciiRuns && *in < 0x80) {
      const uint8_t* high = FindHighByte(in, end);
      if (out != in) std::memmove(out, in, size_t(high - in));
      out += high - in;
      in = high;
      continue;
    }
    Decoder::ConvertRun(out, in, end);
    if (in == end) break;
    int used = decode(state, in, end, codePoint);
    if (used == 0) {  // cut by the chunk's end: held for the next chunk
      state.HeldCount = uint8_t(end - in);
      std::memcpy(state.HeldBytes, in, state.HeldCount);
      break;
    }
    in += used;
    out = PutCharacter(out, codePoint);
  }
  return uint32_t(out - output);
}

}  // namespace

const uint8_t* FindHighByte(const uint8_t* p, const uint8_t* end) {
#ifdef __SSE2__
  while (end - p >= 16) {
    int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    if (high) return p + __builtin_ctz(unsigned(high));
    p += 16;
  }
#endif
  while (end - p >= 8) {
    uint64_t x;
    std::memcpy(&x, p, 8);
    if (x & 0x8080808080808080ull) break;
    p += 8;
  }
  while (p < end && *p < 0x80) ++p;
  return p;
}

int DecodeUtf8(const uint8_t* p, const uint8_t* end, uint32_t& codePoint) {
  uint8_t lead = p[0];
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  int length;
  uint32_t value;
  uint8_t low = 0x80, high = 0xBF;  // the range of the byte after the lead
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    codePoint = kInvalidUnicode;
    return 1;
  }
  for (int i = 1; i < length; ++i) {
    if (p + i == end) return 0;
    uint8_t next = p[i];
    if (next < low || next > high) {
      codePoint = kInvalidUnicode;
      return i;
    }
    low = 0x80, high = 0xBF;
    value = value << 6 | (next & 0x3F);
  }
  codePoint = value;
  return length;
}

uint32_t ConvertUtf8(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length) {
  return ConvertUnicode(state, output, input, length, Utf8Decoder());
}

uint32_t ConvertUtf16(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length) {
  return ConvertUnicode(state, output, input, length, Utf16Decoder());
}
