// FileReader: a SourceReader over a disk file.  It reads ahead in 64 KiB blocks so that the
// loader's 1024-byte reads cost no system call each.  Suspend closes the file and remembers the
// position; the next Read, Seek or Size reopens it there.  A large file's bytes can be held as
// a view of the file, where the system makes one, for a caller that passes them on as they are;
// and the file can be copied by the system into a block that takes the place of reading it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_api.h"
#include "platform/file_view.h"
#include "viewer/archive/source_reader.h"

class FileReader : public SourceReader {
 public:
  // mode: fileapi::kShareDenyNone for the document, fileapi::kReadOnly for quick checks.
  FileReader(const char* path, int mode);
  ~FileReader() override;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  int IsBad() override;
  int Read(void* buffer, uint32_t count) override;
  int Seek(int32_t offset, int origin) override;
  uint32_t Size() override;
  int Suspend() override;
  // A view of the whole file, made at the first call, for files of kSmallestView bytes or more;
  // its pages are mapped ahead of a caller that takes them from the front, and let go behind it.
  std::span<const uint8_t> HeldBytes() override;
  bool HeldBytesLost() override;
  void HeldBytesPassed(size_t bytes) override;
  fileapi::FileView PrivateCopy(uint32_t size, size_t capacity) override;

  bool IsSuspended() const { return suspended_ != 0; }

 private:
  static constexpr uint32_t kReadAhead = 64 * 1024;
  // Smaller files take a few reads; setting up a view of them costs about as much.
  static constexpr int64_t kSmallestView = 1 << 20;

  [[nodiscard]] bool Resume();
  void CloseHandle();
  [[nodiscard]] int64_t ReadThroughBuffer(char* out, uint32_t count);

  fileapi::Handle handle_ = fileapi::kInvalidHandle;
  std::string path_;
  int suspended_ = 0;
  int64_t savedPosition_ = 0;
  int mode_;

  int64_t position_ = 0;     // logical position of the next byte delivered
  int64_t osPosition_ = 0;   // where the operating system's file pointer stands
  std::unique_ptr<char[]> buffer_;
  int64_t bufferStart_ = 0;  // file position of buffer_[0]
  uint32_t bufferFill_ = 0;  // valid bytes in buffer_
  fileapi::FileView view_;   // the whole file, once HeldBytes made it
};
