// Fuzz target for the ZIP reader: the input is the archive file.  The directory is read, every
// entry listed, and the first members opened, read and sought.
#include <cstddef>
#include <cstdint>

#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/zip_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BytesReader file(data, size);
  ZipReader zip(&file);
  ArchiveEntry entry;
  for (int i = 0; i < zip.MemberCount(); ++i) (void)zip.GetEntry(i, entry);  // any outcome will do
  for (int i = 0; i < zip.MemberCount() && i < 4; ++i) {
    if (zip.OpenMember(i) != ArchiveResult::kOk) continue;
    uint8_t buffer[512];
    while (zip.Read(buffer, sizeof buffer) > 0) {
    }
    (void)zip.Seek(-7, 2);  // any outcome will do
    (void)zip.Read(buffer, sizeof buffer);
  }
  return 0;
}
