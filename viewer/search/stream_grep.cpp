// StreamGrep (see the header).
#include "viewer/search/stream_grep.h"

#include <algorithm>
#include <cstring>

#include "platform/allocation.h"
#include "viewer/search/block_rows.h"
#include "viewer/search/feed_run.h"
#include "viewer/search/line_masks.h"

namespace {

// The last bytes of a piece are scanned only with the next one (or at the end), so that the
// scan never looks past the bytes it has (it reads the byte after a CR or a lead byte); loading
// holds back as many.
constexpr size_t kHeldBack = 4;
// Bytes of a piece joined to the carried row at first; more while the row goes on.
constexpr size_t kFirstJoin = 4096;

// The row scan only reads the text; its state names positions as writable bytes.
char* ScanPoint(const char* p) { return const_cast<char*>(p); }

// Where a scan of [position, end) stops: kHeldBack bytes before the end (never before where it
// stands).
const char* HeldBackLimit(const char* position, const char* end) {
  return end - position > ptrdiff_t(kHeldBack) ? end - kHeldBack : position;
}

// The start of the last line that begins in (from, to]: the byte after the last line feed in
// [from, to), or null.  Looks a block at a time (the last one ending at `to`, when it starts no
// earlier than `base`), else byte by byte.
const char* LineStartBefore(const char* base, const char* from, const char* to) {
  const char* p = to;
  for (; p - from > 0 && p - base >= kLineMaskBlock; p -= kLineMaskBlock) {
    uint64_t feeds = BlockLineMasks(p - kLineMaskBlock).lineFeeds;
    if (p - from < kLineMaskBlock) feeds &= ~uint64_t(0) << (kLineMaskBlock - (p - from));  // bytes from `from` on
    if (feeds != 0) return p - __builtin_clzll(feeds);  // the byte after the last one
  }
  for (; p > from; --p) {
    if (p[-1] == '\n') return p;
  }
  return nullptr;
}

// The end of the line that holds `at` (the byte after its line feed, or `limit`), and whether a
// CR stands between `from` (not after `at`) and that line feed, other than just before it.
struct LineEnd {
  const char* end;
  bool loneCarriageReturn;
};

LineEnd FindLineEnd(const char* from, const char* at, const char* limit) {
  const ptrdiff_t skipped = at - from;
  if (limit - from >= kLineMaskBlock && skipped < kLineMaskBlock) {  // mostly: one block holds it
    LineMasks masks = BlockLineMasks(from);
    uint64_t feeds = masks.lineFeeds >> skipped << skipped;
    if (feeds != 0) {
      int feed = __builtin_ctzll(feeds);
      uint64_t before = (uint64_t(1) << feed) - 1;
      uint64_t crs = masks.carriageReturns & before & (before >> 1);  // not the byte before the feed
      return {from + feed + 1, crs != 0};
    }
  }
  const void* feed = std::memchr(at, '\n', size_t(limit - at));
  const char* end = feed ? static_cast<const char*>(feed) + 1 : limit;
  size_t bytes = feed ? size_t(end - 1 - from) : size_t(end - from);
  if (feed && bytes > 0 && end[-2] == '\r') --bytes;
  return {end, std::memchr(from, '\r', bytes) != nullptr};
}

}  // namespace

StreamGrep::StreamGrep(const RowOptions& rows, const StringHitRule& rule, StreamHitReceiver& receiver,
                       size_t sliceBytes)
    : scanner_{rows.lineMax, rows.tabSize, rows.controlCodesShown},
      wrap_(WrapWidth(rows.lineMax)),
      widest_(std::max<int64_t>({rows.tabSize, rows.controlCodesShown ? 2 : 1, 1})),
      rule_(rule),
      receiver_(receiver),
      sliceBytes_(std::max<size_t>(sliceBytes, 1)),
      // A slice of n bytes starts at most n + 1 rows (a scan may end one byte past its limit).
      rowEnds_(NewArray<uint32_t>(sliceBytes_ + 2)) {
  outOfMemory_ = stopped_ = !rowEnds_ || !ReserveCarry(kFirstJoin + kHeldBack);
}

bool StreamGrep::ReserveCarry(size_t bytes) {
  size_t wanted = bytes + 1;  // and the NUL after them
  if (wanted <= carry_.capacity) return true;
  size_t capacity = std::max(wanted, carry_.capacity * 2);
  auto larger = NewArray<char>(capacity);
  if (!larger) {
    outOfMemory_ = stopped_ = true;
    return false;
  }
  if (carry_.length > 0) std::memcpy(larger.get(), carry_.bytes.get(), carry_.length);
  carry_.bytes = std::move(larger);
  carry_.capacity = capacity;
  return true;
}

