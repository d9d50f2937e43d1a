// The regular-expression engine of the search: a pattern is compiled into a small byte program
// (RegexBuffer) and run by a backtracking interpreter over one row text at a time.  Shift-JIS
// aware throughout: a double-byte character is one character, and no match starts on the
// second byte of one.  Case folding goes through the buffer's Fold function.
#pragma once

#include <cstdint>

#include "viewer/document/memory_block.h"

using FoldFunction = uint16_t (*)(uint16_t);

// "a"-"z" to "A"-"Z"; every other value unchanged.
uint16_t FoldUpper(uint16_t c);
uint16_t KeepCase(uint16_t c);

// 1 for "a"-"z", "A"-"Z" and "0"-"9".
extern const uint8_t WordTable[256];

// Opcodes of the byte program.  Jump offsets are signed 16-bit, low byte first, counted from
// the end of the 3-byte instruction; class lengths are 16-bit, high byte first.
namespace RegexOp {
constexpr uint8_t Literal = 1;           // count, bytes
constexpr uint8_t LineStart = 2;
constexpr uint8_t LineEnd = 3;
constexpr uint8_t Jump = 4;              // offset
constexpr uint8_t OnFailureJump = 5;     // offset
constexpr uint8_t FinalizeJump = 6;      // offset
constexpr uint8_t MaybeFinalizeJump = 7; // offset
constexpr uint8_t DummyFailureJump = 8;  // offset
constexpr uint8_t AnyChar = 9;
constexpr uint8_t Class = 10;            // length (2), items, ClassEnd
constexpr uint8_t ClassChar = 11;        // 1 or 2 bytes
constexpr uint8_t ClassRange = 12;       // low (hi, lo), high (hi, lo)
constexpr uint8_t ClassEnd = 13;
constexpr uint8_t NotClass = 14;
constexpr uint8_t GroupStart = 15;       // group number
constexpr uint8_t GroupEnd = 16;         // group number
constexpr uint8_t BackRef = 17;          // group number
constexpr uint8_t TextStart = 21;
constexpr uint8_t TextEnd = 22;
constexpr uint8_t WordChar = 23;
constexpr uint8_t NotWordChar = 24;
constexpr uint8_t WordStart = 25;
constexpr uint8_t WordEnd = 26;
constexpr uint8_t WordBoundary = 27;
constexpr uint8_t NotWordBoundary = 28;
}  // namespace RegexOp

constexpr int32_t kRegexInitialProgramSize = 40;
constexpr int32_t kRegexMaxProgramSize = 8192;

// Tables the search driver derives from the first-byte map and the folding function, indexed
// by raw text bytes.  Rebuilt when the map or the folding function changes.
struct RegexTextTables {
  FoldFunction fold = nullptr;
  bool valid = false;
  uint8_t folded[256] = {};   // Fold of each single byte
  uint8_t canStart[256] = {}; // FirstByteMap[Fold(b)]
  uint8_t passOver[256] = {}; // 0 where a match can start, else the bytes of the character
};

// The compiled regular expression.  Owns its program (allocated by the first compile, so a
// failed allocation is a pattern that does not compile) and its first-byte map.
struct RegexBuffer {
  MemoryBlock ProgramBlock;
  int32_t Used = 0;
  uint8_t FirstByteMap[256] = {};
  FoldFunction Fold = nullptr;
  uint8_t MapValid = 0;
  uint8_t CanBeEmpty = 0;  // 0 never, 1 can, 2 only at the end of the text
  RegexTextTables TextTables;
  uint32_t Compiles = 0;  // counts CompileRegex calls, so that what is derived from a program
                          // can tell whether it is still current

  uint8_t* Program() const { return static_cast<uint8_t*>(ProgramBlock.Data()); }
  int32_t Allocated() const { return int32_t(ProgramBlock.Size()); }
};

// Register 0 is the whole match, 1 and 2 the first two groups; offsets into the text, -1 unset.
struct RegexRegisters {
  int32_t start[3] = {-1, -1, -1};
  int32_t end[3] = {-1, -1, -1};
};

// False when the pattern does not compile (unbalanced parentheses, more than 10 nested
// groups, "[" without "]", a trailing backslash or lead byte, a program above 8192 bytes, no
// memory); the buffer then holds an empty program.
[[nodiscard]] bool CompileRegex(const char* pattern, int length, RegexBuffer& buffer);
void BuildFirstByteMap(RegexBuffer& buffer);

// Offset of the first match starting in start..start+range, -1 for none, -2 when a match
// attempt gave up (too many failure points or too much backtracking).
int RegexSearch(RegexBuffer& buffer, const char* text, int length, int start, int range,
                RegexRegisters* registers);
// Length of the match at start, -1 for none, -2 when the attempt gave up.
int RegexMatch(RegexBuffer& buffer, const char* text, int length, int start,
               RegexRegisters* registers);

// 2 when p is the second byte of a double-byte character, else 1 when text[p] is a lead byte,
// else 0.  Positions at or past the end classify as 0 unless they are a second byte.
int ClassifyPosition(const char* text, int length, int p);
