// Fuzzes the LZH static-Huffman methods (block headers, code-length codes, trees).
#include "fuzz/lzh_fuzz_member.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzLzhMember(data, size, {"-lh3-", "-lh4-", "-lh5-", "-lh6-", "-lh7-"});
}
