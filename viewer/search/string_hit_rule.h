// What makes a place in a row text a hit of the plain string search, shared by the search over
// the text block and the streamed search: candidates come from a LiteralScan of the (folded)
// pattern; one is a hit when it lies inside the row text, does not start on a second byte, and,
// with case folding, equals the pattern after upper-casing the row the way the row-by-row search
// does (a letter that is the second byte of a double-byte character stays).
#pragma once

#include <cstdint>

#include "viewer/search/literal_scan.h"
#include "viewer/search/search_engine.h"

// How a candidate of the scan stands in its row text.
enum class Candidate {
  kHit,
  kNotHere,       // not a hit; a later candidate in the row may be
  kPastRowText,   // ends past the row text: so does every later candidate in the row
};

class StringHitRule {
 public:
  // Takes the pattern (NUL-terminated, at most 255 bytes) and the folding choice; cheap when
  // they are those of the last call.
  void Prepare(const char* pattern, bool foldCase);

  // The prefilter that finds candidates, and the pattern's length in bytes (0: no pattern).
  const LiteralScan& Scan() const { return scan_; }
  int Length() const { return length_; }

  // The candidate at `position` of a row text of `rowLength` bytes.
  Candidate Judge(const char* rowText, int rowLength, int position) const;

 private:
  bool AcceptedAt(const char* rowText, int position) const;

  char source_[kSearchPatternSize] = {};  // the pattern as given
  bool prepared_ = false;
  bool fold_ = false;
  uint8_t pattern_[kSearchPatternSize] = {};  // upper-cased when folding
  int length_ = 0;
  LiteralScan scan_;
};
