// PageMapper: does the system's page-table work for a reader that goes through a file view from
// the front, on a thread of its own (so on the second processor): it has the pages mapped ahead
// of the reader, a MiB at a time and at most kAhead beyond what the reader passed, and, for a
// view that is only read, lets go of those the reader has passed, which would otherwise all be
// unmapped at the end.  Advice only: the reader never
// waits for it; pages let go of are mapped again if read again; a page the file no longer has
// (a file cut short) ends the mapping ahead without a bus error.  POSIX only; the views it
// serves exist only there.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>

namespace fileapi {

class PageMapper {
 public:
  // Ranges smaller than this are not worth a thread.
  static constexpr size_t kSmallestRange = size_t(4) << 20;
  // How far ahead of what the reader passed pages are mapped: enough to stay ahead of any
  // reader, little beside memory (mapped far ahead, a file larger than the free memory would
  // have pages pushed out before the reader reaches them).
  static constexpr size_t kAhead = size_t(32) << 20;

  PageMapper() = default;
  PageMapper(const PageMapper&) = delete;
  PageMapper& operator=(const PageMapper&) = delete;
  ~PageMapper() { Stop(); }

  // Starts on [start, start + size) (page-aligned) when the range is large enough and a second
  // processor is there; with `releaseBehind`, the pages Passed names are let go.  Ends any work
  // started before.
  void Start(const void* start, size_t size, bool releaseBehind);
  // The reader is done with the first `bytes` bytes of the range.
  void Passed(size_t bytes);
  // Ends the work and waits for its thread: call before the range is unmapped.
  void Stop();
  // Whether the mapping ahead started last has ended by itself: every page mapped, or the
  // system refused one.
  bool MappedAhead() const { return mappedAhead_.load(std::memory_order_acquire); }

 private:
  void Run();
  size_t ReleaseBehind(size_t released, size_t passed);

  const char* start_ = nullptr;
  size_t size_ = 0;
  bool releaseBehind_ = false;
  std::thread thread_;
  std::atomic<size_t> passed_{0};
  std::atomic<uint32_t> news_{0};  // counts the calls of Passed and Stop: the thread waits on it
  std::atomic<bool> stopping_{false};
  std::atomic<bool> mappedAhead_{false};
};

}  // namespace fileapi
