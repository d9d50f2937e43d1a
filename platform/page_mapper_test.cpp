// PageMapper: it maps every page of a large file mapping without the reader touching one (but no
// further ahead of the reader than its reach), leaves small ranges to the reader, ends without a
// fault where the file was cut short under it, and lets go of the pages a reader of a read-only
// view passed (they read the file again after).
#include "platform/page_mapper.h"

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
constexpr long kLargeKib = long(kLarge >> 10);

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

// Waits (a few seconds at most) until `done` holds.
template <typename Condition>
bool Eventually(Condition done) {
  for (int i = 0; i < 1000 && !done(); ++i) usleep(5000);
  return done();
}

class MappedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("TEST_TMPDIR");
    path_ = std::string(dir && *dir ? dir : "/tmp") + "/page_mapper_test_" + std::to_string(getpid());
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd_, 0);
    for (size_t at = 0; at < kLarge; at += 4096) {
      std::string page(4096, char('a' + at / 4096 % 26));
      ASSERT_EQ(::write(fd_, page.data(), page.size()), ssize_t(page.size()));
    }
    bytes_ = static_cast<const char*>(mmap(nullptr, kLarge, PROT_READ, MAP_PRIVATE, fd_, 0));
    ASSERT_NE(bytes_, MAP_FAILED);
    if (madvise(const_cast<char*>(bytes_), 4096, 22 /* MADV_POPULATE_READ */) != 0) {
      GTEST_SKIP() << "the system cannot map pages ahead";
    }
    ASSERT_EQ(madvise(const_cast<char*>(bytes_), kLarge, MADV_DONTNEED), 0);  // nothing mapped to begin with
    if (sysconf(_SC_NPROCESSORS_ONLN) < 2) GTEST_SKIP() << "one processor: nothing is done";
  }
  void TearDown() override {
    if (bytes_ != MAP_FAILED) munmap(const_cast<char*>(bytes_), kLarge);
    if (fd_ >= 0) ::close(fd_);
    std::remove(path_.c_str());
  }

  std::string path_;
  int fd_ = -1;
  const char* bytes_ = static_cast<const char*>(MAP_FAILED);
};

TEST_F(MappedFile, MapsEveryPageOfALargeRangeAndLeavesSmallOnesToTheReader) {
  EXPECT_EQ(MappedKib(bytes_), 0);
  fileapi::PageMapper mapper;
  mapper.Start(bytes_, kLarge, false);
  ASSERT_TRUE(Eventually([&] { return mapper.MappedAhead(); }));
  mapper.Stop();
  EXPECT_EQ(MappedKib(bytes_), kLargeKib);
  // No thread for a small range: nothing mapped.
  ASSERT_EQ(madvise(const_cast<char*>(bytes_), kLarge, MADV_DONTNEED), 0);
  mapper.Start(bytes_, fileapi::PageMapper::kSmallestRange - 4096, false);
  EXPECT_FALSE(mapper.MappedAhead());
  mapper.Stop();
  EXPECT_EQ(MappedKib(bytes_), 0);
}

TEST_F(MappedFile, EndsWithoutAFaultWhereTheFileWasCutShort) {
  ASSERT_EQ(ftruncate(fd_, off_t(3) << 20), 0);
  fileapi::PageMapper mapper;
  mapper.Start(bytes_, kLarge, false);
  ASSERT_TRUE(Eventually([&] { return mapper.MappedAhead(); }));  // (a bus error would end the test program)
  EXPECT_EQ(MappedKib(bytes_), long(3) << 10);  // the pages the file still has
}

TEST_F(MappedFile, LetsGoOfWhatTheReaderPassed) {
  fileapi::PageMapper mapper;
  mapper.Start(bytes_, kLarge, true);
  ASSERT_TRUE(Eventually([&] { return mapper.MappedAhead(); }));
  // Less than a piece past: kept for now.  Then half the range, a part of a page beyond it.
  mapper.Passed(4096);
  usleep(20000);
  EXPECT_EQ(MappedKib(bytes_), kLargeKib);
  mapper.Passed(kLarge / 2 + 100);
  EXPECT_TRUE(Eventually([&] { return MappedKib(bytes_) == kLargeKib / 2; })) << MappedKib(bytes_);
  mapper.Passed(kLarge);
  EXPECT_TRUE(Eventually([&] { return MappedKib(bytes_) == 0; })) << MappedKib(bytes_);
  mapper.Stop();
  // What was let go of reads as the file still.
  for (size_t at = 0; at < kLarge; at += 4096) ASSERT_EQ(bytes_[at], char('a' + at / 4096 % 26)) << at;
}

TEST_F(MappedFile, MapsNoFurtherAheadOfTheReaderThanItsReach) {
  constexpr size_t kReach = fileapi::PageMapper::kAhead;
  constexpr size_t kSize = kReach + kLarge;  // (the part past kLarge is a hole: zero pages)
  ASSERT_EQ(ftruncate(fd_, off_t(kSize)), 0);
  const char* bytes = static_cast<const char*>(mmap(nullptr, kSize, PROT_READ, MAP_PRIVATE, fd_, 0));
  ASSERT_NE(bytes, MAP_FAILED);
  fileapi::PageMapper mapper;
  mapper.Start(bytes, kSize, false);
  EXPECT_TRUE(Eventually([&] { return MappedKib(bytes) == long(kReach >> 10); })) << MappedKib(bytes);
  usleep(20000);
  EXPECT_EQ(MappedKib(bytes), long(kReach >> 10));  // waiting for the reader
  EXPECT_FALSE(mapper.MappedAhead());
  mapper.Passed(kLarge);
  EXPECT_TRUE(Eventually([&] { return mapper.MappedAhead(); }));
  EXPECT_EQ(MappedKib(bytes), long(kSize >> 10));
  mapper.Stop();
  munmap(const_cast<char*>(bytes), kSize);
}

TEST_F(MappedFile, StopsWhenAskedAndCanStartAgain) {
  fileapi::PageMapper mapper;
  mapper.Start(bytes_, kLarge, true);
  mapper.Stop();  // wherever it stood, even waiting for the reader
  EXPECT_LE(MappedKib(bytes_), kLargeKib);
  mapper.Start(bytes_, kLarge, false);
  ASSERT_TRUE(Eventually([&] { return mapper.MappedAhead(); }));
  EXPECT_EQ(MappedKib(bytes_), kLargeKib);
}

}  // namespace