RowScanState StreamGrep::CarryState() {
  carry_.bytes[carry_.length] = '\0';  // the scan may look one byte past the last one
  return {carry_.bytes.get() + carry_.scanned, carry_.column, carry_.bytes.get()};
}

// Keeps [from, end) (from is the unfinished row's start) with the scan's place in it.
bool StreamGrep::Carry(const char* from, const char* end, const RowScanState& state) {
  size_t bytes = size_t(end - from);
  size_t scanned = size_t(state.position - from);
  int64_t column = state.column;
  if (!ReserveCarry(bytes)) return false;
  std::memmove(carry_.bytes.get(), from, bytes);  // `from` may lie in the carry itself
  carry_.length = bytes;
  carry_.scanned = scanned;
  carry_.column = column;
  return true;
}

// Searches the rows that `first` and `ends` bound: from `found`, a place where the scan matched
// (no candidate lies before it), or from `first` when null.
bool StreamGrep::SearchRows(const char* base, const char* first, const uint32_t* ends, int32_t count, const char* found) {
  const LiteralScan& scan = rule_.Scan();
  const char* end = base + ends[count - 1];
  const char* start = found ? std::max(first, found) : first;
  const bool startMatches = start == found && found + scan.Length() <= end;
  int32_t i = 0;  // row i runs from the end of row i - 1 (`first` for row 0) to base + ends[i]
  for (const char* x = startMatches ? start : scan.Find(start, end); x != nullptr; x = scan.Find(x, end)) {
    const uint32_t offset = uint32_t(x - base);
    i = int32_t(std::upper_bound(ends + i, ends + count, offset) - ends);
    const char* rowStart = i == 0 ? first : base + ends[i - 1];
    const char* rowEnd = base + ends[i];
    RowText text = RowTextBetween(rowStart, rowEnd);
    int position = int(x - rowStart);
    switch (rule_.Judge(text.bytes, text.length, position)) {
      case Candidate::kHit:
        if (!receiver_.Take({row_ + i, position, rule_.Length()})) return false;
        x = rowEnd;
        break;
      case Candidate::kPastRowText:
        x = rowEnd;
        break;
      case Candidate::kNotHere:
        ++x;
        break;
    }
  }
  return true;
}

// Cuts the `bytes` bytes at p (at most a block; bit i of `masks` stands for p[i]) at their line
// ends, as the block loop of CutRows does; false when the line the block begins with might reach
// the wrap column within it (then the scan takes it).  Reads p[bytes] (the LF of a CR LF cut).
bool StreamGrep::CutBlock(const char* base, const char* p, int bytes, const LineMasks& masks, BlockCut& cut,
                          RowScanState& state, uint32_t* rows, int64_t& count) {
  const int lastBit = bytes - 1;
  uint64_t feeds = masks.lineFeeds & ~cut.pairedFeed;
  uint64_t ends = feeds | (masks.carriageReturns & ~(feeds >> 1));  // a CR LF ends at its LF
  if (ends == 0) {
    if (cut.widthBound + bytes * widest_ > wrap_) return false;
    cut.widthBound += bytes * widest_;
    cut.pairedFeed = 0;
    return true;
  }
  if (cut.widthBound + __builtin_ctzll(ends) * widest_ > wrap_) return false;
  int last = kLineMaskBlock - 1 - __builtin_clzll(ends);
  bool crossingPair = last == lastBit && (masks.carriageReturns >> lastBit) && p[bytes] == '\n';
  cut.pairedFeed = crossingPair ? 1 : 0;
  if (rows) {
    const uint32_t blockOffset = uint32_t(p - base) + 1;
    for (uint64_t rest = ends; rest != 0; rest &= rest - 1) rows[count++] = blockOffset + __builtin_ctzll(rest);
    rows[count - 1] += uint32_t(cut.pairedFeed);
  } else {
    count += BitCount(ends);
  }
  state.position = state.rowStart = ScanPoint(p + last + 1 + cut.pairedFeed);
  state.column = 0;
  cut.widthBound = (lastBit - last) * widest_;
  return true;
}

