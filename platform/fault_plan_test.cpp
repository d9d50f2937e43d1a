// The fault plan over the real file API and allocator: exactly the n-th call fails, counts
// tell a run's points, short reads are short, and disarmed nothing fails.
#include "platform/fault_plan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/allocation.h"
#include "platform/file_api.h"

namespace {

using faults::Operation;

class FaultPlan : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "fault_plan.bin";
    FILE* file = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite("0123456789", 1, 10, file);
    std::fclose(file);
  }
  void TearDown() override {
    faults::Disarm();
    std::remove(path_.c_str());
  }
  // Reads the file 2 bytes at a time; the bytes read, or "!" where a read failed.
  std::string ReadInPairs() {
    fileapi::Handle file = fileapi::Open(path_.c_str(), fileapi::kReadOnly);
    if (file == fileapi::kInvalidHandle) return "open failed";
    std::string out;
    for (;;) {
      char pair[2];
      int64_t n = fileapi::Read(file, pair, 2);
      if (n < 0) out += '!';
      if (n <= 0) break;
      out.append(pair, size_t(n));
    }
    fileapi::Close(file);
    return out;
  }
  std::string path_;
};

TEST_F(FaultPlan, OnlyTheNthCallOfTheChosenOperationFails) {
  faults::FailNth(Operation::kRead, 3);
  EXPECT_EQ(ReadInPairs(), "0123!");
  EXPECT_TRUE(faults::Injected());
  EXPECT_EQ(faults::Calls(Operation::kOpen), 1);
  EXPECT_EQ(faults::Calls(Operation::kRead), 3);

  faults::FailNth(Operation::kOpen, 1);
  EXPECT_EQ(ReadInPairs(), "open failed");
  faults::FailNth(Operation::kWrite, 1);  // another operation: reads go on
  EXPECT_EQ(ReadInPairs(), "0123456789");
  EXPECT_FALSE(faults::Injected());
  EXPECT_EQ(faults::Calls(Operation::kRead), 6);  // five pairs and the end
}

TEST_F(FaultPlan, ShortReadsAreShortButComplete) {
  faults::ShortenReads(1);
  fileapi::Handle file = fileapi::Open(path_.c_str(), fileapi::kReadOnly);
  ASSERT_NE(file, fileapi::kInvalidHandle);
  char bytes[10];
  EXPECT_EQ(fileapi::Read(file, bytes, 10), 1);
  EXPECT_EQ(fileapi::Read(file, bytes + 1, 9), 1);
  fileapi::Close(file);
  EXPECT_EQ(std::string(bytes, 2), "01");
}

TEST_F(FaultPlan, AllocationsFailAsNullAndDisarmedNothingFails) {
  faults::FailNth(Operation::kAllocate, 2);
  EXPECT_NE(NewArray<char>(16), nullptr);
  EXPECT_EQ(NewObject<int>(7), nullptr);
  void* block = AllocateBytes(32, true);
  EXPECT_NE(block, nullptr);
  FreeBytes(block);
  faults::Disarm();
  EXPECT_EQ(*NewObject<int>(7), 7);
  EXPECT_EQ(ReadInPairs(), "0123456789");
}

}  // namespace
