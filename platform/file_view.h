// FileView: the whole of an open disk file seen in memory, without reading it into a buffer of
// our own, where the system maps files (POSIX).  Elsewhere no view is made and the caller reads.
// A view is either read-only, or a private copy that may be written (the pages are the file's
// until a write copies them) with room after the file's bytes.
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
  // system cannot map it.
  [[nodiscard]] static FileView Map(Handle handle, uint64_t size);
  // A private copy of the first `fileSize` bytes of `handle` in `capacity` (at least fileSize)
  // writable bytes, the rest zero; an empty view when the system cannot map it.
  [[nodiscard]] static FileView MapCopy(Handle handle, uint64_t fileSize, size_t capacity);

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
  // A copy's bytes, to be written; null for a read-only view.
  uint8_t* Writable() const { return writable_ ? bytes_ : nullptr; }
  // True when the file became shorter than the bytes viewed since the view was made.
  [[nodiscard]] bool CutShort() const;
  // For a reader about to go through the file's bytes from the front: where that pays (large
  // views), another processor maps their pages ahead of it and, for a read-only view, lets go
  // of those it reports with Passed.  Advice only.
  void MapPagesAhead();
  // The reader is done with the first `bytes` bytes; they stay readable.
  void Passed(size_t bytes);

 private:
  static FileView MapWith(Handle handle, uint64_t fileSize, size_t capacity, bool writable);
  void Swap(FileView& other) noexcept {
    std::swap(bytes_, other.bytes_);
    std::swap(size_, other.size_);
    std::swap(fileSize_, other.fileSize_);
    std::swap(handle_, other.handle_);
    std::swap(slot_, other.slot_);
    std::swap(writable_, other.writable_);
  }

  uint8_t* bytes_ = nullptr;
  size_t size_ = 0;                 // the bytes of the view
  uint64_t fileSize_ = 0;           // the file's bytes among them
  Handle handle_ = kInvalidHandle;  // the view's own handle of the file
  int slot_ = -1;                   // where the view is registered for the bus-error guard
  bool writable_ = false;
};

}  // namespace fileapi
