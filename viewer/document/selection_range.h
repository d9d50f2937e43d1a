// The character selection that covers a run of bytes of the text (a search hit): the anchor
// on the run's first row, the end moved down to the row where the run stops.
#pragma once

#include <cstdint>

// Fills `selection` (anchor row, end row, anchor column, end column) for the `length` bytes
// from `hit`, a place in the document's Text on row `row`.
void HitSelection(int32_t row, const char* hit, int32_t length, int32_t selection[4]);
