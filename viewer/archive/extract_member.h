// ExtractMemberToFile: copies the whole content of a SourceReader (a plain file or the open
// archive member) into a new file in 2048-byte chunks, reporting progress after every chunk.
// A failed or cancelled copy deletes the partly written file.  The Win32 layer drives its
// progress dialog through ExtractProgress.
#pragma once

#include <cstdint>

#include "viewer/archive/source_reader.h"

enum ExtractResult {
  kExtractOk = 0,
  kExtractCancelled = 1,
  kExtractNoBuffer = 2,
  kExtractShortRead = 3,
  kExtractShortWrite = 4,
  kExtractCannotCreate = 5,
};

class ExtractProgress {
 public:
  // Called after every chunk; false asks to cancel.
  virtual bool Report(uint32_t done, uint32_t total) = 0;

 protected:
  ~ExtractProgress() = default;
};

// progress may be null.  The reader's position is restored afterwards.
int ExtractMemberToFile(SourceReader& reader, const char* path, ExtractProgress* progress);
