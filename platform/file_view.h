// FileView: the whole of an open disk file seen in memory, without reading it into a buffer of
// our own, where the system maps files (POSIX).  Elsewhere no view is made and the caller reads.
// A mapped file that is cut short while it is viewed would stop the program at the first page
// past its new end; here those pages read as zeros instead, and the view says it was cut short:
// what was taken from it since is not the file's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

#include "platform/file_api.h"

namespace fileapi {

class FileView {
 public:
  FileView() = default;
  // The first `size` bytes of `handle`, a regular file open for reading; an empty view when the
  // system cannot map it.  The handle must stay open while the view lives.
  [[nodiscard]] static FileView Map(Handle handle, uint64_t size);

  FileView(FileView&& other) noexcept { Swap(other); }
  FileView& operator=(FileView&& other) noexcept {
    FileView old(std::move(other));
    Swap(old);
    return *this;
  }
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;
  ~FileView();

  std::span<const uint8_t> Bytes() const { return {bytes_, size_}; }
  // True when the file became shorter than the view since it was mapped.
  [[nodiscard]] bool CutShort() const;

 private:
  void Swap(FileView& other) noexcept {
    std::swap(bytes_, other.bytes_);
    std::swap(size_, other.size_);
    std::swap(handle_, other.handle_);
    std::swap(slot_, other.slot_);
  }

  const uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
  Handle handle_ = kInvalidHandle;
  int slot_ = -1;  // where the view is registered for the bus-error guard
};

}  // namespace fileapi
