// FileView on POSIX: the file mapped read-only or as a private copy (anonymous pages reserved
// for the whole copy first, the file mapped over their start), and a bus-error handler that
// guards the mapped ranges.  A bus error inside one of them (the file was cut short, so the
// page has no bytes left behind it) maps zero pages over the rest of the range (writable for a
// copy), marks the view cut short and lets the access go on; any other bus error goes to the
// handler that was there before, or ends the program as it would have without ours.  A view
// keeps a handle of its own, so that it can tell how long the file is now.
#include "platform/file_view.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

#include "platform/page_mapper.h"

namespace fileapi {
namespace {

// Views open at once; a view asked for beyond them is not made (the caller reads instead).
constexpr int kGuardedViews = 8;

// One guarded range.  The handler reads it while the program may be changing it, so every field
// is atomic: a range is published by its start, last, and withdrawn by clearing the start first.
struct GuardedRange {
  std::atomic<uintptr_t> start{0};
  std::atomic<size_t> size{0};
  std::atomic<bool> writable{false};
  std::atomic<bool> cutShort{false};
  std::atomic<bool> taken{false};
};

GuardedRange guarded[kGuardedViews];

// The page mapping of each guarded view.  Never destroyed: a view that outlives the program's
// statics still stops its mapper before it is unmapped.
PageMapper& MapperOf(int slot) {
  static PageMapper* const mappers = new PageMapper[kGuardedViews];
  return mappers[slot];
}

struct sigaction previousBusAction;
uintptr_t pageSize = 4096;

// Hands a bus error that is not ours to whoever had it before us.
void PassOn(int signal, siginfo_t* info, void* context) {
  const struct sigaction& previous = previousBusAction;
  if ((previous.sa_flags & SA_SIGINFO) && previous.sa_sigaction) {
    previous.sa_sigaction(signal, info, context);
    return;
  }
  if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    previous.sa_handler(signal);
    return;
  }
  // The default action: taken once the handler returns (the signal is blocked until then).
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  sigemptyset(&standard.sa_mask);
  sigaction(signal, &standard, nullptr);
  raise(signal);
}

// Zero pages from the page of `address` to the end of the range.
bool CoverWithZeros(const GuardedRange& range, uintptr_t start, uintptr_t address) {
  const uintptr_t page = address & ~(pageSize - 1);
  const size_t rest = start + range.size.load(std::memory_order_acquire) - page;
  const int access = range.writable.load(std::memory_order_acquire) ? PROT_READ | PROT_WRITE : PROT_READ;
  void* zeros = mmap(reinterpret_cast<void*>(page), rest, access, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
  return zeros != MAP_FAILED;
}

void OnBusError(int signal, siginfo_t* info, void* context) {
  const uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
  for (GuardedRange& range : guarded) {
    const uintptr_t start = range.start.load(std::memory_order_acquire);
    if (start == 0 || address < start || address - start >= range.size.load(std::memory_order_acquire)) continue;
    if (!CoverWithZeros(range, start, address)) break;
    range.cutShort.store(true, std::memory_order_release);
    return;
  }
  PassOn(signal, info, context);
}

bool InstallGuard() {
  const long size = sysconf(_SC_PAGESIZE);
  if (size > 0) pageSize = uintptr_t(size);
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO | SA_RESTART;
  sigemptyset(&action.sa_mask);
  return sigaction(SIGBUS, &action, &previousBusAction) == 0;
}

bool GuardInstalled() {
  static const bool installed = InstallGuard();
  return installed;
}

int TakeSlot() {
  for (int i = 0; i < kGuardedViews; ++i) {
    bool free = false;
    if (guarded[i].taken.compare_exchange_strong(free, true)) return i;
  }
  return -1;
}

// The view's bytes: for a copy, anonymous pages for the whole capacity with the file mapped
// over their start; MAP_FAILED when the system cannot make it.
void* MapBytes(int fd, uint64_t fileSize, size_t capacity, bool writable) {
  if (!writable) return mmap(nullptr, capacity, PROT_READ, MAP_PRIVATE, fd, 0);
  void* bytes = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (bytes == MAP_FAILED) return bytes;
  if (mmap(bytes, size_t(fileSize), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_FIXED, fd, 0) == MAP_FAILED) {
    munmap(bytes, capacity);
    return MAP_FAILED;
  }
  return bytes;
}

}  // namespace

FileView FileView::Map(Handle handle, uint64_t size) { return MapWith(handle, size, size_t(size), false); }

FileView FileView::MapCopy(Handle handle, uint64_t fileSize, size_t capacity) {
  return capacity >= fileSize ? MapWith(handle, fileSize, capacity, true) : FileView();
}

FileView FileView::MapWith(Handle handle, uint64_t fileSize, size_t capacity, bool writable) {
  if (fileSize == 0 || fileSize > SIZE_MAX || !GuardInstalled()) return {};
  const int slot = TakeSlot();
  if (slot < 0) return {};
  GuardedRange& range = guarded[slot];
  const int fd = fcntl(int(handle), F_DUPFD_CLOEXEC, 0);
  void* bytes = fd < 0 ? MAP_FAILED : MapBytes(fd, fileSize, capacity, writable);
  if (bytes == MAP_FAILED) {
    if (fd >= 0) close(fd);
    range.taken.store(false);
    return {};
  }
  madvise(bytes, size_t(fileSize), MADV_SEQUENTIAL);  // read ahead further when the file is not cached
  range.cutShort.store(false);
  range.writable.store(writable);
  range.size.store(size_t(fileSize), std::memory_order_release);  // (the anonymous rest cannot fault)
  range.start.store(reinterpret_cast<uintptr_t>(bytes), std::memory_order_release);
  FileView view;
  view.bytes_ = static_cast<uint8_t*>(bytes);
  view.size_ = capacity;
  view.fileSize_ = fileSize;
  view.handle_ = fd;
  view.slot_ = slot;
  view.writable_ = writable;
  return view;
}

FileView::~FileView() {
  if (slot_ < 0) return;
  MapperOf(slot_).Stop();
  GuardedRange& range = guarded[slot_];
  range.start.store(0, std::memory_order_release);
  munmap(bytes_, size_);
  close(int(handle_));
  range.taken.store(false);
}

void FileView::MapPagesAhead() {
  if (slot_ >= 0) MapperOf(slot_).Start(bytes_, size_t(fileSize_), !writable_);
}

void FileView::Passed(size_t bytes) {
  if (slot_ >= 0) MapperOf(slot_).Passed(bytes);
}

bool FileView::CutShort() const {
  if (slot_ < 0) return false;
  // A cut within the last page leaves it mapped, its lost bytes reading as zeros: the size tells.
  return guarded[slot_].cutShort.load(std::memory_order_acquire) || Size(handle_) < int64_t(fileSize_);
}

}  // namespace fileapi
