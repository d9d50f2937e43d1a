// Conversion of EUC and JIS to Shift-JIS, in place (UTF-8 and UTF-16: kanji_unicode.cpp).
// Every input byte gives at most one output byte, except that an escape sequence that turns out
// not to switch modes is written back whole; when it began in an earlier chunk, its swallowed
// bytes are written at the start of this one, so the loader leaves that many bytes of room
// (PendingEscapeBytes).
#include <cstring>

#include "text/kanji_code.h"

namespace {

constexpr uint8_t kEsc = 0x1B;

uint8_t JisFirst(KanjiConverterState& state, uint8_t j1) {
  state.FirstJisByte = j1;
  int s1 = (int(j1) - 0x21) / 2 + 0x81;  // halving truncates toward zero
  s1 &= 0xFF;
  if (s1 > 0x9F) s1 += 0x40;
  return uint8_t(s1);
}

uint8_t JisSecond(const KanjiConverterState& state, uint8_t j2) {
  if (state.FirstJisByte & 1) {
    uint8_t s2 = uint8_t(j2 + 0x1F);
    return s2 >= 0x7F ? uint8_t(s2 + 1) : s2;
  }
  return uint8_t(j2 + 0x7E);
}

// Copies a run of bytes that need no conversion (nothing to do while output and input meet).
uint8_t* CopyRun(uint8_t* out, const uint8_t* from, const uint8_t* to) {
  if (out != from) std::memmove(out, from, size_t(to - from));
  return out + (to - from);
}

// Shift-JIS bytes of an EUC pair, by the EUC bytes: the lead by the first byte, the trail by
// the second byte and the parity of the first.
struct EucPairTables {
  uint8_t lead[256];
  uint8_t trail[2][256];
  EucPairTables() {
    KanjiConverterState state;
    for (int b = 0; b < 256; ++b) {
      lead[b] = JisFirst(state, uint8_t(b - 0x80));
      for (int parity = 0; parity < 2; ++parity) {
        state.FirstJisByte = uint8_t(parity);
        trail[parity][b] = JisSecond(state, uint8_t(b - 0x80));
      }
    }
  }
};

const EucPairTables& EucTables() {
  static const EucPairTables tables;
  return tables;
}

uint32_t ConvertEuc(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length) {
  const EucPairTables& tables = EucTables();
  uint8_t* out = output;
  const uint8_t* in = input;
  const uint8_t* end = input + length;
  if (in < end && state.HaveFirstByte) {  // the second byte of a pair begun in the last chunk
    *out++ = state.KanaPending ? *in : JisSecond(state, uint8_t(*in - 0x80));
    state.HaveFirstByte = state.KanaPending = false;
    ++in;
  }
  while (in < end) {
    if (*in < 0x80) {
      const uint8_t* high = FindHighByte(in, end);
      out = CopyRun(out, in, high);
      in = high;
      continue;
    }
    uint8_t b = *in;
    if (!IsEucLead(b)) {
      *out++ = b, ++in;
    } else if (in + 1 == end) {  // the pair goes on in the next chunk
      if (b == 0x8E) {
        state.KanaPending = true;
      } else {
        *out++ = JisFirst(state, uint8_t(b - 0x80));
        state.KanaPending = false;
      }
      state.HaveFirstByte = true;
      ++in;
    } else if (b == 0x8E) {  // half-width katakana: the same byte in both codes
      *out++ = in[1], in += 2;
    } else {
      uint8_t second = in[1];
      out[0] = tables.lead[b];
      out[1] = tables.trail[b & 1][second];
      out += 2, in += 2;
    }
  }
  return uint32_t(out - output);
}

// A malformed escape ESC "(" or ESC "$" followed by `b` becomes the replacement text; `b` is
// part of it when it is a final byte, else it is read again as text (`consumed` false).
uint8_t* ReplaceMalformedEscape(uint8_t b, uint8_t* out, bool& consumed) {
  *out++ = kJisEscapeReplacement;
  consumed = IsEscapeFinal(b);
  return out;
}

// One byte of JIS in escape-sequence state 1..3; returns the new output pointer.
uint8_t* JisEscapeByte(KanjiConverterState& state, uint8_t b, uint8_t* out, bool& consumed) {
  int escape = state.EscapeState;
  state.EscapeState = 0;
  consumed = true;
  if (escape == 1) {
    if (b == '(') state.EscapeState = 2;
    else if (b == '$') state.EscapeState = 3;
    else if (b == 'H') state.KanjiShift = false;
    else if (b == 'K') state.KanjiShift = true;
    else *out++ = kEsc, *out++ = b;
  } else if (escape == 2) {
    if (IsKanjiOutFinal(b)) state.KanjiShift = false;
    else out = ReplaceMalformedEscape(b, out, consumed);
  } else {
    if (IsKanjiInFinal(b)) state.KanjiShift = true;
    else out = ReplaceMalformedEscape(b, out, consumed);
  }
  return out;
}

// Inside a kanji section: pairs up to the next escape; returns where it stopped.
const uint8_t* ConvertJisPairs(KanjiConverterState& state, uint8_t*& out, const uint8_t* in, const uint8_t* end) {
  const EucPairTables& tables = EucTables();
  while (end - in >= 2 && *in != kEsc) {
    // A JIS pair is an EUC pair without the high bits.  (Both bytes are read before the
    // output, which may be the same bytes, is written.)
    uint8_t first = in[0], second = in[1];
    out[0] = tables.lead[uint8_t(first + 0x80)];
    out[1] = tables.trail[first & 1][uint8_t(second + 0x80)];
    out += 2, in += 2;
  }
  return in;
}

uint32_t ConvertJis(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length) {
  uint8_t* out = output;
  const uint8_t* in = input;
  const uint8_t* end = input + length;
  while (in < end) {
    if (state.EscapeState == 0 && !state.HaveFirstByte) {
      if (state.KanjiShift) {
        in = ConvertJisPairs(state, out, in, end);
      } else {
        auto* escape = static_cast<const uint8_t*>(std::memchr(in, kEsc, size_t(end - in)));
        const uint8_t* runEnd = escape ? escape : end;
        out = CopyRun(out, in, runEnd);
        in = runEnd;
      }
      if (in == end) break;
    }
    uint8_t b = *in++;
    if (state.EscapeState != 0) {
      bool consumed;
      out = JisEscapeByte(state, b, out, consumed);
      if (!consumed) --in;
    } else if (state.KanjiShift) {
      if (state.HaveFirstByte) {
        *out++ = JisSecond(state, b);
        state.HaveFirstByte = false;
      } else if (b == kEsc) {
        state.EscapeState = 1;
      } else {
        *out++ = JisFirst(state, b);
        state.HaveFirstByte = true;
      }
    } else if (b == kEsc) {
      state.EscapeState = 1;
    } else {
      *out++ = b;
    }
  }
  return uint32_t(out - output);
}

}  // namespace


