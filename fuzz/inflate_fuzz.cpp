// Fuzz target for the inflater: the first two bytes choose the output room (up to 64 KiB), the
// rest is the deflate stream.  The stream is decoded twice, into exactly that room and into a
// larger one (which lets the fast loop run further); whatever both produce must agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "viewer/archive/inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t room = size_t(data[0] | data[1] << 8);
  data += 2;
  size -= 2;
  static Inflater inflater;
  std::vector<uint8_t> exact(room), wide(room + 1024);
  size_t exactProduced = 0, wideProduced = 0;
  InflateResult exactResult = inflater.Inflate(data, size, exact.data(), exact.size(), &exactProduced);
  InflateResult wideResult = inflater.Inflate(data, size, wide.data(), wide.size(), &wideProduced);
  if (exactProduced > room || wideProduced > wide.size()) std::abort();
  size_t common = exactProduced < wideProduced ? exactProduced : wideProduced;
  if (common && std::memcmp(exact.data(), wide.data(), common) != 0) std::abort();
  if (exactResult == InflateResult::kOk && (wideResult != InflateResult::kOk || wideProduced != exactProduced))
    std::abort();
  return 0;
}
