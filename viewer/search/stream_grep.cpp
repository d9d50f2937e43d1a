// StreamGrep (see the header).
#include "viewer/search/stream_grep.h"

#include <algorithm>
#include <cstring>

#include "platform/allocation.h"
#include "viewer/search/block_rows.h"

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

}  // namespace

StreamGrep::StreamGrep(const RowOptions& rows, const StringHitRule& rule, StreamHitReceiver& receiver,
                       size_t sliceBytes)
    : scanner_{rows.lineMax, rows.tabSize, rows.controlCodesShown},
      rule_(rule),
      receiver_(receiver),
      sliceBytes_(std::max<size_t>(sliceBytes, 1)),
      // A slice of n bytes starts at most n + 1 rows (a scan may end one byte past its limit).
      rowEnds_(NewArray<uint32_t>(sliceBytes_ + 2)) {
  outOfMemory_ = stopped_ = !rowEnds_ || !ReserveCarry(kFirstJoin + kHeldBack);
}

bool StreamGrep::ReserveCarry(size_t bytes) {
  size_t wanted = bytes + 1;  // and the NUL after them
  if (wanted <= carryCapacity_) return true;
  size_t capacity = std::max(wanted, carryCapacity_ * 2);
  auto larger = NewArray<char>(capacity);
  if (!larger) {
    outOfMemory_ = stopped_ = true;
    return false;
  }
  if (carried_ > 0) std::memcpy(larger.get(), carry_.get(), carried_);
  carry_ = std::move(larger);
  carryCapacity_ = capacity;
  return true;
}

RowScanState StreamGrep::CarryState() {
  carry_[carried_] = '\0';  // the scan may look one byte past the last one
  return {carry_.get() + carryScanned_, carryColumn_, carry_.get()};
}

// Keeps [from, end) (from is the unfinished row's start) with the scan's place in it.
bool StreamGrep::Carry(const char* from, const char* end, const RowScanState& state) {
  size_t bytes = size_t(end - from);
  size_t scanned = size_t(state.position - from);
  int64_t column = state.column;
  if (!ReserveCarry(bytes)) return false;
  std::memmove(carry_.get(), from, bytes);  // `from` may lie in the carry itself
  carried_ = bytes;
  carryScanned_ = scanned;
  carryColumn_ = column;
  return true;
}

bool StreamGrep::SearchRows(const char* base, const char* first, const uint32_t* ends, int32_t count) {
  const LiteralScan& scan = rule_.Scan();
  const char* end = base + ends[count - 1];
  int32_t i = 0;  // row i runs from the end of row i - 1 (`first` for row 0) to base + ends[i]
  for (const char* x = first; (x = scan.Find(x, end)) != nullptr;) {
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

// Scans from where `state` stands to `limit` in slices, searching each row as it ends.
bool StreamGrep::ScanRegion(const char* base, RowScanState& state, const char* limit) {
  while (state.position < limit) {
    const char* sliceLimit = size_t(limit - state.position) > sliceBytes_ ? state.position + sliceBytes_ : limit;
    const char* first = state.rowStart;
    int32_t added = scanner_.Scan(base, state, sliceLimit, rowEnds_.get());
    if (added == 0) continue;
    bool goOn = rule_.Length() == 0 || SearchRows(base, first, rowEnds_.get(), added);
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
    size_t fromPiece = carried_;  // carry offset of the piece's byte `joined`
    size_t more = std::min(length - joined, std::max(kFirstJoin, carried_));
    if (!ReserveCarry(carried_ + more)) return 0;
    std::memcpy(carry_.get() + carried_, text + joined, more);
    carried_ += more;
    RowScanState state = CarryState();
    const char* base = carry_.get();
    if (!ScanRegion(base, state, HeldBackLimit(state.position, base + carried_))) {
      stopped_ = true;
      return 0;
    }
    size_t rowStart = size_t(state.rowStart - base);
    if (rowStart >= fromPiece) {
      // A row began in the piece: the scan goes on there.
      size_t pieceOffset = joined + (rowStart - fromPiece);
      carryScanned_ = size_t(state.position - state.rowStart);
      carryColumn_ = state.column;
      carried_ = 0;
      return pieceOffset;
    }
    joined += more;
    if (!Carry(state.rowStart, base + carried_, state)) return 0;
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
  size_t rowStart = carried_ > 0 ? JoinCarry(text, length) : 0;
  if (stopped_) return false;
  if (carried_ > 0) return true;  // the whole piece went into the carried row
  // The carry is empty: the row being scanned begins at `rowStart` of the piece.
  RowScanState state{ScanPoint(text + rowStart + carryScanned_), carryColumn_, ScanPoint(text + rowStart)};
  return ScanInPlace(text, length, state);
}

bool StreamGrep::Finish() {
  if (stopped_) return false;
  if (carried_ == 0) return true;
  RowScanState state = CarryState();
  const char* base = carry_.get();
  const char* end = base + carried_;
  if (!ScanRegion(base, state, end)) return false;
  // The last row ends with the text.
  if (state.rowStart < end && rule_.Length() > 0) {
    const uint32_t lastEnd = uint32_t(carried_);
    if (!SearchRows(base, state.rowStart, &lastEnd, 1)) return false;
  }
  carried_ = 0;
  return true;
}
