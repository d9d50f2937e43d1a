// Loading: restart from byte 0, then 1024 bytes per LoadNextChunk, converted to Shift-JIS in
// place and scanned into rows.  The last 4 bytes of a chunk are held back from the row scan
// until more text arrives, so a CR LF pair or a double-byte character is never split.
#include <algorithm>
#include <utility>

#include "viewer/document/decimal_text.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/document/document_converter.h"
#include "viewer/document/document_loading.h"
#include "viewer/document/document_withdraw.h"
#include "viewer/document/row_scan.h"
#include "viewer/document/scroll_math.h"

namespace {

constexpr int kHeldBackBytes = 4;
constexpr int32_t kTableSlack = 1024;
constexpr int32_t kTableGrowth = 2052;
// LoadAll's chunk.  Smaller than the file reader's read-ahead: reading straight into the text
// block (which larger reads do) writes to memory that is not in the cache and was measured slower
// than reading through the reader's buffer, which stays in the cache.
constexpr uint32_t kBulkLoadChunkSize = 32 * 1024;

int32_t TableCapacity() { return int32_t(TheDocument.LineTableHandle.Size() / sizeof(uint32_t)); }

// Makes room for every row a scan of `bytes` more bytes can add, plus the end entry.  The
// table grows by at least half its size, so that loading a large file copies it a few times
// instead of once per 2052 rows.
bool EnsureTableRoom(int64_t bytes) {
  Document& doc = TheDocument;
  int64_t required = int64_t(doc.LineCount) + bytes + 2;
  if (TableCapacity() >= std::max<int64_t>(doc.LineCount + kTableSlack, required)) return true;
  int64_t least = std::max<int64_t>(doc.LineCount + kTableGrowth, required + kTableSlack);
  int64_t generous = std::max<int64_t>(least, int64_t(TableCapacity()) + TableCapacity() / 2);
  // When memory is short, the least growth may still fit where the generous one does not.
  // Rows are written before they are read: the new part needs no zero fill.
  if (!doc.LineTableHandle.ResizeUnfilled(size_t(generous) * sizeof(uint32_t)) &&
      !doc.LineTableHandle.ResizeUnfilled(size_t(least) * sizeof(uint32_t)))
    return false;
  doc.LineTable = static_cast<uint32_t*>(doc.LineTableHandle.Data());
  return true;
}

void ScanRowsUpTo(char* limit) {
  Document& doc = TheDocument;
  const RowOptions options = Host().CurrentRowOptions();
  RowScanner scanner{options.lineMax, options.tabSize, options.controlCodesShown};
  RowScanState state{doc.ScanPosition, doc.ScanColumn, doc.PendingLineStart};
  int32_t added = scanner.Scan(doc.Text, state, limit, doc.LineTable + doc.LineCount);
  doc.ScanPosition = state.position;
  doc.ScanColumn = state.column;
  doc.PendingLineStart = state.rowStart;
  doc.LineCount += added;
}

void UpdateRowCount() {
  Document& doc = TheDocument;
  if (doc.DisplayMode == 1) {
    doc.RowCount = int32_t((int64_t(doc.TextEnd - doc.Text) + 15) / 16);
  } else {
    doc.RowCount = doc.LineCount;
  }
}


// Loading cannot go on: keep what was loaded, close the rows and tell the user.
int StopLoading(const char* message) {
  Document& doc = TheDocument;
  doc.BytesLeft = 0;
  doc.LoadEnd.valid = false;  // the text stops short of the file's end
  *doc.TextEnd = '\0';
  FinishRows();
  Host().ShowErrorBox(message);
  Host().RefreshTextWindow();
  return 0;
}

}  // namespace

// A fully loaded archive member is checked against the archive's CRC; a mismatch or damaged
// data is worth telling, since the text shown may then be wrong.
void ReportMemberIntegrity() {
  Document& doc = TheDocument;
  if (!doc.ArchiveFile || !doc.Source) return;
  ArchiveResult integrity = static_cast<ArchiveReader&>(*doc.Source).CheckMemberIntegrity();
  if (integrity == ArchiveResult::kCrcMismatch) {
    Host().ShowStatusMessage("CRCが一致しません。書庫が壊れているかもしれません", 1);
  } else if (integrity != ArchiveResult::kOk) {
    Host().ShowStatusMessage("書庫が壊れています。読めたところまでを表示します", 1);
  }
}

