// Times the viewer's search over a loaded document: every hit forward from the top, the way
// repeat search finds them (one per row); or, with "stream", the streamed search zvcat --grep
// runs over the file's bytes held in memory, fed in the pieces zvcat reads (best of 5).
// Usage: search_bench plain|regex|stream [-i] PATTERN FILE
// Prints: hits, seconds of searching (loading excluded), seconds of loading (reading, for stream).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bench/bench_timer.h"
#include "viewer/document/document.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/stream_grep.h"
#include "viewer/settings/settings_globals.h"

namespace {

class HitCounter final : public StreamHitReceiver {
 public:
  bool Take(const StreamHit&) override {
    ++hits;
    return true;
  }
  long hits = 0;
};

// The streamed search over `path`'s bytes (taken as Shift-JIS), rows as zvcat --line-max 1000 cuts them.
int TimeStreamedSearch(const char* pattern, bool ignoreCase, const char* path) {
  double readStart = BenchSeconds();
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return 1;
  std::string text;
  char block[1 << 16];
  for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) text.append(block, n);
  std::fclose(file);
  const double readSeconds = BenchSeconds() - readStart;
  StringHitRule rule;
  rule.Prepare(pattern, ignoreCase);
  constexpr size_t kPiece = 128 * 1024;
  auto piece = std::make_unique<char[]>(kPiece);
  double best = 1e9;
  long hits = 0;
  for (int run = 0; run < 5; ++run) {
    HitCounter counter;
    StreamGrep grep(RowOptions{1000, 4, true}, rule, counter);
    double seconds = 0;
    for (size_t at = 0; at < text.size(); at += kPiece) {
      // Each piece is copied first, as the system's read copies it, and the search alone timed.
      size_t n = std::min(kPiece, text.size() - at);
      std::memcpy(piece.get(), text.data() + at, n);
      double start = BenchSeconds();
      grep.Take(piece.get(), n);
      seconds += BenchSeconds() - start;
    }
    double start = BenchSeconds();
    grep.Finish();
    seconds += BenchSeconds() - start;
    if (seconds < best) best = seconds;
    hits = counter.hits;
  }
  std::printf("%ld %.4f %.4f\n", hits, best, readSeconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  if (argc < 4) {
    std::fprintf(stderr, "usage: search_bench plain|regex|stream [-i] PATTERN FILE\n");
    return 2;
  }
  bool stream = std::strcmp(argv[arg], "stream") == 0;
  bool regex = std::strcmp(argv[arg++], "regex") == 0;
  bool ignoreCase = std::strcmp(argv[arg], "-i") == 0;
  if (ignoreCase) ++arg;
  if (argc - arg != 2) return 2;
  if (stream) return TimeStreamedSearch(argv[arg], ignoreCase, argv[arg + 1]);
  std::snprintf(SearchPattern, kSearchPatternSize, "%s", argv[arg]);
  CaseSensitive = ignoreCase ? 0 : 1;
  RegexMode = regex ? 1 : 0;
  if (!PrepareSearch() && regex) {
    std::fprintf(stderr, "search_bench: the pattern does not compile\n");
    return 2;
  }
  double loadStart = BenchSeconds();
  LineMax = 1000;  // rows are whole lines (up to the 256-byte row limit), as grep sees them
  if (OpenDocument(argv[arg + 1], AutoDetect, AutoDetect) != DocumentResult::kOk) return 1;
  LoadAll();
  double searchStart = BenchSeconds();
  long hits = 0;
  for (int32_t row = SearchForward(-1, nullptr, nullptr); row >= 0; row = SearchForward(row, nullptr, nullptr)) ++hits;
  double end = BenchSeconds();
  std::printf("%ld %.4f %.4f\n", hits, end - searchStart, searchStart - loadStart);
  return 0;
}
