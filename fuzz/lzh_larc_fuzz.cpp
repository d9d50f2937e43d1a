// Fuzzes the LZH LArc methods and the stored ones.
#include "fuzz/lzh_fuzz_member.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzLzhMember(data, size, {"-lzs-", "-lz5-", "-lh0-", "-lz4-"});
}
