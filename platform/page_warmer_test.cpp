// PageWarmer: it maps every page of a large file mapping without the reader touching one, leaves
// small ranges to the reader, and ends without a fault where the file was cut short under it.
#include "platform/page_warmer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr size_t kLarge = size_t(8) << 20;

// The kilobytes of the mapping at `start` that are mapped to memory, from /proc/self/smaps.
long MappedKib(const void* start) {
  char head[32];
  std::snprintf(head, sizeof head, "%lx-", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(start)));
  std::ifstream smaps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    if (line.find('-') != std::string::npos && line.find(' ') > line.find('-')) inside = line.rfind(head, 0) == 0;
    if (inside && line.rfind("Rss:", 0) == 0) return std::atol(line.c_str() + 4);
  }
  return -1;
}

class WarmedMapping : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("TEST_TMPDIR");
    path_ = std::string(dir && *dir ? dir : "/tmp") + "/page_warmer_test_" + std::to_string(getpid());
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd_, 0);
    std::string piece(1 << 20, 'x');
    for (size_t at = 0; at < kLarge; at += piece.size()) ASSERT_EQ(::write(fd_, piece.data(), piece.size()), ssize_t(piece.size()));
    bytes_ = mmap(nullptr, kLarge, PROT_READ, MAP_PRIVATE, fd_, 0);
    ASSERT_NE(bytes_, MAP_FAILED);
    if (madvise(bytes_, 4096, 22 /* MADV_POPULATE_READ */) != 0) GTEST_SKIP() << "the system cannot map pages ahead";
    ASSERT_EQ(madvise(bytes_, kLarge, MADV_DONTNEED), 0);  // nothing mapped to begin with
    if (sysconf(_SC_NPROCESSORS_ONLN) < 2) GTEST_SKIP() << "one processor: no warming";
  }
  void TearDown() override {
    if (bytes_ != MAP_FAILED) munmap(bytes_, kLarge);
    if (fd_ >= 0) ::close(fd_);
    std::remove(path_.c_str());
  }
  // Waits (a few seconds at most) for the warming to end by itself.
  static bool Ended(const fileapi::PageWarmer& warmer) {
    for (int i = 0; i < 1000 && !warmer.Done(); ++i) usleep(5000);
    return warmer.Done();
  }

  std::string path_;
  int fd_ = -1;
  void* bytes_ = MAP_FAILED;
};

TEST_F(WarmedMapping, MapsEveryPageOfALargeRange) {
  EXPECT_EQ(MappedKib(bytes_), 0);
  fileapi::PageWarmer warmer;
  warmer.Start(bytes_, kLarge);
  ASSERT_TRUE(Ended(warmer));
  warmer.Stop();
  EXPECT_EQ(MappedKib(bytes_), long(kLarge >> 10));
  // A small range is left to its reader: no thread, nothing mapped.
  ASSERT_EQ(madvise(bytes_, kLarge, MADV_DONTNEED), 0);
  warmer.Start(bytes_, fileapi::PageWarmer::kSmallestRange - 4096);
  EXPECT_FALSE(warmer.Done());
  warmer.Stop();
  EXPECT_EQ(MappedKib(bytes_), 0);
}

TEST_F(WarmedMapping, EndsWithoutAFaultWhereTheFileWasCutShort) {
  ASSERT_EQ(ftruncate(fd_, off_t(3) << 20), 0);
  fileapi::PageWarmer warmer;
  warmer.Start(bytes_, kLarge);
  ASSERT_TRUE(Ended(warmer));  // (a bus error would have ended the test program)
  EXPECT_EQ(MappedKib(bytes_), long(3) << 10);  // the pages the file still has
}

TEST_F(WarmedMapping, StopsWhenAskedAndCanStartAgain) {
  fileapi::PageWarmer warmer;
  warmer.Start(bytes_, kLarge);
  warmer.Stop();  // wherever it stood
  EXPECT_LE(MappedKib(bytes_), long(kLarge >> 10));
  warmer.Start(bytes_, kLarge);
  ASSERT_TRUE(Ended(warmer));
  EXPECT_EQ(MappedKib(bytes_), long(kLarge >> 10));
}

}  // namespace
