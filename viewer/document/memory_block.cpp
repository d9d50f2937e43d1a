// MemoryBlock over the C allocator: growth uses realloc, which on large blocks remaps pages
// instead of copying them.  A file copy grows into memory from the allocator.
#include "viewer/document/memory_block.h"

#include <cstring>
#include <utility>

#include "platform/allocation.h"
#include "platform/platform.h"

namespace {
constexpr size_t kLargeBlock = size_t(4) << 20;
// How far PrepareFill backs the pages ahead of the writes.
constexpr size_t kFillAhead = size_t(4) << 20;
}

bool MemoryBlock::Allocate(size_t size, bool zeroFill) {
  Free();
  data_ = AllocateBytes(size, zeroFill);
  if (!data_) return false;
  if (size >= kLargeBlock) AdviseSequentialFill(data_, size);
  size_ = size;
  prepared_ = size < kLargeBlock ? size : 0;
  return true;
}

void MemoryBlock::PrepareFill(size_t end) {
  if (end <= prepared_) return;
  size_t ahead = end + kFillAhead < size_ ? end + kFillAhead : size_;
  PrefaultForWrite(static_cast<char*>(data_) + prepared_, ahead - prepared_);
  prepared_ = ahead;
}

bool MemoryBlock::Resize(size_t size) {
  size_t kept = size_;
  if (!ResizeUnfilled(size)) return false;
  if (size > kept) std::memset(static_cast<char*>(data_) + kept, 0, size - kept);
  return true;
}

bool MemoryBlock::ResizeUnfilled(size_t size) {
  void* grown = copy_.Writable() ? MovedOutOfFileCopy(size) : ReallocateBytes(data_, size);
  if (!grown) return false;
  data_ = grown;
  size_ = size;
  prepared_ = 0;
  return true;
}

void* MemoryBlock::MovedOutOfFileCopy(size_t size) {
  void* moved = AllocateBytes(size, false);
  if (!moved) return nullptr;
  std::memcpy(moved, data_, size < size_ ? size : size_);
  copy_ = fileapi::FileView();
  return moved;
}

void MemoryBlock::Free() {
  if (!copy_.Writable()) FreeBytes(data_);
  copy_ = fileapi::FileView();
  data_ = nullptr;
  size_ = prepared_ = 0;
}

void MemoryBlock::Adopt(fileapi::FileView copy) {
  Free();
  copy_ = std::move(copy);
  data_ = copy_.Writable();
  size_ = data_ ? copy_.Bytes().size() : 0;
  prepared_ = size_;  // (its pages come from the file, or are zero, as they are first touched)
}
