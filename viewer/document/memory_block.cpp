// MemoryBlock over the C allocator: growth uses realloc, which on large blocks remaps pages
// instead of copying them.
#include "viewer/document/memory_block.h"

#include <cstring>

#include "platform/allocation.h"
#include "platform/platform.h"

namespace {
constexpr size_t kLargeBlock = size_t(4) << 20;
}

bool MemoryBlock::Allocate(size_t size, bool zeroFill) {
  Free();
  data_ = AllocateBytes(size, zeroFill);
  if (!data_) return false;
  if (size >= kLargeBlock) AdviseSequentialFill(data_, size);
  size_ = size;
  return true;
}

bool MemoryBlock::Resize(size_t size) {
  void* grown = ReallocateBytes(data_, size);
  if (!grown) return false;
  if (size > size_) std::memset(static_cast<char*>(grown) + size_, 0, size - size_);
  data_ = grown;
  size_ = size;
  return true;
}

void MemoryBlock::Free() {
  FreeBytes(data_);
  data_ = nullptr;
  size_ = 0;
}
