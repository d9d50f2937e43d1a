// PageWarmer: has the system map the pages of a range of memory (a file view) on a thread of
// its own, from the front, a MiB at a time, for a reader that goes through the range the same
// way: the reader then finds its pages mapped instead of faulting on each, and the second
// processor does that work.  Advice only: the reader never waits for it, and it stops at the
// first piece the system will not map (a file cut short, a system without the call).
// POSIX only; the views it warms exist only there.
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace fileapi {

class PageWarmer {
 public:
  // Ranges smaller than this are not worth a thread.
  static constexpr size_t kSmallestRange = size_t(4) << 20;

  PageWarmer() = default;
  PageWarmer(const PageWarmer&) = delete;
  PageWarmer& operator=(const PageWarmer&) = delete;
  ~PageWarmer() { Stop(); }

  // Starts warming [start, start + size) when the range is large enough and a second processor
  // is there to do it; ends any warming started before.
  void Start(const void* start, size_t size);
  // Ends the warming and waits for its thread: call before the range is unmapped.
  void Stop();
  // Whether the warming started last has ended by itself: every page asked for, or the system
  // refused one.
  bool Done() const { return done_.load(std::memory_order_acquire); }

 private:
  void Warm(const char* start, size_t size);

  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> done_{false};
};

}  // namespace fileapi
