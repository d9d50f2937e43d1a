// Fuzz target for the gzip reader: the input is the gzip file (headers with every flag, several
// members, trailers), decoded whole; a tar archive inside it is read by the tar reader.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz/archive_fuzz_members.h"
#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/gzip_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BytesReader file(data, size);
  std::unique_ptr<ArchiveReader> reader = NewGzipReader(&file, "fuzz.tar.gz");
  if (reader) ExerciseArchiveReader(*reader, 4);
  return 0;
}
