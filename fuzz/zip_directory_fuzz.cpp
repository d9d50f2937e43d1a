// Fuzz target for the ZIP reader: the input is the archive file.  The directory is read, every
// entry listed, and the first members opened, read and sought.
#include <cstddef>
#include <cstdint>

#include "fuzz/archive_fuzz_members.h"
#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/zip_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BytesReader file(data, size);
  ZipReader zip(&file);
  ExerciseArchiveReader(zip, 4);
  return 0;
}
