// Times the viewer's search over a loaded document: every hit forward from the top, the way
// repeat search finds them (one per row).  Usage: search_bench plain|regex [-i] PATTERN FILE
// Prints: hits, seconds of searching (loading excluded), seconds of loading.
#include <cstdio>
#include <cstring>

#include "bench/bench_timer.h"
#include "viewer/document/document.h"
#include "viewer/search/search_engine.h"
#include "viewer/settings/settings_globals.h"

int main(int argc, char** argv) {
  int arg = 1;
  if (argc < 4) {
    std::fprintf(stderr, "usage: search_bench plain|regex [-i] PATTERN FILE\n");
    return 2;
  }
  bool regex = std::strcmp(argv[arg++], "regex") == 0;
  bool ignoreCase = std::strcmp(argv[arg], "-i") == 0;
  if (ignoreCase) ++arg;
  if (argc - arg != 2) return 2;
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
