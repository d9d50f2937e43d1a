// ExtractMemberToFile: complete copies, empty members, cancellation, short reads and paths that
// cannot be created; a failed copy leaves no file behind.
#include "viewer/archive/extract_member.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file_api.h"

namespace {

// A reader over bytes in memory that can be told to stop delivering after some bytes.
class MemoryReader : public SourceReader {
 public:
  explicit MemoryReader(std::vector<char> bytes, size_t failAfter = SIZE_MAX)
      : bytes_(std::move(bytes)), failAfter_(failAfter) {}
  int IsBad() override { return 0; }
  int Read(void* buffer, uint32_t count) override {
    size_t n = std::min<size_t>(count, bytes_.size() - position_);
    if (position_ + n > failAfter_) n = failAfter_ > position_ ? failAfter_ - position_ : 0;
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return int(n);
  }
  int Seek(int32_t offset, int origin) override {
    position_ = size_t((origin == 1 ? int64_t(position_) : 0) + offset);
    return int(position_);
  }
  uint32_t Size() override { return uint32_t(bytes_.size()); }

 private:
  std::vector<char> bytes_;
  size_t failAfter_;
  size_t position_ = 0;
};

struct CountingProgress : ExtractProgress {
  int calls = 0;
  uint32_t lastDone = 0, lastTotal = 0;
  int cancelAt = -1;
  bool Report(uint32_t done, uint32_t total) override {
    lastDone = done;
    lastTotal = total;
    return ++calls != cancelAt;
  }
};

std::string OutPath(const char* name) { return std::string(::testing::TempDir()) + name; }

std::vector<char> ReadBack(const std::string& path) {
  std::vector<char> bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}

std::vector<char> Pattern(size_t size) {
  std::vector<char> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = char(i * 13 + 5);
  return bytes;
}

TEST(ExtractMemberToFile, CopiesEveryByteReportsEveryChunkAndRestoresThePosition) {
  MemoryReader reader(Pattern(5000));
  reader.Seek(123, 0);
  CountingProgress progress;
  std::string path = OutPath("zv_extract_full.bin");
  EXPECT_EQ(ExtractMemberToFile(reader, path.c_str(), &progress), ArchiveResult::kOk);
  EXPECT_EQ(ReadBack(path), Pattern(5000));
  EXPECT_EQ(progress.calls, 3);  // 2048 + 2048 + 904
  EXPECT_EQ(progress.lastDone, 5000u);
  EXPECT_EQ(progress.lastTotal, 5000u);
  EXPECT_EQ(reader.Tell(), 123);
  std::remove(path.c_str());
}

TEST(ExtractMemberToFile, EmptyMemberGivesAnEmptyFile) {
  MemoryReader reader({});
  std::string path = OutPath("zv_extract_empty.bin");
  EXPECT_EQ(ExtractMemberToFile(reader, path.c_str(), nullptr), ArchiveResult::kOk);
  EXPECT_TRUE(fileapi::IsRegularFile(path.c_str()));
  EXPECT_TRUE(ReadBack(path).empty());
  std::remove(path.c_str());
}

TEST(ExtractMemberToFile, CancelAndShortReadDeleteThePartialFile) {
  std::string path = OutPath("zv_extract_partial.bin");
  MemoryReader reader(Pattern(10000));
  CountingProgress cancelSecond;
  cancelSecond.cancelAt = 2;
  EXPECT_EQ(ExtractMemberToFile(reader, path.c_str(), &cancelSecond), ArchiveResult::kCancelled);
  EXPECT_FALSE(fileapi::IsRegularFile(path.c_str()));

  MemoryReader broken(Pattern(10000), 3000);
  EXPECT_EQ(ExtractMemberToFile(broken, path.c_str(), nullptr), ArchiveResult::kReadFailed);
  EXPECT_FALSE(fileapi::IsRegularFile(path.c_str()));
}

TEST(ExtractMemberToFile, UncreatableFileIsReported) {
  MemoryReader reader(Pattern(10));
  std::string path = OutPath("no-such-dir/inner/file.bin");
  EXPECT_EQ(ExtractMemberToFile(reader, path.c_str(), nullptr), ArchiveResult::kCannotCreate);
}

}  // namespace
