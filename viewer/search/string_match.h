// The string matcher of the search: a Boyer-Moore-Horspool scan over one row text, Shift-JIS
// aware (an occurrence that starts on the second byte of a double-byte character is passed
// over).  Case folding upper-cases pattern and row alike, leaving double-byte characters alone.
#pragma once

#include <cstdint>

struct SkipTable {
  int32_t skip[256];
  int32_t PatternLength = 0;
  const uint8_t* pattern = nullptr;  // the pattern the table was built from (not owned)
};

// Entry b: distance from the last occurrence of b in the pattern to its end; the pattern's
// length for bytes not in it.  `pattern` must outlive the table's use.
void BuildSkipTable(const char* pattern, int length, SkipTable& table);

// Offset of the leftmost occurrence in text[0..length) that does not start on a second byte,
// or -1.  An empty pattern finds nothing.
int FindString(const SkipTable& table, const char* text, int length);

// True when pos is the second byte of a double-byte character (counting the lead bytes
// directly before it).
bool IsTrailPosition(const char* text, int pos);

// Upper-cases "a"-"z" in place, stepping over double-byte characters (the platform's ANSI
// upper-casing in the Japanese code page).
void UpperCaseSjis(char* text, int length);