namespace {

// Remembers where the load stands before the end of the text is closed (see LoadEndPoint).
void MarkLoadEnd() {
  Document& doc = TheDocument;
  LoadEndPoint& end = doc.LoadEnd;
  end.textLength = uint32_t(doc.TextEnd - doc.Text);
  end.scanOffset = uint32_t(doc.ScanPosition - doc.Text);
  end.rowStartOffset = uint32_t(doc.PendingLineStart - doc.Text);
  end.scanColumn = doc.ScanColumn;
  end.lineCount = doc.LineCount;
  end.converter = ConverterState();
  end.hiddenLead = 0;
  end.valid = true;
}

}  // namespace

void FinishRows() {
  Document& doc = TheDocument;
  if (EnsureTableRoom(doc.TextEnd - doc.ScanPosition)) ScanRowsUpTo(doc.TextEnd);
  doc.LineTable[doc.LineCount] = uint32_t(doc.TextEnd - doc.Text);
  UpdateRowCount();
}

void ShowLoadProgress() {
  Document& doc = TheDocument;
  char position[48];
  char* end = AppendDecimal(position, ShownTopRow(doc.TopLine, doc.RowCount));
  *end++ = '/';
  *AppendDecimal(end, doc.RowCount) = '\0';
  Host().SetPositionText(position);
  uint64_t loaded = uint64_t(doc.FileSize - doc.BytesLeft);
  Host().SetLoadMeter(doc.FileSize ? int(loaded * 100 / doc.FileSize) : 100);
  Host().RefreshTextWindow();
}

void ResumeAtLoadEnd() {
  Document& doc = TheDocument;
  const LoadEndPoint& end = doc.LoadEnd;
  doc.TextEnd = doc.Text + end.textLength;
  doc.ScanPosition = doc.Text + end.scanOffset;
  doc.PendingLineStart = doc.Text + end.rowStartOffset;
  doc.ScanColumn = end.scanColumn;
  doc.LineCount = end.lineCount;
  RestoreConverterState(end.converter);
  *doc.TextEnd = '\0';
}

namespace {

// The text has grown by what arrived (BytesLeft no longer counts it): its end is closed when the
// file is done, and the new rows are scanned.  `markEnd`: a NUL is written after the text (else
// the bytes after it are the file's next ones, already in place; the scan stops short of them).
DocumentResult ScanArrivedText(bool markEnd) {
  Document& doc = TheDocument;
  if (doc.BytesLeft == 0) {
    MarkLoadEnd();
    doc.TextEnd += FinishChunks(doc.TextEnd);  // a character the file cut off
  }
  if (markEnd) *doc.TextEnd = '\0';  // the scanners may look one byte past the text

  if (!EnsureTableRoom(doc.TextEnd - doc.ScanPosition)) return DocumentResult::kNoMemory;
  if (doc.BytesLeft > 0) {
    char* limit = std::max(doc.TextEnd - kHeldBackBytes, doc.ScanPosition);
    ScanRowsUpTo(limit);
    UpdateRowCount();
  } else {
    FinishRows();
  }
  return DocumentResult::kOk;
}

// Files from this size on are loaded from a copy the system makes, where it can: below it a
// few reads cost about as much as setting the copy up.
constexpr uint32_t kSmallestFileCopy = 1u << 20;
// The text a step of a load from a file copy scans.
constexpr uint32_t kFileCopyPiece = 1u << 20;

// At the start of a load of a large disk file whose text is its bytes, the system's private
// copy of the file takes the text block's place: nothing is read, and no page is written but
// where the text is.  False (nothing changed) where no copy can be made.
bool StartFromFileCopy() {
  Document& doc = TheDocument;
  const bool fresh = doc.TextEnd == doc.Text && doc.BytesLeft == doc.FileSize;
  if (!fresh || doc.FileSize < kSmallestFileCopy || doc.ArchiveFile || !doc.Source || !TextIsTheFilesBytes()) {
    return false;
  }
  fileapi::FileView copy = doc.Source->PrivateCopy(doc.FileSize, doc.TextHandle.Size());
  if (!copy.Writable()) return false;
  doc.TextHandle.Adopt(std::move(copy));
  doc.Text = doc.TextEnd = doc.PendingLineStart = doc.ScanPosition = static_cast<char*>(doc.TextHandle.Data());
  return true;
}

// The next piece of a file copy, in place: as a chunk read there would be, but for the NUL after
// it (it would overwrite the next piece's first byte), written only after the last.  A file cut
// short under the copy fails as a read.
DocumentResult TakePieceOfFileCopy(uint32_t size) {
  Document& doc = TheDocument;
  uint32_t n = std::min(doc.BytesLeft, size);
  doc.TextEnd += n;
  doc.BytesLeft -= n;
  DocumentResult result = ScanArrivedText(doc.BytesLeft == 0);
  const fileapi::FileView* copy = doc.TextHandle.FileCopy();
  return result == DocumentResult::kOk && copy && copy->CutShort() ? DocumentResult::kCannotOpen : result;
}

}  // namespace