// The rows the scan starts from where `state` stands up to `target`: written to `rows` (as the
// scan writes them) or, without it, only counted.
// No byte widens a row by more than `widest` columns (a tab by the tab size, a control code by
// two); when 64 of them cannot reach the wrap column, a line shorter than a block never wraps.
// Blocks of 64 bytes are then cut at their line ends (LF, CR, CR LF) while the line each block
// begins with cannot have reached the wrap column (its width is bounded, not measured): there
// the scan would do nothing but start a row after each line end.  The blocks follow each other
// whatever they hold, so that one need not wait for the last; the bytes short of a block before
// the target are cut by the masks of the block that ends at the target.  Anything else goes to
// the scan, from the last row start.
int64_t StreamGrep::CutRows(const char* base, RowScanState& state, const char* target, uint32_t* rows) {
  // When 64 bytes cannot reach the wrap column, a line shorter than a block never wraps.
  const bool shortLinesStay = wrap_ >= kLineMaskBlock * widest_;
  int64_t count = 0;
  while (state.position < target) {
    const char* p = state.position;
    BlockCut cut{state.column, 0};  // the columns of the row before p are at most widthBound
    bool carriageReturns = false;   // in the last block (then the next likely holds one too)
    // (The byte after the block is read: the LF of a CR LF that the block cuts.)
    bool cutting = shortLinesStay;
    while (cutting && target - p > kLineMaskBlock) {
      if (!rows && !cut.pairedFeed && !carriageReturns) {
        FeedRun run = CountFeedRun(p, target, cut.widthBound, {wrap_, widest_}, vectorPath_);
        if (run.lastFeedBlock) {
          count += run.feeds;
          int last = kLineMaskBlock - 1 - __builtin_clzll(BlockLineMasks(run.lastFeedBlock).lineFeeds);
          state.position = state.rowStart = ScanPoint(run.lastFeedBlock + last + 1);
          state.column = 0;
        }
        p = run.end;
        cut.widthBound = run.widthBound;
        if (target - p <= kLineMaskBlock) break;
      }
      LineMasks masks = BlockLineMasks(p);
      carriageReturns = masks.carriageReturns != 0;
      cutting = CutBlock(base, p, kLineMaskBlock, masks, cut, state, rows, count);
      if (cutting) p += kLineMaskBlock;
    }
    if (cutting && p < target && target - p <= kLineMaskBlock && target - base >= kLineMaskBlock) {
      const int bytes = int(target - p);
      LineMasks block = BlockLineMasks(target - kLineMaskBlock);
      LineMasks masks{block.lineFeeds >> (kLineMaskBlock - bytes), block.carriageReturns >> (kLineMaskBlock - bytes)};
      if (CutBlock(base, p, bytes, masks, cut, state, rows, count)) p = target;
    }
    // (Where short lines may wrap, the scan takes all at once.)
    const char* stop = shortLinesStay && target - p > kLineMaskBlock ? p + kLineMaskBlock : target;
    if (state.position < stop) count += scanner_.Scan(base, state, ScanPoint(stop), rows ? rows + count : rowEnds_.get());
  }
  return count;
}

// The rest of a line (up to its LF at lineEnd - 1) that holds no CR but one before its LF (else
// `loneCarriageReturn`), and cannot reach the wrap column, ends the row being scanned: then that
// row end is written and the scan stands after it.
bool StreamGrep::OneRowToLineEnd(const char* base, RowScanState& state, const char* lineEnd, bool loneCarriageReturn) {
  if (lineEnd <= state.position || lineEnd[-1] != '\n' || loneCarriageReturn) return false;
  size_t bytes = size_t(lineEnd - 1 - state.position);
  if (bytes > 0 && lineEnd[-2] == '\r') --bytes;
  if (state.column + int64_t(bytes) * widest_ > wrap_) return false;
  rowEnds_[0] = uint32_t(lineEnd - base);
  state.position = state.rowStart = ScanPoint(lineEnd);
  state.column = 0;
  return true;
}

// At a row start, the rows of the lines before the next candidate up to `limit` are counted in
// the pass that finds it, while those lines hold no CR and cannot wrap: the scan then stands at
// the start of the candidate's line (or of the line where counting stopped).  The candidate
// (null when it is still to be looked for from there) and, where the pass saw it, its line end.
FeedCountedFind StreamGrep::CountToCandidate(RowScanState& state, const char* limit) {
  if (state.position != state.rowStart || state.column != 0 || rule_.Length() == 0) {
    return {nullptr, state.position, 0, nullptr};
  }
  FeedCountedFind counted = rule_.Scan().FindCountingFeeds(state.position, limit, wrap_ / widest_);
  row_ += counted.feeds;
  state.position = state.rowStart = ScanPoint(counted.lineStart);
  return counted;
}

