// inflate_core_bench STREAM SIZE [ROUNDS]: decodes one raw deflate stream (SIZE bytes of output)
// in process with our Inflater, zlib and libdeflate, into the same already-touched output block,
// taking turns round by round, and prints each decoder's best and median MB/s of processor time
// and its speed against ours (best against best).  The peers whose
// development files are missing are left out.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include <time.h>

#include "viewer/archive/inflate.h"

#if ZV_BENCH_ZLIB
#include <zlib.h>
#endif
#if ZV_BENCH_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace {

// The process's processor time: other work on a shared machine leaves it nearly untouched.
double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

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

// One decoder: its name, the call that returns the bytes it produced, and its times.
struct Decoder {
  const char* name;
  std::function<size_t()> decode;
  std::vector<double> seconds;
};

// Runs every decoder once per round, in turn, so that a change in the machine's speed falls on
// all of them alike; false when one produces a wrong size.
bool MeasureInTurn(std::vector<Decoder>& decoders, int rounds, size_t expected) {
  for (int r = 0; r < rounds; ++r) {
    for (Decoder& d : decoders) {
      double start = CpuSeconds();
      size_t produced = d.decode();
      d.seconds.push_back(CpuSeconds() - start);
      if (produced != expected) {
        std::fprintf(stderr, "inflate_core_bench: %s produced %zu bytes, not %zu\n", d.name, produced, expected);
        return false;
      }
    }
  }
  return true;
}

Timing TimingOf(std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  return {seconds.front(), seconds[seconds.size() / 2]};
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
  std::vector<Decoder> decoders;
  decoders.push_back({"Inflater", [&] {
    size_t produced = 0;
    InflateResult result = inflater.Inflate(stream.data(), stream.size(), out.data(), out.size(), &produced);
    return result == InflateResult::kOk ? produced : 0;
  }, {}});
#if ZV_BENCH_ZLIB
  decoders.push_back({"zlib", [&] {
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
  }, {}});
#endif
#if ZV_BENCH_LIBDEFLATE
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  if (d) {
    decoders.push_back({"libdeflate", [&] {
      size_t produced = 0;
      libdeflate_result r = libdeflate_deflate_decompress(d, stream.data(), stream.size(), out.data(), out.size(), &produced);
      return r == LIBDEFLATE_SUCCESS ? produced : 0;
    }, {}});
  }
#endif
  bool good = MeasureInTurn(decoders, rounds, size);
  if (good) {
    std::printf("inflate in process, %zu bytes to %zu bytes, %d rounds in turn\n", stream.size(), size, rounds);
    Timing ours = TimingOf(decoders[0].seconds);
    for (const Decoder& decoder : decoders) Report(decoder.name, size, TimingOf(decoder.seconds), ours);
  }
#if ZV_BENCH_LIBDEFLATE
  if (d) libdeflate_free_decompressor(d);
#endif
  return good ? 0 : 1;
}
