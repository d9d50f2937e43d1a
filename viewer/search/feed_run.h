// Counting the line feeds of a run of 64-byte blocks for the streamed search, where no row
// needs to be cut: the run goes on while its blocks hold no CR and the line each block begins
// with cannot reach the wrap column (the lines in it are then shorter than a block and never
// wrap), and the feeds are summed many lanes at a time with no work per line.  The AVX2 and SSE2
// paths give what the portable one gives.
#pragma once

#include <cstdint>

#include "viewer/search/vector_path.h"

struct FeedRun {
  const char* end;            // where the run stopped (a block boundary from its start)
  const char* lastFeedBlock;  // the last block with a line feed in it, or null
  int64_t feeds;              // the line feeds in [start, end)
  int64_t widthBound;         // no row before `end` is wider than this
};

// The widths a run is bounded by: the wrap column and the most columns one byte can add.
struct FeedRunWidths {
  int64_t wrap;
  int64_t widest;
};

// The run from p, whose row so far is at most `widthBound` wide, over whole blocks that end
// before `target` (each block's following byte is read too).
FeedRun CountFeedRun(const char* p, const char* target, int64_t widthBound, FeedRunWidths widths,
                     VectorPath path = FastestVectorPath());
