// Fuzz target for the tar reader: the input is the tar archive (header blocks, GNU long names,
// pax records, links); every entry is listed and the first members read.
#include <cstddef>
#include <cstdint>

#include "fuzz/archive_fuzz_members.h"
#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/tar_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BytesReader file(data, size);
  TarReader tar(&file);
  ExerciseArchiveReader(tar, 8);
  return 0;
}
