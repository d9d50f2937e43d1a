// The C allocator behind the fault plan.
#include "platform/allocation.h"

#include <cstdlib>

void* AllocateBytes(size_t size, bool zeroFill) {
  if (faults::Fails(faults::Operation::kAllocate)) return nullptr;
  if (size == 0) size = 1;
  return zeroFill ? std::calloc(size, 1) : std::malloc(size);
}

void* ReallocateBytes(void* block, size_t size) {
  if (faults::Fails(faults::Operation::kAllocate)) return nullptr;
  return std::realloc(block, size ? size : 1);
}

void FreeBytes(void* block) { std::free(block); }
