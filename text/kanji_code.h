// Kanji codes: which of Shift-JIS, EUC, JIS, UTF-8 and UTF-16 a text uses, whether a file looks
// binary, and the in-place conversion of the others to Shift-JIS (CP932), chunk by chunk, with
// the state of a pair, an escape sequence or a multi-byte character kept across chunk edges.
#pragma once

#include <cstdint>

enum KanjiCodes { kShiftJis = 0, kEuc = 1, kJis = 2, kUtf8 = 3, kUtf16 = 4 };
constexpr int kKanjiCodeCount = 5;

struct KanjiConverterState {
  int32_t EscapeState = 0;  // JIS: 0 normal, 1 after ESC, 2 after ESC "(", 3 after ESC "$"
  bool KanjiShift = false;  // JIS: inside a two-byte section
  bool HaveFirstByte = false;
  bool KanaPending = false;  // EUC: the previous byte was 0x8E
  uint8_t FirstJisByte = 0;
  // UTF-8 and UTF-16: the bytes of a character that the chunk's end cut off (0 to 3), the byte
  // order of UTF-16, and whether nothing has been converted yet (a byte-order mark is dropped).
  uint8_t HeldBytes[3] = {};
  uint8_t HeldCount = 0;
  bool BigEndian = false;
  bool AtTextStart = true;
};

constexpr bool IsEucLead(uint8_t b) { return b == 0x8E || (b >= 0x90 && b <= 0x9F) || (b >= 0xA1 && b <= 0xFE); }
constexpr bool IsEucTrail(uint8_t b) { return b >= 0xA0 && b <= 0xFE; }
constexpr bool IsJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }
constexpr bool IsTextByte(uint8_t b) {
  return b == 0x09 || b == 0x0A || b == 0x0C || b == 0x0D || b == 0x1A || (b >= 0x20 && b <= 0x7F);
}

// The JIS escape sequence at `p` (p[0] is ESC, and p[1] and p[2] can be read): ESC "$" "@",
// ESC "$" "B" and ESC "K" switch into kanji, ESC "(" "B", "J" or "H" and ESC "H" back out.  ESC
// "(" or ESC "$" followed by anything else is malformed: with a final byte (0x30-0x7E) it
// takes three bytes, without one (cut by a line end or another control) two.  Any other
// escape (ESC "[" and the like) is not JIS and takes one byte.
enum class JisEscapeKind { kKanjiIn, kKanjiOut, kMalformed, kOther };
struct JisEscape {
  JisEscapeKind kind;
  int length;
};
JisEscape ReadJisEscape(const uint8_t* p);
constexpr bool IsKanjiInFinal(uint8_t b) { return b == '@' || b == 'B'; }
constexpr bool IsKanjiOutFinal(uint8_t b) { return b == 'B' || b == 'J' || b == 'H'; }
constexpr bool IsEscapeFinal(uint8_t b) { return b >= 0x30 && b <= 0x7E; }
// The text a malformed or cut JIS escape becomes.
constexpr char kJisEscapeReplacement = '?';

// `sample` is NUL-terminated.
int IsEucText(const char* sample);
int IsJisText(const char* sample);
int DetectKanjiCode(const char* sample);
// `sample` holds `length` bytes and a NUL after them (UTF-16 text holds NUL bytes of its own).
// A byte-order mark decides; then UTF-8, UTF-16 without a mark, EUC and JIS are tried in turn.
int DetectKanjiCode(const char* sample, uint32_t length);
// Valid UTF-8 up to the NUL (a character cut off at `length` is allowed) with at least one
// multi-byte character.
int IsUtf8Text(const char* sample, uint32_t length);
// UTF-16 without a mark: the high bytes of at least half the units are zero, the low bytes of
// those are text, and the surrogates pair up.
int IsUtf16Text(const char* sample, uint32_t length);
// The byte order of UTF-16 in the sample: its mark, else the half with more zero bytes.
bool Utf16SampleIsBigEndian(const char* sample, uint32_t length);
// The status message of an automatic detection of `code` (null for Shift-JIS).
const char* DetectionMessage(int code);

// Converts `length` bytes at `input` from `code` to Shift-JIS, writing at `output`, which may be
// `input` itself or lie up to PendingEscapeBytes(state) bytes before it.  Returns the bytes
// written: never more than length + that room.
uint32_t ConvertKanji(KanjiConverterState& state, int code, char* output, const char* input, uint32_t length);
// Bytes that were read but not yet written (0 to 3): an unfinished escape sequence, or a
// UTF-8 or UTF-16 character cut off by the chunk's end.
uint32_t PendingEscapeBytes(const KanjiConverterState& state);
// At the end of the text: a UTF-8 or UTF-16 character left unfinished, or a JIS escape cut
// off, becomes "?" at `output`.  Returns the bytes written (0 or 1).
uint32_t FinishKanji(KanjiConverterState& state, int code, char* output);

// UTF-8 and UTF-16 (in `state`'s byte order) to CP932; see ConvertKanji.
uint32_t ConvertUtf8(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length);
uint32_t ConvertUtf16(KanjiConverterState& state, uint8_t* output, const uint8_t* input, uint32_t length);
// One UTF-8 character at [p, end): the bytes it takes, with its code point, or kInvalidUnicode
// for a byte or a cut-short sequence that is not UTF-8 (taking the bytes of its longest valid
// start, at least one); 0 when [p, end) is a valid start that needs more bytes.
constexpr uint32_t kInvalidUnicode = 0xFFFFFFFF;
// The first byte from 0x80 up in [p, end), or end: ASCII runs need no conversion.
const uint8_t* FindHighByte(const uint8_t* p, const uint8_t* end);
int DecodeUtf8(const uint8_t* p, const uint8_t* end, uint32_t& codePoint);
