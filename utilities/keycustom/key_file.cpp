// Reading and writing key files (see key_file.h).
#include "utilities/keycustom/key_file.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

KeyFileResult ReadKeyFile(const char* path, AssignmentTable& table) {
  File file(std::fopen(path, "rb"));
  if (!file) return KeyFileResult::kCannotOpen;
  uint8_t image[kKeyTableBytes];
  size_t length = std::fread(image, 1, sizeof image, file.get());
  if (std::ferror(file.get())) return KeyFileResult::kCannotOpen;
  table.LoadRecords({image, length});
  return KeyFileResult::kOk;
}

KeyFileResult WriteKeyFile(const char* path, const AssignmentTable& table) {
  uint8_t image[kKeyTableBytes];
  table.PackImage(image);
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return KeyFileResult::kCannotOpen;
  bool written = std::fwrite(image, 1, sizeof image, file) == sizeof image;
  // Closing flushes: a full disk shows up here.
  if (std::fclose(file) != 0) written = false;
  return written ? KeyFileResult::kOk : KeyFileResult::kCannotWrite;
}
