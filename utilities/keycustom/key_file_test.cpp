// Key files on disk: always 1280 bytes, read back to the same table, short and long files,
// and failures that leave the table as it was.
#include "utilities/keycustom/key_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fault_plan.h"

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

// Every open, read and write of a save and a load failing in turn, and short reads: a failure
// is reported, leaves the table as it was and no cut-off file; short reads change nothing.
TEST_F(KeyFileTest, EveryInjectedFaultIsReportedAndLosesNothing) {
  AssignmentTable table;
  for (uint16_t key = 'A'; key <= 'Z'; ++key) table.Add({key, 0, uint16_t(key * 3)});
  std::string path = Path("faults.zvk");
  faults::FailNth(faults::Operation::kOpen, 0);
  ASSERT_EQ(WriteKeyFile(path.c_str(), table), KeyFileResult::kOk);
  const std::string saved = ReadBytes(path);
  AssignmentTable loaded;
  ASSERT_EQ(ReadKeyFile(path.c_str(), loaded), KeyFileResult::kOk);
  ASSERT_EQ(loaded.UsedCount(), 26);
  const int64_t reads = faults::Calls(faults::Operation::kRead);
  const int64_t writes = faults::Calls(faults::Operation::kWrite);
  ASSERT_GT(writes, 0);

  for (int64_t n = 1; n <= writes; ++n) {
    faults::FailNth(faults::Operation::kWrite, n);
    EXPECT_EQ(WriteKeyFile(path.c_str(), table), KeyFileResult::kCannotWrite) << n;
    EXPECT_FALSE(std::filesystem::exists(path)) << "a cut-off key file was left, write " << n;
  }
  faults::FailNth(faults::Operation::kOpen, 1);
  EXPECT_EQ(WriteKeyFile(path.c_str(), table), KeyFileResult::kCannotOpen);

  faults::Disarm();
  ASSERT_EQ(WriteKeyFile(path.c_str(), table), KeyFileResult::kOk);
  AssignmentTable kept;
  kept.Add({'Q', kModCtrl, 77});
  for (int64_t n = 1; n <= reads + 1; ++n) {
    bool failOpen = n > reads;
    faults::FailNth(failOpen ? faults::Operation::kOpen : faults::Operation::kRead, failOpen ? 1 : n);
    EXPECT_EQ(ReadKeyFile(path.c_str(), kept), KeyFileResult::kCannotOpen) << n;
    EXPECT_EQ(kept.UsedCount(), 1) << n;
    EXPECT_EQ(kept.FindSame('Q', kModCtrl), 0) << n;
  }
  for (uint32_t most : {1u, 7u}) {
    faults::FailNth(faults::Operation::kOpen, 0);
    faults::ShortenReads(most);
    AssignmentTable shortened;
    EXPECT_EQ(ReadKeyFile(path.c_str(), shortened), KeyFileResult::kOk) << most;
    faults::Disarm();
    std::string again = Path("short-read.zvk");
    ASSERT_EQ(WriteKeyFile(again.c_str(), shortened), KeyFileResult::kOk);
    EXPECT_EQ(ReadBytes(again), saved) << "reads of " << most;
  }
  faults::Disarm();
}
