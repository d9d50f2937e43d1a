// Build-time generator: writes the default key table image (1280 bytes) to the file named on
// the command line, for the viewer's resource script (RCDATA 1).
#include <cstdio>

#include "viewer/settings/default_key_table.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: default_keys_gen OUTPUT\n");
    return 2;
  }
  uint8_t image[kKeyTableBytes];
  DefaultKeyTableImage(image);
  FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  bool written = std::fwrite(image, 1, sizeof image, out) == sizeof image;
  if (std::fclose(out) != 0 || !written) {
    std::perror(argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
