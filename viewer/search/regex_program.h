// Reading the byte program: jump operands, class items and the character at a text position.
// Shared by the compiler, the first-byte map, the matcher and the loop rewriting.
#pragma once

#include <cstdint>

#include "text/sjis.h"
#include "viewer/search/regex.h"

namespace regex_program {

// Target of the jump instruction at `at` (offset from the end of the 3-byte instruction).
inline int JumpTarget(const uint8_t* program, int at) {
  int16_t offset = static_cast<int16_t>(program[at + 1] | (program[at + 2] << 8));
  return at + 3 + offset;
}

inline int ClassLength(const uint8_t* program, int at) {
  return (program[at + 1] << 8) | program[at + 2];
}

// Whether the class item list starting at `items` contains character c (16-bit: lead byte
// high for a double-byte character, else the folded byte).
inline bool ClassContains(const uint8_t* items, const uint8_t* itemsEnd, uint16_t c) {
  const uint8_t* p = items;
  while (p < itemsEnd) {
    if (*p == RegexOp::ClassChar) {
      if (p + 1 >= itemsEnd) return false;
      bool twoBytes = IsSjisLead(p[1]) && p + 2 < itemsEnd;
      uint16_t member = twoBytes ? static_cast<uint16_t>((p[1] << 8) | p[2]) : p[1];
      if (member == c) return true;
      p += twoBytes ? 3 : 2;
    } else if (*p == RegexOp::ClassRange) {
      if (p + 4 >= itemsEnd) return false;
      uint16_t low = static_cast<uint16_t>((p[1] << 8) | p[2]);
      uint16_t high = static_cast<uint16_t>((p[3] << 8) | p[4]);
      if (low <= c && c <= high) return true;
      p += 5;
    } else {
      return false;  // ClassEnd, or anything else, ends the walk
    }
  }
  return false;
}

// Whether the Class or NotClass instruction at `at` accepts character c.
inline bool ClassAccepts(const uint8_t* program, int at, uint16_t c) {
  const uint8_t* items = program + at + 3;
  bool contained = ClassContains(items, items + ClassLength(program, at), c);
  return program[at] == RegexOp::Class ? contained : !contained;
}

}  // namespace regex_program
