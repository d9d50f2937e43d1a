// Following a growing file: identity and size looks, and the choice between appending and
// loading afresh.
#include "viewer/document/document_follow.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool IsShownFromDisk() {
  const Document& doc = TheDocument;
  return doc.Source && !doc.ArchiveFile;
}

constexpr char kEscape = '\x1B';

// Text that reads alike in Shift-JIS, EUC, JIS and UTF-8: 7-bit bytes without escapes.
bool TellsNoKanjiCode(const Document& doc) {
  return std::all_of(doc.Text, doc.TextEnd, [](char c) { return uint8_t(c) < 0x80 && c != kEscape; });
}

}  // namespace

bool CanFollowDocument() {
  fileapi::FileIdentity identity;
  return IsShownFromDisk() && fileapi::Identify(TheDocument.FileName, identity) && identity.plain;
}

DocumentResult StartFollowing(FollowedFile& followed) {
  if (!IsShownFromDisk()) return DocumentResult::kCannotOpen;
  fileapi::FileIdentity identity;
  if (!fileapi::Identify(TheDocument.FileName, identity)) return DocumentResult::kNotFound;
  if (!identity.plain) return DocumentResult::kCannotOpen;
  followed.identity = identity;
  return DocumentResult::kOk;
}

DocumentResult LookAtFollowedFile(FollowedFile& followed) {
  if (!IsShownFromDisk()) return DocumentResult::kCannotOpen;
  fileapi::FileIdentity now;
  if (!fileapi::Identify(TheDocument.FileName, now)) return DocumentResult::kNotFound;
  if (!now.SameFile(followed.identity) || now.size < int64_t(TheDocument.FileSize)) {
    return DocumentResult::kReplaced;
  }
  followed.identity = now;
  if (now.size > int64_t(UINT32_MAX)) return DocumentResult::kTooLarge;
  return AppendToDocument(uint32_t(now.size));
}

DocumentResult LoadFollowedFileAfresh() {
  Document& doc = TheDocument;
  const bool hadText = doc.FileSize > 0;  // an empty file was shown in no code of its own
  const int shownCode = doc.KanjiCode;
  char name[kFileNameSize];
  std::memcpy(name, doc.FileName, sizeof name);
  DocumentResult result = OpenDocument(name, AutoDetect, AutoDetect);
  if (result != DocumentResult::kOk) return result;
  LoadAll();
  if (hadText && doc.DisplayMode == 0 && doc.KanjiCode == kShiftJis && shownCode != kShiftJis &&
      TellsNoKanjiCode(doc)) {
    SetKanjiCode(shownCode);
    LoadAll();
  }
  return DocumentResult::kOk;
}
