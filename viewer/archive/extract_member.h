// ExtractMemberToFile: copies the whole content of a SourceReader (a plain file or the open
// archive member) into a new file in 2048-byte chunks, reporting progress after every chunk.
// A failed or cancelled copy deletes the partly written file.  The Win32 layer drives its
// progress dialog through ExtractProgress.
#pragma once

#include <cstdint>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/archive_result.h"
#include "viewer/archive/source_reader.h"

class ExtractProgress {
 public:
  // Called after every chunk; false asks to cancel.
  virtual bool Report(uint32_t done, uint32_t total) = 0;

 protected:
  ~ExtractProgress() = default;
};

// progress may be null.  The reader's position is restored afterwards.  kOk when the whole
// content was written; otherwise kCancelled, kNoMemory (no copy buffer), kReadFailed (the
// reader delivered fewer bytes than asked), kWriteFailed or kCannotCreate, and no file is left.
[[nodiscard]] ArchiveResult ExtractMemberToFile(SourceReader& reader, const char* path,
                                                ExtractProgress* progress);
// ExtractMemberToFile for the open member of an archive, followed by the archive's own check
// of the bytes: a member whose check fails gives its result (kCrcMismatch, kBroken) and its
// file is deleted.
[[nodiscard]] ArchiveResult ExtractArchiveMemberToFile(ArchiveReader& reader, const char* path,
                                                       ExtractProgress* progress);
