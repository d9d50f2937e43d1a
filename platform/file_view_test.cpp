// FileView on POSIX: the view holds the file's bytes; a copy holds them too, with zeros to its
// capacity, and takes writes without passing them to the file; a file cut short while viewed
// reads as zeros past the cut, at a page edge or within a page, and says so (a copy can still be
// written there); a bus error that is not in a view still ends the program.
#include "platform/file_view.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class ViewedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("TEST_TMPDIR");
    path_ = std::string(dir && *dir ? dir : "/tmp") + "/file_view_test_" + std::to_string(getpid());
    for (size_t i = 0; i < kSize; ++i) content_ += char('a' + i % 23);
    fileapi::Handle out = fileapi::Create(path_.c_str());
    ASSERT_NE(out, fileapi::kInvalidHandle);
    ASSERT_EQ(fileapi::Write(out, content_.data(), uint32_t(content_.size())), int64_t(kSize));
    fileapi::Close(out);
    handle_ = fileapi::Open(path_.c_str(), fileapi::kShareDenyNone);
    ASSERT_NE(handle_, fileapi::kInvalidHandle);
  }
  void TearDown() override {
    fileapi::Close(handle_);
    (void)fileapi::Delete(path_.c_str());
  }
  // The view's bytes, each one read (every page touched).
  static std::string ReadAll(const fileapi::FileView& view) {
    std::span<const uint8_t> bytes = view.Bytes();
    return std::string(bytes.begin(), bytes.end());
  }
  void CutTo(size_t size) { ASSERT_EQ(truncate(path_.c_str(), off_t(size)), 0); }

  static constexpr size_t kSize = 10 * 4096 + 123;
  std::string path_;
  std::string content_;
  fileapi::Handle handle_ = fileapi::kInvalidHandle;
};

TEST_F(ViewedFile, HoldsTheFilesBytes) {
  fileapi::FileView view = fileapi::FileView::Map(handle_, kSize);
  ASSERT_EQ(view.Bytes().size(), kSize);
  EXPECT_TRUE(ReadAll(view) == content_);
  EXPECT_FALSE(view.CutShort());
  fileapi::FileView moved = std::move(view);
  EXPECT_TRUE(view.Bytes().empty());
  EXPECT_TRUE(ReadAll(moved) == content_);
}

TEST_F(ViewedFile, CutShortReadsAsZerosPastTheCut) {
  // At a page edge (the pages after it fault), within a page (the rest of that page reads as
  // zeros without a fault, the pages after it fault), within the last page (nothing faults),
  // and to nothing.
  for (size_t cut : {size_t(3 * 4096), size_t(5000), kSize - 50, size_t(0)}) {
    fileapi::FileView view = fileapi::FileView::Map(handle_, kSize);
    ASSERT_EQ(view.Bytes().size(), kSize);
    CutTo(cut);
    std::string seen = ReadAll(view);
    EXPECT_TRUE(seen.substr(0, cut) == content_.substr(0, cut)) << cut;
    EXPECT_EQ(seen.substr(cut), std::string(kSize - cut, '\0')) << cut;
    EXPECT_TRUE(view.CutShort()) << cut;
    // Whole again for the next round, and a view of it is sound.
    ASSERT_EQ(truncate(path_.c_str(), 0), 0);
    int fd = ::open(path_.c_str(), O_WRONLY);
    ASSERT_EQ(::write(fd, content_.data(), kSize), ssize_t(kSize));
    ::close(fd);
    fileapi::FileView again = fileapi::FileView::Map(handle_, kSize);
    EXPECT_TRUE(ReadAll(again) == content_) << cut;
    EXPECT_FALSE(again.CutShort()) << cut;
  }
}

TEST_F(ViewedFile, CopyTakesWritesAndOutlivesTheHandle) {
  constexpr size_t kCapacity = kSize + 3 * 4096 + 5;
  fileapi::FileView copy = fileapi::FileView::MapCopy(handle_, kSize, kCapacity);
  fileapi::Close(handle_);
  handle_ = fileapi::kInvalidHandle;
  ASSERT_EQ(copy.Bytes().size(), kCapacity);
  ASSERT_NE(copy.Writable(), nullptr);
  EXPECT_TRUE(ReadAll(copy) == content_ + std::string(kCapacity - kSize, '\0'));
  for (size_t at : {size_t(0), size_t(4096), kSize - 1, kSize, kCapacity - 1}) copy.Writable()[at] = '#';
  EXPECT_EQ(copy.Bytes()[4096], '#');
  EXPECT_EQ(copy.Bytes()[kCapacity - 1], '#');
  EXPECT_FALSE(copy.CutShort());
  fileapi::Handle reopened = fileapi::Open(path_.c_str(), fileapi::kReadOnly);
  char first = 0;
  ASSERT_EQ(fileapi::Read(reopened, &first, 1), 1);
  fileapi::Close(reopened);
  EXPECT_EQ(first, content_[0]);  // the file is unchanged
  EXPECT_EQ(fileapi::FileView::Map(handle_, kSize).Bytes().size(), 0u);  // (no handle, no view)
  EXPECT_EQ(fileapi::FileView::MapCopy(reopened, kSize, kSize - 1).Bytes().size(), 0u);  // too small
}

TEST_F(ViewedFile, CutShortCopyReadsAsZerosAndCanBeWritten) {
  fileapi::FileView copy = fileapi::FileView::MapCopy(handle_, kSize, kSize + 4096);
  ASSERT_NE(copy.Writable(), nullptr);
  copy.Writable()[1] = '#';  // a page copied before the cut keeps its bytes
  CutTo(2 * 4096);
  std::string seen = ReadAll(copy);
  EXPECT_EQ(seen[1], '#');
  EXPECT_TRUE(seen.substr(2, 2 * 4096 - 2) == content_.substr(2, 2 * 4096 - 2));
  EXPECT_EQ(seen.substr(2 * 4096), std::string(kSize + 4096 - 2 * 4096, '\0'));
  EXPECT_TRUE(copy.CutShort());
  copy.Writable()[5 * 4096] = '#';
  EXPECT_EQ(copy.Bytes()[5 * 4096], '#');
}

TEST_F(ViewedFile, ViewsBeyondTheGuardedOnesAreNotMade) {
  std::vector<fileapi::FileView> views;
  for (int i = 0; i < 20; ++i) views.push_back(fileapi::FileView::Map(handle_, kSize));
  int made = 0;
  for (const fileapi::FileView& view : views) made += view.Bytes().empty() ? 0 : 1;
  EXPECT_GT(made, 0);
  EXPECT_LT(made, 20);
  views.clear();  // their places are free again
  EXPECT_FALSE(fileapi::FileView::Map(handle_, kSize).Bytes().empty());
}

TEST_F(ViewedFile, OtherBusErrorsStillEndTheProgram) {
  fileapi::FileView view = fileapi::FileView::Map(handle_, kSize);
  ASSERT_FALSE(view.Bytes().empty());  // the guard is in place
  EXPECT_EXIT(raise(SIGBUS), ::testing::KilledBySignal(SIGBUS), "");
}

}  // namespace
