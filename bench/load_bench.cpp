// Loads a file through the document core exactly as the viewer does (open, detect, convert,
// index every row) and prints the rows, the bytes and the seconds taken, without output.
#include <time.h>

#include <cstdio>

#include "viewer/document/document.h"

namespace {

double Seconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: load_bench FILE\n");
    return 2;
  }
  double start = Seconds();
  if (OpenDocument(argv[1], AutoDetect, AutoDetect) != DocumentResult::kOk) {
    std::fprintf(stderr, "load_bench: cannot open %s\n", argv[1]);
    return 1;
  }
  LoadAll();
  double elapsed = Seconds() - start;
  std::printf("code %d rows %ld bytes %lu seconds %.4f\n", int(TheDocument.KanjiCode), long(TheDocument.RowCount),
              static_cast<unsigned long>(TheDocument.TextEnd - TheDocument.Text), elapsed);
  return 0;
}
