// Appending: the bytes a fully loaded file has gained since are read from where the load ended
// and converted with the converter state it ended with, so the text and rows come out as a load
// of the longer file from the start gives them.  A row the old end cut off and a character
// whose bytes were still missing are taken up again, never shown twice.
#include <algorithm>

#include "viewer/document/document.h"
#include "viewer/document/document_loading.h"

namespace {

// Makes the text block hold `bytes`; it grows by at least half, so that a file growing by small
// appends is copied a few times rather than at every look.  The text may move: only Text is
// set again here, the other pointers into it by ResumeAtLoadEnd.
bool EnsureTextRoom(size_t bytes) {
  Document& doc = TheDocument;
  MemoryBlock& block = doc.TextHandle;
  if (block.Size() >= bytes) return true;
  size_t generous = std::max(bytes, block.Size() + block.Size() / 2);
  if (!block.Resize(generous) && !block.Resize(bytes)) return false;
  doc.Text = static_cast<char*>(block.Data());
  return true;
}

// The rows are closed again at the end of what could be loaded.
DocumentResult CloseAfter(DocumentResult result) {
  Document& doc = TheDocument;
  doc.BytesLeft = 0;
  doc.LoadEnd.valid = false;
  *doc.TextEnd = '\0';
  FinishRows();
  if (doc.Source) doc.Source->Suspend();
  return result;
}

}  // namespace

DocumentResult AppendToDocument(uint32_t newSize) {
  Document& doc = TheDocument;
  if (!doc.Source || doc.ArchiveFile) return DocumentResult::kCannotOpen;
  if (newSize < doc.FileSize) return DocumentResult::kReplaced;
  if (doc.BytesLeft > 0 || newSize == doc.FileSize) return DocumentResult::kOk;
  if (!doc.LoadEnd.valid) return DocumentResult::kReplaced;
  if (!FitsInMemory(newSize)) return DocumentResult::kTooLarge;
  if (doc.Source->Seek(int32_t(doc.FileSize), 0) != int(doc.FileSize)) return DocumentResult::kReplaced;
  if (!EnsureTextRoom(size_t(newSize) + kTextSpareBytes)) return DocumentResult::kNoMemory;
  ResumeAtLoadEnd();  // also places the text's pointers in the block, which may have moved
  doc.BytesLeft = newSize - doc.FileSize;
  doc.FileSize = newSize;
  while (doc.BytesLeft > 0) {
    DocumentResult result = LoadChunk();
    if (result == DocumentResult::kCannotOpen) return CloseAfter(DocumentResult::kReplaced);
    if (result != DocumentResult::kOk) return CloseAfter(result);
  }
  doc.Source->Suspend();
  return DocumentResult::kOk;
}
