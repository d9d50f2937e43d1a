// The plain string search over a document's text as it streams past (zvcat --grep): the text
// is cut into rows as the row scan of loading cuts it and searched by the rule of the search over
// the text block, so the hits are those of repeated forward searches from the top (the first hit
// of each row), while neither the text nor its rows are kept.  Rows are only counted up to the
// line of the next candidate of the pattern: from a row start, in the same pass that finds the
// candidate while the lines hold no CR and cannot wrap, else from line-end masks; the line that
// holds it is cut into rows and searched.  What is kept between two pieces of text is
// the row not finished at the end of the first, which is joined to the start of the second until
// a row begins inside it; from there on a piece is scanned where it lies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "viewer/document/document_stream.h"
#include "viewer/document/row_scan.h"
#include "viewer/search/line_masks.h"
#include "viewer/search/literal_scan.h"
#include "viewer/search/string_hit_rule.h"
#include "viewer/search/vector_path.h"

struct StreamHit {
  int64_t row;
  int offset;  // in the row text
  int length;
};

class StreamHitReceiver {
 public:
  // The next hit; false stops the search (the receiver cannot take more).
  virtual bool Take(const StreamHit& hit) = 0;

 protected:
  ~StreamHitReceiver() = default;
};

class StreamGrep final : public TextSink {
 public:
  // Bytes scanned at once by default: the rows found in them are searched while still cached.
  static constexpr size_t kDefaultSliceBytes = 16 * 1024;

  // `rule` (prepared) must outlive the search.  `sliceBytes` (tests choose small ones) bounds
  // the bytes scanned into rows before those rows are searched.
  StreamGrep(const RowOptions& rows, const StringHitRule& rule, StreamHitReceiver& receiver,
             size_t sliceBytes = kDefaultSliceBytes);

  // The next piece of the text.
  bool Take(const char* text, size_t length) override;
  // The text has ended: its last row is searched.  False when the search stopped short.
  bool Finish();
  // The search stopped short because memory for its window ran out.
  bool OutOfMemory() const { return outOfMemory_; }

 private:
  bool ScanRegion(const char* base, RowScanState& state, const char* limit);
  FeedCountedFind CountToCandidate(RowScanState& state, const char* limit);
  int64_t CutRows(const char* base, RowScanState& state, const char* target, uint32_t* rows);
  // Where CutRows' block loop stands: the bound on the width of the row before the block, and
  // whether the block's first byte is the LF of a CR LF counted before.
  struct BlockCut {
    int64_t widthBound;
    uint64_t pairedFeed;
  };
  bool CutBlock(const char* base, const char* p, int bytes, const LineMasks& masks, BlockCut& cut,
                RowScanState& state, uint32_t* rows, int64_t& count);
  bool OneRowToLineEnd(const char* base, RowScanState& state, const char* lineEnd, bool loneCarriageReturn);
  bool SearchRows(const char* base, const char* first, const uint32_t* ends, int32_t count, const char* found);
  size_t JoinCarry(const char* text, size_t length);
  bool ScanInPlace(const char* text, size_t length, RowScanState state);
  bool Carry(const char* from, const char* end, const RowScanState& state);
  bool ReserveCarry(size_t bytes);
  RowScanState CarryState();

  RowScanner scanner_;
  int64_t wrap_;    // the wrap column
  int64_t widest_;  // the most columns one byte can add to a row: a tab's or a control code's
  VectorPath vectorPath_ = FastestVectorPath();  // how line feeds are counted
  const StringHitRule& rule_;
  StreamHitReceiver& receiver_;
  size_t sliceBytes_;
  std::unique_ptr<uint32_t[]> rowEnds_;  // a slice's new row starts, which end the rows before
  int64_t row_ = 0;                      // the number of the row being scanned
  // The unfinished row from its first byte (and the bytes after it not scanned yet), a NUL
  // after them; the scan stands `scanned` bytes into it at column `column`.
  struct CarriedRow {
    std::unique_ptr<char[]> bytes;
    size_t capacity = 0;
    size_t length = 0;
    size_t scanned = 0;
    int64_t column = 0;
  } carry_;
  bool stopped_ = false;
  bool outOfMemory_ = false;
};
