// Following a growing file: identity and size looks, and the choice between appending and
// loading afresh.
#include "viewer/document/document_follow.h"

#include <cstdint>

namespace {

bool IsShownFromDisk() {
  const Document& doc = TheDocument;
  return doc.Source && !doc.ArchiveFile;
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
