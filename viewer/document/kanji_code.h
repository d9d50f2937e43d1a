// Kanji codes: which of Shift-JIS, EUC and JIS a text uses, whether a file looks binary, and the
// in-place conversion of EUC and JIS to Shift-JIS, chunk by chunk, with the state of a pair or
// an escape sequence kept across chunk edges.
#pragma once

#include <cstdint>

enum KanjiCodes { kShiftJis = 0, kEuc = 1, kJis = 2 };

struct KanjiConverterState {
  int32_t EscapeState = 0;  // JIS: 0 normal, 1 after ESC, 2 after ESC "(", 3 after ESC "$"
  bool KanjiShift = false;  // JIS: inside a two-byte section
  bool HaveFirstByte = false;
  bool KanaPending = false;  // EUC: the previous byte was 0x8E
  uint8_t FirstJisByte = 0;
};

constexpr bool IsEucLead(uint8_t b) { return b == 0x8E || (b >= 0x90 && b <= 0x9F) || (b >= 0xA1 && b <= 0xFE); }
constexpr bool IsEucTrail(uint8_t b) { return b >= 0xA0 && b <= 0xFE; }
constexpr bool IsJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }
constexpr bool IsTextByte(uint8_t b) {
  return b == 0x09 || b == 0x0A || b == 0x0C || b == 0x0D || b == 0x1A || (b >= 0x20 && b <= 0x7F);
}

// `sample` is NUL-terminated.
int IsEucText(const char* sample);
int IsJisText(const char* sample);
int DetectKanjiCode(const char* sample);

// Converts `length` bytes at `input` from `code` to Shift-JIS, writing at `output`, which may be
// `input` itself or lie up to PendingEscapeBytes(state) bytes before it.  Returns the bytes
// written: never more than length + that room.
uint32_t ConvertKanji(KanjiConverterState& state, int code, char* output, const char* input, uint32_t length);
// Bytes of an unfinished escape sequence that were read but not yet written (0 to 2).
uint32_t PendingEscapeBytes(const KanjiConverterState& state);

// The document's converter: uses its KanjiCode and DisplayMode and the process-wide state.
uint32_t ConvertChunk(char* data, uint32_t length);
uint32_t ConvertChunkTo(char* output, const char* input, uint32_t length);
uint32_t PendingEscapeBytes();
void ResetConverter();

// Converts the sample in place with the document's KanjiCode and returns 1 when more than
// 10 per cent of the converted bytes are control bytes.
int LooksBinary(char* sample, uint32_t length);
