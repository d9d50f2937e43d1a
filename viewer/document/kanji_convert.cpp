// Conversion of EUC and JIS to Shift-JIS, in place.  Every input byte gives at most one output
// byte, except that an escape sequence that turns out not to switch modes is written back
// whole; when it began in an earlier chunk, its swallowed bytes are written at the start of
// this one, so the loader leaves that many bytes of room (PendingEscapeBytes).
#include <cstring>

#include "viewer/document/document.h"
#include "viewer/document/kanji_code.h"

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

uint32_t ConvertEuc(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length) {
  uint8_t* out = output;
  const uint8_t* end = input + length;
  for (const uint8_t* in = input; in < end; ++in) {
    uint8_t b = *in;
    if (state.HaveFirstByte) {
      *out++ = state.KanaPending ? b : JisSecond(state, uint8_t(b - 0x80));
      state.HaveFirstByte = state.KanaPending = false;
    } else if (b < 0x80) {
      *out++ = b;
    } else if (!IsEucLead(b)) {
      *out++ = b;
    } else if (b == 0x8E) {
      state.KanaPending = state.HaveFirstByte = true;
    } else {
      *out++ = JisFirst(state, uint8_t(b - 0x80));
      state.KanaPending = false;
      state.HaveFirstByte = true;
    }
  }
  return uint32_t(out - output);
}

// One byte of JIS in escape-sequence state 1..3; returns the new output pointer.
uint8_t* JisEscapeByte(KanjiConverterState& state, uint8_t b, uint8_t* out) {
  int escape = state.EscapeState;
  state.EscapeState = 0;
  if (escape == 1) {
    if (b == '(') state.EscapeState = 2;
    else if (b == '$') state.EscapeState = 3;
    else if (b == 'H') state.KanjiShift = false;
    else if (b == 'K') state.KanjiShift = true;
    else *out++ = kEsc, *out++ = b;
  } else if (escape == 2) {
    if (b == 'H' || b == 'J' || b == 'B') state.KanjiShift = false;
    else *out++ = kEsc, *out++ = '(', *out++ = b;
  } else {
    if (b == 'B' || b == 0x40) state.KanjiShift = true;
    else *out++ = kEsc, *out++ = '$', *out++ = b;
  }
  return out;
}

uint32_t ConvertJis(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length) {
  uint8_t* out = output;
  const uint8_t* end = input + length;
  for (const uint8_t* in = input; in < end; ++in) {
    uint8_t b = *in;
    if (state.EscapeState != 0) {
      out = JisEscapeByte(state, b, out);
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

KanjiConverterState converterState;

}  // namespace

uint32_t PendingEscapeBytes(const KanjiConverterState& state) {
  return state.EscapeState == 0 ? 0 : state.EscapeState == 1 ? 1 : 2;
}

uint32_t ConvertKanji(KanjiConverterState& state, int code, char* output, const char* input, uint32_t length) {
  auto* out = reinterpret_cast<uint8_t*>(output);
  auto* in = reinterpret_cast<const uint8_t*>(input);
  if (code == kEuc) return ConvertEuc(state, out, in, length);
  if (code == kJis) return ConvertJis(state, out, in, length);
  if (out != in) std::memmove(out, in, length);
  return length;
}

uint32_t ConvertChunkTo(char* output, const char* input, uint32_t length) {
  if (TheDocument.DisplayMode == 1) {
    if (output != input) std::memmove(output, input, length);
    return length;
  }
  return ConvertKanji(converterState, TheDocument.KanjiCode, output, input, length);
}

uint32_t ConvertChunk(char* data, uint32_t length) { return ConvertChunkTo(data, data, length); }

uint32_t PendingEscapeBytes() {
  return TheDocument.DisplayMode == 1 ? 0 : PendingEscapeBytes(converterState);
}

void ResetConverter() { converterState = KanjiConverterState(); }