// Scans from where `state` stands to `limit` in slices.  The rows before the line of the next
// candidate are only counted; the line that holds it is cut into rows and searched.
bool StreamGrep::ScanRegion(const char* base, RowScanState& state, const char* limit) {
  while (state.position < limit) {
    const char* sliceLimit = size_t(limit - state.position) > sliceBytes_ ? state.position + sliceBytes_ : limit;
    FeedCountedFind counted = CountToCandidate(state, sliceLimit);
    const char* candidate = counted.found;
    if (!candidate && rule_.Length() > 0) candidate = rule_.Scan().Find(state.rowStart, sliceLimit);
    if (!candidate) {
      // Up to the last line start in the slice, so that the next slice starts at a row start
      // and can count its lines in the pass that looks for the pattern.
      const char* lineStart = LineStartBefore(base, state.position, sliceLimit);
      row_ += CutRows(base, state, lineStart ? lineStart : sliceLimit, nullptr);
      continue;
    }
    // (Where the counting pass found the candidate, the scan stands at the start of its line.)
    LineEnd line{counted.lineEnd, false};
    if (!line.end) {
      if (const char* lineStart = LineStartBefore(base, state.position, candidate)) row_ += CutRows(base, state, lineStart, nullptr);
      line = FindLineEnd(state.position, std::max<const char*>(candidate, state.position), sliceLimit);
    }
    const char* first = state.rowStart;
    int32_t added = OneRowToLineEnd(base, state, line.end, line.loneCarriageReturn) ? 1 : int32_t(CutRows(base, state, line.end, rowEnds_.get()));
    if (added == 0) continue;
    bool goOn = SearchRows(base, first, rowEnds_.get(), added, candidate);
    row_ += added;
    if (!goOn) return false;
  }
  return true;
}

// Joins the start of the piece to the carried row until a row begins inside the piece, and
// returns how many bytes of the piece the carry then held (the whole piece when none began).
size_t StreamGrep::JoinCarry(const char* text, size_t length) {
  size_t joined = 0;
  while (joined < length) {
    size_t fromPiece = carry_.length;  // carry offset of the piece's byte `joined`
    size_t more = std::min(length - joined, std::max(kFirstJoin, carry_.length));
    if (!ReserveCarry(carry_.length + more)) return 0;
    std::memcpy(carry_.bytes.get() + carry_.length, text + joined, more);
    carry_.length += more;
    RowScanState state = CarryState();
    const char* base = carry_.bytes.get();
    if (!ScanRegion(base, state, HeldBackLimit(state.position, base + carry_.length))) {
      stopped_ = true;
      return 0;
    }
    size_t rowStart = size_t(state.rowStart - base);
    if (rowStart >= fromPiece) {
      // A row began in the piece: the scan goes on there.
      size_t pieceOffset = joined + (rowStart - fromPiece);
      carry_.scanned = size_t(state.position - state.rowStart);
      carry_.column = state.column;
      carry_.length = 0;
      return pieceOffset;
    }
    joined += more;
    if (!Carry(state.rowStart, base + carry_.length, state)) return 0;
  }
  return length;
}

bool StreamGrep::ScanInPlace(const char* text, size_t length, RowScanState state) {
  const char* end = text + length;
  if (!ScanRegion(text, state, HeldBackLimit(state.position, end))) {
    stopped_ = true;
    return false;
  }
  return Carry(state.rowStart, end, state);
}

bool StreamGrep::Take(const char* text, size_t length) {
  if (stopped_) return false;
  size_t rowStart = carry_.length > 0 ? JoinCarry(text, length) : 0;
  if (stopped_) return false;
  if (carry_.length > 0) return true;  // the whole piece went into the carried row
  // The carry is empty: the row being scanned begins at `rowStart` of the piece.
  RowScanState state{ScanPoint(text + rowStart + carry_.scanned), carry_.column, ScanPoint(text + rowStart)};
  return ScanInPlace(text, length, state);
}

bool StreamGrep::Finish() {
  if (stopped_) return false;
  if (carry_.length == 0) return true;
  RowScanState state = CarryState();
  const char* base = carry_.bytes.get();
  const char* end = base + carry_.length;
  if (!ScanRegion(base, state, end)) return false;
  // The last row ends with the text.
  if (state.rowStart < end && rule_.Length() > 0) {
    const uint32_t lastEnd = uint32_t(carry_.length);
    if (!SearchRows(base, state.rowStart, &lastEnd, 1, nullptr)) return false;
  }
  carry_.length = 0;
  return true;
}
