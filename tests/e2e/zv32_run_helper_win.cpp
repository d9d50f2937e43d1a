// The program the archive filer's end-to-end test associates with ".ZVT" files: it writes the
// path it was given to "run-helper.txt" beside itself, waits a moment (so the test sees it
// running) and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string marker = self;
  marker = marker.substr(0, marker.find_last_of('\\') + 1) + "run-helper.txt";
  if (FILE* out = std::fopen(marker.c_str(), "wb")) {
    std::fputs(argc > 1 ? argv[1] : "", out);
    std::fclose(out);
  }
  Sleep(1500);
  return 0;
}
