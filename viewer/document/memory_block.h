// MemoryBlock: an owned, resizable block of bytes (the document's text and line table).
// Growth keeps the contents and zero-fills the new part.  Allocation failures are results.
// A block can also be a private copy of a file made by the system (see FileView), which takes
// the place of reading the file into it; it is moved to ordinary memory when it grows.
#pragma once

#include <cstddef>

#include "platform/file_view.h"

class MemoryBlock {
 public:
  MemoryBlock() = default;
  ~MemoryBlock() { Free(); }
  MemoryBlock(const MemoryBlock&) = delete;
  MemoryBlock& operator=(const MemoryBlock&) = delete;

  // Replaces the block by a new one of `size` bytes; false (and no block) on failure.
  bool Allocate(size_t size, bool zeroFill);
  // Resizes, keeping the contents; false (block unchanged) on failure.
  bool Resize(size_t size);
  // The same without zero-filling the new part, for a block whose bytes are always written
  // before they are read: a large block's new pages are then not touched until they are used.
  bool ResizeUnfilled(size_t size);
  void Free();
  // Becomes `copy` (a writable FileView), in place of the block it was.
  void Adopt(fileapi::FileView copy);
  // The file copy the block is, or null.
  const fileapi::FileView* FileCopy() const { return copy_.Writable() ? &copy_ : nullptr; }
  // About to write the block up to byte `end`: a large block gets its pages ahead of the
  // writes, a few megabytes at a time (far cheaper than a page fault per page).
  void PrepareFill(size_t end);
  void* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  // The block's bytes moved to `size` bytes of ordinary memory (the copy is given up), or null.
  void* MovedOutOfFileCopy(size_t size);

  void* data_ = nullptr;
  size_t size_ = 0;
  size_t prepared_ = 0;  // the pages before this offset are backed already
  fileapi::FileView copy_;  // what data_ points into, when the block is a file copy
};
