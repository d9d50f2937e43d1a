// Reading and writing key files (see key_file.h), through the platform's file API.
#include "utilities/keycustom/key_file.h"

#include "platform/file_api.h"

namespace {

// Closes the file when the scope ends.
class OpenFile {
 public:
  explicit OpenFile(fileapi::Handle handle) : handle_(handle) {}
  ~OpenFile() {
    if (handle_ != fileapi::kInvalidHandle) fileapi::Close(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  bool IsOpen() const { return handle_ != fileapi::kInvalidHandle; }
  fileapi::Handle handle() const { return handle_; }

 private:
  fileapi::Handle handle_;
};

// Reads until `size` bytes or the end of the file (reads may come back short); -1 on failure.
int64_t ReadUpTo(fileapi::Handle file, uint8_t* out, uint32_t size) {
  uint32_t done = 0;
  while (done < size) {
    int64_t n = fileapi::Read(file, out + done, size - done);
    if (n < 0) return -1;
    if (n == 0) break;
    done += uint32_t(n);
  }
  return done;
}

bool WriteAll(fileapi::Handle file, const uint8_t* bytes, uint32_t size) {
  uint32_t done = 0;
  while (done < size) {
    int64_t n = fileapi::Write(file, bytes + done, size - done);
    if (n <= 0) return false;
    done += uint32_t(n);
  }
  return true;
}

}  // namespace

KeyFileResult ReadKeyFile(const char* path, AssignmentTable& table) {
  OpenFile file(fileapi::Open(path, fileapi::kReadOnly));
  if (!file.IsOpen()) return KeyFileResult::kCannotOpen;
  uint8_t image[kKeyTableBytes];
  int64_t length = ReadUpTo(file.handle(), image, sizeof image);
  if (length < 0) return KeyFileResult::kCannotOpen;
  table.LoadRecords({image, size_t(length)});
  return KeyFileResult::kOk;
}

KeyFileResult WriteKeyFile(const char* path, const AssignmentTable& table) {
  uint8_t image[kKeyTableBytes];
  table.PackImage(image);
  bool written;
  {
    OpenFile file(fileapi::Create(path));
    if (!file.IsOpen()) return KeyFileResult::kCannotOpen;
    written = WriteAll(file.handle(), image, sizeof image);
  }
  if (written) return KeyFileResult::kOk;
  // A cut-off key file would read back as a table with its last keys missing.
  (void)fileapi::Delete(path);  // best effort: the failure is reported either way
  return KeyFileResult::kCannotWrite;
}
