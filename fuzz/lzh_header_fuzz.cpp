// Fuzzes the LZH archive reader's header side: the search for the first header and the header
// chain of any level, then every listed entry.
#include <cstddef>
#include <cstdint>
#include <string>

#include "viewer/archive/lzh_reader.h"
#include "viewer/archive/lzh_test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryReader file(std::string(reinterpret_cast<const char*>(data), size));
  LzhReader reader(&file);
  ArchiveEntry entry;
  for (int i = 0; reader.GetEntry(i, entry) == ArchiveResult::kOk; ++i) {
  }
  return 0;
}