DocumentResult LoadChunk(uint32_t size) {
  Document& doc = TheDocument;
  uint32_t n = std::min(doc.BytesLeft, size);
  // An escape sequence left open by the last chunk is written back in front of this one.
  char* input = doc.TextEnd + PendingEscapeBytes();
  doc.TextHandle.PrepareFill(size_t(input - doc.Text) + n);
  int got = doc.Source ? doc.Source->Read(input, n) : -1;
  bool shortRead = got != int(n);
  uint32_t arrived = got > 0 ? uint32_t(got) : 0;
  doc.BytesLeft -= shortRead ? 0 : n;
  doc.TextEnd += ConvertChunkTo(doc.TextEnd, input, arrived);
  if (shortRead) return DocumentResult::kCannotOpen;
  return ScanArrivedText(true);
}

bool RestartLoading() {
  Document& doc = TheDocument;
  doc.BytesLeft = doc.FileSize;
  doc.TextEnd = doc.PendingLineStart = doc.ScanPosition = doc.Text;
  doc.ScanColumn = 0;
  *doc.Text = '\0';
  doc.LineCount = doc.RowCount = doc.FileSize > 0 ? 1 : 0;
  doc.LineTable[0] = 0;
  doc.TopLine = 0;
  doc.LoadEnd.valid = false;
  for (int32_t& edge : doc.Selection) edge = -1;
  ResetConverter();
  doc.LeftColumn = 0;
  if (!doc.Source || doc.Source->Seek(0, 0) == 0) return true;
  doc.BytesLeft = 0;  // reading from elsewhere would pass other bytes off as the file's
  doc.LineCount = doc.RowCount = 0;
  return false;
}

namespace {

using LoadStep = DocumentResult (*)(uint32_t size);

// LoadNextChunk with chunks of `size` bytes taken in by `step`.
int LoadNextChunkOf(uint32_t size, LoadStep step = LoadChunk) {
  Document& doc = TheDocument;
  if (doc.BytesLeft == 0) {
    if (doc.Source) doc.Source->Suspend();
    return 1;
  }
  DocumentResult result = step(size);
  if (result == DocumentResult::kCannotOpen) {
    const char* withdrawn = WithdrawDamagedMember();
    return StopLoading(withdrawn ? withdrawn : kReadStoppedMessage);
  }
  if (result == DocumentResult::kNoMemory) return StopLoading("メモリが足りません!これ以上の読み込みを中止します");
  if (doc.BytesLeft == 0) ReportMemberIntegrity();
  ShowLoadProgress();
  if (doc.BytesLeft == 0) LoadNextChunkOf(size, step);
  return 0;
}

}  // namespace

int LoadNextChunk() { return LoadNextChunkOf(kLoadChunkSize); }

void LoadAll() {
  Host().SetBusy(true);
  // The same steps as in idle time, in larger chunks: fewer calls per byte, and each chunk is
  // still in the cache when it is scanned.  A large file is copied by the system where it can.
  if (StartFromFileCopy()) {
    while (TheDocument.BytesLeft > 0) LoadNextChunkOf(kFileCopyPiece, TakePieceOfFileCopy);
  }
  while (TheDocument.BytesLeft > 0) LoadNextChunkOf(kBulkLoadChunkSize);
  LoadNextChunk();
  Host().SetBusy(false);
}
