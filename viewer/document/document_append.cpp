// Appending: the bytes a fully loaded file has gained since are read from where the load ended
// and converted with the converter state it ended with, so the text and rows come out as a load
// of the longer file from the start gives them.  A row the old end cut off and a character
// whose bytes were still missing are taken up again, never shown twice.  A character still
// being written when the append ends is not shown at all until its last byte has come.
#include <algorithm>

#include "text/sjis.h"
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

// Whether the text up to the load end ends in a lead byte whose trail has not come (Shift-JIS,
// and EUC and JIS converted to it): the unfinished row is walked from its start.
bool EndsInCutLead() {
  const Document& doc = TheDocument;
  const LoadEndPoint& end = doc.LoadEnd;
  const char* at = doc.Text + end.rowStartOffset;
  const char* last = doc.Text + end.textLength - 1;
  while (at < last) at += IsSjisLead(uint8_t(at[0])) && IsSjisTrail(uint8_t(at[1])) ? 2 : 1;
  return at == last && IsSjisLead(uint8_t(*at));
}

// The end of an appended text is where the writer happens to be: a character it cut is hidden
// rather than closed.  The load closed the text with the converter's mark for bytes it held
// (UTF-8, UTF-16, a JIS escape) and may end in a lone lead byte; the rows are closed again before
// both, from where they stood at the load end.  The next append writes the character whole.
void HideCutCharacter() {
  Document& doc = TheDocument;
  LoadEndPoint& end = doc.LoadEnd;
  if (doc.DisplayMode == 1 || !end.valid || end.textLength == 0) return;
  const bool leadCut = EndsInCutLead();
  const uint32_t shown = end.textLength - (leadCut ? 1 : 0);
  if (doc.TextEnd == doc.Text + shown) return;
  const char lead = leadCut ? doc.Text[shown] : 0;
  ResumeAtLoadEnd();  // the rows and the converter as they stood before the end was closed
  end.hiddenLead = lead;
  doc.TextEnd = doc.Text + shown;
  *doc.TextEnd = '\0';
  FinishRows();
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
  const char hiddenLead = doc.LoadEnd.hiddenLead;
  ResumeAtLoadEnd();  // also places the text's pointers in the block, which may have moved
  if (hiddenLead) doc.TextEnd[-1] = hiddenLead;  // ending the text, it was overwritten
  doc.BytesLeft = newSize - doc.FileSize;
  doc.FileSize = newSize;
  while (doc.BytesLeft > 0) {
    DocumentResult result = LoadChunk();
    if (result == DocumentResult::kCannotOpen) return CloseAfter(DocumentResult::kReplaced);
    if (result != DocumentResult::kOk) return CloseAfter(result);
  }
  HideCutCharacter();
  doc.Source->Suspend();
  return DocumentResult::kOk;
}
