// PageMapper (see the header): madvise(MADV_POPULATE_READ) ahead of the reader, a MiB at a time,
// and madvise(MADV_DONTNEED) behind it (a private mapping that was never written reads the file
// again after it).
#include "platform/page_mapper.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

#ifndef MADV_POPULATE_READ
#define MADV_POPULATE_READ 22  // Linux 5.14; older systems refuse it, and the mapping ahead ends
#endif

namespace fileapi {
namespace {

// Small enough that a stop waits little and the reader is soon followed, large enough that the
// calls cost little.
constexpr size_t kPiece = size_t(1) << 20;

bool SecondProcessor() {
  static const bool present = sysconf(_SC_NPROCESSORS_ONLN) > 1;
  return present;
}

size_t PageFloor(size_t offset) {
  static const size_t page = size_t(std::max(sysconf(_SC_PAGESIZE), 1L));
  return offset - offset % page;
}

}  // namespace

void PageMapper::Start(const void* start, size_t size, bool releaseBehind) {
  Stop();
  mappedAhead_.store(false, std::memory_order_relaxed);
  if (size < kSmallestRange || !SecondProcessor()) return;
  start_ = static_cast<const char*>(start);
  size_ = size;
  releaseBehind_ = releaseBehind;
  passed_.store(0, std::memory_order_relaxed);
  stopping_.store(false, std::memory_order_relaxed);
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (...) {  // no thread to be had: the reader maps its pages itself
  }
}

void PageMapper::Passed(size_t bytes) {
  passed_.store(bytes, std::memory_order_release);
  news_.fetch_add(1, std::memory_order_release);
  news_.notify_one();
}

void PageMapper::Stop() {
  if (!thread_.joinable()) return;
  stopping_.store(true, std::memory_order_release);
  news_.fetch_add(1, std::memory_order_release);
  news_.notify_one();
  thread_.join();
}

// Lets go of the pages from `released` up to what the reader passed, once that is a piece or
// the whole range; returns where the released pages now end.
size_t PageMapper::ReleaseBehind(size_t released, size_t passed) {
  const size_t end = passed >= size_ ? size_ : PageFloor(passed);
  if (!releaseBehind_ || end <= released || (end - released < kPiece && end < size_)) return released;
  madvise(const_cast<char*>(start_ + released), end - released, MADV_DONTNEED);
  return end;
}

void PageMapper::Run() {
  size_t mapped = 0;
  size_t released = 0;
  bool mapping = true;
  while (!stopping_.load(std::memory_order_acquire)) {
    const uint32_t seen = news_.load(std::memory_order_acquire);
    const size_t passed = std::min(passed_.load(std::memory_order_acquire), size_);
    released = ReleaseBehind(released, passed);
    mapped = std::max(mapped, PageFloor(passed));  // (never map what was passed)
    mapping = mapping && mapped < size_;
    if (mapping && mapped - PageFloor(passed) < kAhead) {
      // A page the file no longer has makes the call fail: the mapping ahead ends there.
      const size_t bytes = std::min(kPiece, size_ - mapped);
      mapping = madvise(const_cast<char*>(start_ + mapped), bytes, MADV_POPULATE_READ) == 0;
      mapped += bytes;
      continue;
    }
    if (!mapping) {
      mappedAhead_.store(true, std::memory_order_release);
      if (!releaseBehind_ || released >= size_) return;
    }
    news_.wait(seen, std::memory_order_acquire);  // until the reader passes more, or a stop
  }
}

}  // namespace fileapi
