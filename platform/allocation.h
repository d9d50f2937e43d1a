// The core's heap allocations, failing as results (null), never as exceptions, and failing on
// purpose when a test's fault plan says so.  Blocks come from the C allocator; arrays and
// objects are owned by std::unique_ptr.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

#include "platform/fault_plan.h"

// A block of `size` bytes (zero-filled when asked), or null.  Free with FreeBytes.
[[nodiscard]] void* AllocateBytes(size_t size, bool zeroFill);
// The block resized, keeping its contents, or null (the old block is still valid then).
[[nodiscard]] void* ReallocateBytes(void* block, size_t size);
void FreeBytes(void* block);

// An array of n default-initialised elements, or null.
template <class T>
[[nodiscard]] std::unique_ptr<T[]> NewArray(size_t n) {
  if (faults::Fails(faults::Operation::kAllocate)) return nullptr;
  return std::unique_ptr<T[]>(new (std::nothrow) T[n ? n : 1]);
}

// An object, or null.
template <class T, class... Args>
[[nodiscard]] std::unique_ptr<T> NewObject(Args&&... args) {
  if (faults::Fails(faults::Operation::kAllocate)) return nullptr;
  return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}
