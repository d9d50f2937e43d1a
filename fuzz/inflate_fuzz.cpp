// Fuzz target for the inflater: the first two bytes choose the output room (up to 64 KiB), the
// rest is the deflate stream.  The stream is decoded twice, into exactly that room and into a
// larger one (which lets the fast loop run further), and once more into that room by the careful
// loop alone; whatever they produce must agree, and the two exact decodings must be the same.
// The exact decoding also computes its CRC-32 block by block, which must be that of its output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "viewer/archive/inflate.h"
#include "viewer/archive/zip_crc32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t room = size_t(data[0] | data[1] << 8);
  data += 2;
  size -= 2;
  static Inflater inflater;
  std::vector<uint8_t> exact(room), wide(room + 1024), careful(room);
  size_t exactProduced = 0, wideProduced = 0, carefulProduced = 0;
  inflater.ComputeOutputCrc32(true);
  InflateResult exactResult = inflater.Inflate(data, size, exact.data(), exact.size(), &exactProduced);
  inflater.ComputeOutputCrc32(false);
  if (inflater.OutputCrc32() != UpdateCrc32(0, exact.data(), exactProduced)) std::abort();
  InflateResult wideResult = inflater.Inflate(data, size, wide.data(), wide.size(), &wideProduced);
  inflater.UseFastLoop(false);
  InflateResult carefulResult = inflater.Inflate(data, size, careful.data(), careful.size(), &carefulProduced);
  inflater.UseFastLoop(true);
  if (carefulResult != exactResult || carefulProduced != exactProduced ||
      (exactProduced && std::memcmp(exact.data(), careful.data(), exactProduced) != 0))
    std::abort();
  if (exactProduced > room || wideProduced > wide.size()) std::abort();
  size_t common = exactProduced < wideProduced ? exactProduced : wideProduced;
  if (common && std::memcmp(exact.data(), wide.data(), common) != 0) std::abort();
  if (exactResult == InflateResult::kOk && (wideResult != InflateResult::kOk || wideProduced != exactProduced))
    std::abort();
  return 0;
}
