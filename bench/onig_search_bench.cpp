// Oniguruma (Shift_JIS encoding) over the same rows as the viewer's search: each row as
// FormatRow gives it, the first match per row counted.  Usage: onig_search_bench PATTERN FILE
// Prints: rows with a match, seconds of searching (loading excluded).
#include <oniguruma.h>

#include <cstdio>
#include <cstring>

#include "bench/bench_timer.h"
#include "viewer/document/document.h"
#include "viewer/settings/settings_globals.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: onig_search_bench PATTERN FILE\n");
    return 2;
  }
  OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
  onig_initialize(encodings, 1);
  regex_t* regex = nullptr;
  OnigErrorInfo error;
  const auto* pattern = reinterpret_cast<const OnigUChar*>(argv[1]);
  if (onig_new(&regex, pattern, pattern + std::strlen(argv[1]), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS,
               ONIG_SYNTAX_GNU_REGEX, &error) != ONIG_NORMAL) {
    std::fprintf(stderr, "onig_search_bench: the pattern does not compile\n");
    return 2;
  }
  LineMax = 1000;  // rows are whole lines (up to the 256-byte row limit), as grep sees them
  if (OpenDocument(argv[2], AutoDetect, AutoDetect) != DocumentResult::kOk) return 1;
  LoadAll();
  OnigRegion* region = onig_region_new();
  char row[kMaxRowBytes + 1];
  long hits = 0;
  double start = BenchSeconds();
  for (int32_t n = 0; n < TheDocument.RowCount; ++n) {
    int length = 0;
    FormatRow(n, row, &length);
    const auto* text = reinterpret_cast<const OnigUChar*>(row);
    if (onig_search(regex, text, text + length, text, text + length, region, ONIG_OPTION_NONE) >= 0) ++hits;
  }
  double end = BenchSeconds();
  std::printf("%ld %.4f\n", hits, end - start);
  onig_region_free(region, 1);
  onig_free(regex);
  onig_end();
  return 0;
}
