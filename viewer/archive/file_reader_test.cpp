// FileReader: reads through the read-ahead buffer, seeks, suspends and resumes, and fails
// cleanly on files that are missing or vanish while suspended.
#include "viewer/archive/file_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string TempPath(const char* name) { return std::string(::testing::TempDir()) + name; }

std::vector<unsigned char> WriteFile(const std::string& path, size_t size) {
  std::vector<unsigned char> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>((i * 7 + i / 251) & 0xFF);
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return bytes;
}

TEST(FileReader, MissingFileIsBadAndReadsFail) {
  FileReader reader(TempPath("no-such-file").c_str(), fileapi::kShareDenyNone);
  EXPECT_TRUE(reader.IsBad());
  char buffer[4];
  EXPECT_EQ(reader.Read(buffer, 4), -1);
  EXPECT_EQ(reader.GetByte(), -1);
}

TEST(FileReader, ReadsEveryByteInOddChunksAcrossReadAheadBlocks) {
  std::string path = TempPath("zv_reader_chunks.bin");
  auto bytes = WriteFile(path, 200000);
  FileReader reader(path.c_str(), fileapi::kShareDenyNone);
  ASSERT_FALSE(reader.IsBad());
  EXPECT_EQ(reader.Size(), 200000u);
  std::vector<unsigned char> got;
  std::vector<unsigned char> chunk(70001);
  for (uint32_t step : {1u, 1023u, 70001u, 5u, 65536u, 100000u}) {
    int n = reader.Read(chunk.data(), step);
    ASSERT_GE(n, 0);
    got.insert(got.end(), chunk.begin(), chunk.begin() + n);
    if (n < int(step)) break;
  }
  ASSERT_EQ(got.size(), bytes.size());
  EXPECT_EQ(got, bytes);
  EXPECT_EQ(reader.Tell(), 200000);
  EXPECT_EQ(reader.Read(chunk.data(), 10), 0);
  std::remove(path.c_str());
}

TEST(FileReader, SeekOriginsAndLittleEndianWords) {
  std::string path = TempPath("zv_reader_seek.bin");
  auto bytes = WriteFile(path, 100000);
  FileReader reader(path.c_str(), fileapi::kReadOnly);
  EXPECT_EQ(reader.Seek(70000, 0), 70000);
  EXPECT_EQ(reader.GetByte(), bytes[70000]);
  EXPECT_EQ(reader.Seek(-2, 1), 69999);
  EXPECT_EQ(reader.GetWord(), bytes[69999] | (bytes[70000] << 8));
  EXPECT_EQ(reader.Seek(-4, 2), 99996);
  uint32_t expected = bytes[99996] | (bytes[99997] << 8) | (bytes[99998] << 16) | (uint32_t(bytes[99999]) << 24);
  EXPECT_EQ(reader.GetDword(), expected);
  EXPECT_EQ(reader.Seek(-1, 0), -1);
  EXPECT_EQ(reader.Seek(0, 7), -1);
  std::remove(path.c_str());
}

TEST(FileReader, SuspendReleasesTheFileAndResumesAtThePosition) {
  std::string path = TempPath("zv_reader_suspend.bin");
  auto bytes = WriteFile(path, 5000);
  FileReader reader(path.c_str(), fileapi::kShareDenyNone);
  unsigned char buffer[100];
  ASSERT_EQ(reader.Read(buffer, 100), 100);
  EXPECT_EQ(reader.Suspend(), 1);
  EXPECT_EQ(reader.Suspend(), 1);
  EXPECT_TRUE(reader.IsSuspended());
  EXPECT_FALSE(reader.IsBad());
  // The handle is released: the file can be deleted and re-created meanwhile.
  ASSERT_EQ(std::remove(path.c_str()), 0);
  bytes = WriteFile(path, 5000);
  ASSERT_EQ(reader.Read(buffer, 100), 100);
  EXPECT_FALSE(reader.IsSuspended());
  EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 100),
            std::vector<unsigned char>(bytes.begin() + 100, bytes.begin() + 200));
  std::remove(path.c_str());
}

TEST(FileReader, ResumeFailsWhenTheFileIsGone) {
  std::string path = TempPath("zv_reader_gone.bin");
  WriteFile(path, 10);
  FileReader reader(path.c_str(), fileapi::kShareDenyNone);
  reader.Suspend();
  std::remove(path.c_str());
  char buffer[4];
  EXPECT_EQ(reader.Read(buffer, 4), -1);
  EXPECT_EQ(reader.Seek(0, 0), -1);
  EXPECT_EQ(reader.Size(), uint32_t(-1));
  EXPECT_TRUE(reader.IsBad());
}

TEST(FileReader, DirectoryIsNotAFile) {
  FileReader reader(::testing::TempDir().c_str(), fileapi::kShareDenyNone);
  EXPECT_TRUE(reader.IsBad());
}

}  // namespace
