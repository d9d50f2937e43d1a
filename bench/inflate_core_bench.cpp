// inflate_core_bench STREAM SIZE [ROUNDS]: decodes one raw deflate stream (SIZE bytes of output)
// in process with our Inflater, zlib and libdeflate, into the same already-touched output block,
// and prints each decoder's best and median MB/s and their speed against ours.  The peers whose
// development files are missing are left out.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/bench_timer.h"
#include "viewer/archive/inflate.h"

#if ZV_BENCH_ZLIB
#include <zlib.h>
#endif
#if ZV_BENCH_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace {

struct Timing {
  double best = 0;
  double median = 0;
};

std::vector<uint8_t> ReadWholeFile(const char* path) {
  std::vector<uint8_t> data;
  FILE* f = std::fopen(path, "rb");
  if (!f) return data;
  uint8_t chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
  std::fclose(f);
  return data;
}

// Runs `decode` (returns the bytes produced) `rounds` times; a wrong size stops the driver.
template <typename Decode>
bool Measure(const char* name, int rounds, size_t expected, Decode decode, Timing* timing) {
  std::vector<double> seconds;
  for (int r = 0; r < rounds; ++r) {
    double start = BenchSeconds();
    size_t produced = decode();
    seconds.push_back(BenchSeconds() - start);
    if (produced != expected) {
      std::fprintf(stderr, "inflate_core_bench: %s produced %zu bytes, not %zu\n", name, produced, expected);
      return false;
    }
  }
  std::sort(seconds.begin(), seconds.end());
  timing->best = seconds.front();
  timing->median = seconds[seconds.size() / 2];
  return true;
}

void Report(const char* name, size_t size, const Timing& t, const Timing& ours) {
  std::printf("  %-22s best %8.1f MB/s  median %8.1f MB/s  speed against ours %.2f\n", name,
              double(size) / t.best / 1e6, double(size) / t.median / 1e6, ours.best / t.best);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: inflate_core_bench STREAM SIZE [ROUNDS]\n");
    return 2;
  }
  std::vector<uint8_t> stream = ReadWholeFile(argv[1]);
  size_t size = size_t(std::strtoull(argv[2], nullptr, 10));
  int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  std::vector<uint8_t> out(size + 1, 1);  // touched, so no decoder pays for the page faults
  Inflater inflater;
  Timing ours;
  bool good = Measure("Inflater", rounds, size, [&] {
    size_t produced = 0;
    InflateResult result = inflater.Inflate(stream.data(), stream.size(), out.data(), out.size(), &produced);
    return result == InflateResult::kOk ? produced : 0;
  }, &ours);
  if (!good) return 1;
  std::printf("inflate in process, %zu bytes to %zu bytes, %d rounds\n", stream.size(), size, rounds);
  Report("Inflater", size, ours, ours);
#if ZV_BENCH_ZLIB
  Timing zlib;
  good = Measure("zlib", rounds, size, [&] {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return size_t(0);
    z.next_in = stream.data();
    z.avail_in = uInt(stream.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    int status = inflate(&z, Z_FINISH);
    size_t produced = status == Z_STREAM_END ? size_t(z.total_out) : 0;
    inflateEnd(&z);
    return produced;
  }, &zlib);
  if (good) Report("zlib", size, zlib, ours);
#endif
#if ZV_BENCH_LIBDEFLATE
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  Timing libdeflate;
  good = d && Measure("libdeflate", rounds, size, [&] {
    size_t produced = 0;
    libdeflate_result r = libdeflate_deflate_decompress(d, stream.data(), stream.size(), out.data(), out.size(), &produced);
    return r == LIBDEFLATE_SUCCESS ? produced : 0;
  }, &libdeflate);
  if (good) Report("libdeflate", size, libdeflate, ours);
  if (d) libdeflate_free_decompressor(d);
#endif
  return good ? 0 : 1;
}