JisEscape ReadJisEscape(const uint8_t* p) {
  if (p[1] == '$' || p[1] == '(') {
    bool known = p[1] == '$' ? IsKanjiInFinal(p[2]) : IsKanjiOutFinal(p[2]);
    if (known) return {p[1] == '$' ? JisEscapeKind::kKanjiIn : JisEscapeKind::kKanjiOut, 3};
    return {JisEscapeKind::kMalformed, IsEscapeFinal(p[2]) ? 3 : 2};
  }
  if (p[1] == 'K') return {JisEscapeKind::kKanjiIn, 2};
  if (p[1] == 'H') return {JisEscapeKind::kKanjiOut, 2};
  return {JisEscapeKind::kOther, 1};
}

uint32_t PendingEscapeBytes(const KanjiConverterState& state) {
  return state.HeldCount + (state.EscapeState == 0 ? 0 : state.EscapeState == 1 ? 1 : 2);
}

uint32_t ConvertKanji(KanjiConverterState& state, int code, char* output, const char* input, uint32_t length) {
  auto* out = reinterpret_cast<uint8_t*>(output);
  auto* in = reinterpret_cast<const uint8_t*>(input);
  if (code == kEuc) return ConvertEuc(state, out, in, length);
  if (code == kJis) return ConvertJis(state, out, in, length);
  if (code == kUtf8) return ConvertUtf8(state, out, in, length);
  if (code == kUtf16) return ConvertUtf16(state, out, in, length);
  if (out != in) std::memmove(out, in, length);
  return length;
}

uint32_t FinishKanji(KanjiConverterState& state, int code, char* output) {
  bool unfinished = code == kJis ? state.EscapeState != 0 : (code == kUtf8 || code == kUtf16) && state.HeldCount != 0;
  if (!unfinished) return 0;
  state.EscapeState = 0;
  state.HeldCount = 0;
  *output = code == kJis ? kJisEscapeReplacement : '?';
  return 1;
}
