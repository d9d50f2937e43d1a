// PageWarmer (see the header): madvise(MADV_POPULATE_READ) over the range, a MiB at a time.
#include "platform/page_warmer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

#ifndef MADV_POPULATE_READ
#define MADV_POPULATE_READ 22  // Linux 5.14; older systems refuse it, and the warming ends
#endif

namespace fileapi {
namespace {

// Small enough that a stop waits little, large enough that the calls cost little.
constexpr size_t kPiece = size_t(1) << 20;

bool SecondProcessor() {
  static const bool present = sysconf(_SC_NPROCESSORS_ONLN) > 1;
  return present;
}

}  // namespace

void PageWarmer::Start(const void* start, size_t size) {
  Stop();
  done_.store(false, std::memory_order_relaxed);
  if (size < kSmallestRange || !SecondProcessor()) return;
  stopping_.store(false, std::memory_order_relaxed);
  try {
    thread_ = std::thread([this, start, size] { Warm(static_cast<const char*>(start), size); });
  } catch (...) {  // no thread to be had: the reader maps its pages itself
  }
}

void PageWarmer::Stop() {
  if (!thread_.joinable()) return;
  stopping_.store(true, std::memory_order_relaxed);
  thread_.join();
}

void PageWarmer::Warm(const char* start, size_t size) {
  // madvise wants a page-aligned start; the range is a mapping's, so it has one.  A page the
  // file no longer has makes it fail (no bus error): the warming ends there.
  for (size_t at = 0; at < size; at += kPiece) {
    if (stopping_.load(std::memory_order_relaxed)) return;
    const size_t bytes = std::min(kPiece, size - at);
    if (madvise(const_cast<char*>(start + at), bytes, MADV_POPULATE_READ) != 0) break;
  }
  done_.store(true, std::memory_order_release);
}

}  // namespace fileapi
