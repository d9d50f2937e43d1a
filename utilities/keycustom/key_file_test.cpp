// Key files on disk: always 1280 bytes, read back to the same table, short and long files,
// and failures that leave the table as it was.
#include "utilities/keycustom/key_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class KeyFileTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "zvkey_file_test";
    std::filesystem::create_directories(folder);
    return (folder / name).string();
  }
  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

}  // namespace

TEST_F(KeyFileTest, SavedFilesAreAlways1280BytesAndLoadBackTheSameAssignments) {
  AssignmentTable table;
  std::string path = Path("saved.zvk");
  ASSERT_EQ(WriteKeyFile(path.c_str(), table), KeyFileResult::kOk);
  EXPECT_EQ(ReadBytes(path), std::string(kKeyTableBytes, '\0'));

  table.Add({'A', 0, 8});
  table.Add({'B', kModShift, 7});
  table.Add({'C', kModCtrl, 1234});
  table.Free(1);
  ASSERT_EQ(WriteKeyFile(path.c_str(), table), KeyFileResult::kOk);
  std::string bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), size_t(kKeyTableBytes));
  EXPECT_EQ(bytes.substr(0, 10), std::string("A\0\0\x08\0C\0\x01\xD2\x04", 10));

  AssignmentTable loaded;
  loaded.Add({'Z', 0, 1});
  ASSERT_EQ(ReadKeyFile(path.c_str(), loaded), KeyFileResult::kOk);
  EXPECT_EQ(loaded.UsedCount(), 2);
  EXPECT_EQ(loaded.Record(0).virtualKey, 'A');
  EXPECT_EQ(loaded.Record(1).command, 1234);  // packed: the freed slot is gone
  EXPECT_EQ(loaded.FindSame('Z', 0), kNoSlot);
}

TEST_F(KeyFileTest, ShortAndLongFilesAreReadUpTo1280Bytes) {
  std::string path = Path("short.zvk");
  WriteBytes(path, std::string("T\0\0\xFA\0X\0\0", 8));  // one record and three bytes
  AssignmentTable table;
  ASSERT_EQ(ReadKeyFile(path.c_str(), table), KeyFileResult::kOk);
  EXPECT_EQ(table.UsedCount(), 1);
  EXPECT_EQ(table.Record(0).command, 250);

  std::string longBytes(kKeyTableBytes, '\0');
  longBytes[kKeyTableBytes - 5] = 'L';  // the last slot
  longBytes += std::string(50, 'M');  // nothing past 1280 bytes is read
  WriteBytes(path, longBytes);
  ASSERT_EQ(ReadKeyFile(path.c_str(), table), KeyFileResult::kOk);
  EXPECT_EQ(table.UsedCount(), 1);
  EXPECT_TRUE(table.Used(kKeyRecordCount - 1));
}

TEST_F(KeyFileTest, FailuresLeaveTheTableAsItWas) {
  AssignmentTable table;
  table.Add({'K', 0, 9});
  EXPECT_EQ(ReadKeyFile(Path("missing.zvk").c_str(), table), KeyFileResult::kCannotOpen);
  EXPECT_EQ(table.UsedCount(), 1);
  // A folder cannot be created as a file.
  std::string folder = Path("a-folder");
  std::filesystem::create_directories(folder);
  EXPECT_EQ(WriteKeyFile(folder.c_str(), table), KeyFileResult::kCannotOpen);
  EXPECT_EQ(ReadKeyFile(folder.c_str(), table), KeyFileResult::kCannotOpen);
  EXPECT_EQ(table.UsedCount(), 1);
}
