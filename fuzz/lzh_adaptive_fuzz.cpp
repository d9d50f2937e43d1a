// Fuzzes the LZH adaptive-Huffman methods (growing and rebuilt trees).
#include "fuzz/lzh_fuzz_member.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzLzhMember(data, size, {"-lh1-", "-lh2-"});
}
