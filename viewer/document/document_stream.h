// Passing a document's converted text on without keeping it: for programs that print the text
// and need no rows.  The Source is read from byte 0 with the converter of loading, a chunk at a
// time into one buffer that stays in the cache; nothing goes into the text block and no row is
// scanned, so the text costs little more than a copy.  Text that needs no conversion from a
// Source that holds it all in memory (a decoded gzip member) is passed on from there in pieces
// of up to a MiB, with no copy at all.
#pragma once

#include <cstddef>

#include "viewer/document/document.h"

class TextSink {
 public:
  virtual ~TextSink() = default;
  // The next piece of converted text (of any length; a character may be split between two
  // pieces); false stops the stream (the receiver cannot take more).
  virtual bool Take(const char* text, size_t length) = 0;
};

// Streams the open document's text to `sink`, exactly the bytes LoadAll would put in `Text`.
// kOk; kCannotOpen when the Source cannot be read to its end (the error box of loading is
// shown, and what was read is passed on first); kNoMemory when there is no buffer.  Afterwards
// the document stands at the start of loading again, as after RestartLoading.
[[nodiscard]] DocumentResult StreamDocumentText(TextSink& sink);
