// The archive layer under the fault plan: extracting an LZH member and ZIP members (stored and
// deflated), listing the members and reading a member through its reader, with each open,
// read, seek, write and allocation failing in turn, and with short reads.  Every run must end
// in a clear result: kOk only with the member's exact bytes, no file left by a failed
// extraction, no list but the whole list, and short reads changing nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fault_plan.h"
#include "platform/file_api.h"
#include "viewer/archive/archive_open.h"
#include "viewer/archive/extract_member.h"
#include "viewer/archive/file_reader.h"
#include "viewer/archive/zip_test_support.h"

namespace {

using faults::Operation;

constexpr Operation kOperations[] = {Operation::kOpen, Operation::kRead, Operation::kSeek, Operation::kWrite,
                                     Operation::kAllocate};
const char* const kOperationNames[] = {"open", "read", "seek", "write", "allocation"};

std::string TempPath(const std::string& name) { return ::testing::TempDir() + name; }

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

// The file's bytes, or "<none>" when it does not exist.
std::string ReadWholeFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return "<none>";
  std::string bytes;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

// What one run produced: a result and the bytes it delivered (the extracted file, the member
// list or the member's content).
struct Outcome {
  ArchiveResult result = ArchiveResult::kOk;
  std::string bytes;
};

// The archive file and its reader, as the viewer opens them.
struct OpenedArchive {
  std::unique_ptr<FileReader> file;
  std::unique_ptr<ArchiveReader> reader;
  explicit OpenedArchive(const std::string& path)
      : file(std::make_unique<FileReader>(path.c_str(), fileapi::kShareDenyNone)) {
    if (!file->IsBad()) reader = NewArchiveReader(ArchiveKindForPath(path.c_str()), file.get());
  }
};

std::string ReadContent(SourceReader& reader) {
  std::string bytes;
  char buffer[1000];  // not a divisor of the extraction chunk: reads cross the decoder's windows
  int n;
  while ((n = reader.Read(buffer, sizeof buffer)) > 0) bytes.append(buffer, size_t(n));
  return bytes;
}

Outcome Extract(const std::string& archive, int member, const std::string& target) {
  OpenedArchive opened(archive);
  if (!opened.reader) return {ArchiveResult::kReadFailed, ReadWholeFile(target)};
  ArchiveResult result = opened.reader->OpenMember(member);
  if (result == ArchiveResult::kOk) result = ExtractArchiveMemberToFile(*opened.reader, target.c_str(), nullptr);
  return {result, ReadWholeFile(target)};
}

Outcome List(const std::string& archive) {
  OpenedArchive opened(archive);
  if (!opened.reader) return {ArchiveResult::kReadFailed, ""};
  Outcome outcome;
  ArchiveEntry entry;
  for (int i = 0; i < opened.reader->MemberCount(); ++i) {
    outcome.result = opened.reader->GetEntry(i, entry);
    if (outcome.result != ArchiveResult::kOk) break;
    outcome.bytes += std::string(entry.path) + "|" + std::to_string(entry.originalSize) + "|" + entry.methodLabel + "\n";
  }
  return outcome;
}

// Opens the member, reads it through the reader and asks for the archive's check.
Outcome ReadMember(ArchiveReader& reader, int member) {
  Outcome outcome{reader.OpenMember(member), ""};
  if (outcome.result == ArchiveResult::kOk) outcome.bytes = ReadContent(reader);
  if (outcome.result == ArchiveResult::kOk) outcome.result = reader.CheckMemberIntegrity();
  return outcome;
}

// ReadMember on a new reader of the archive, which stays in `kept` for a second look.
Outcome ReadMemberKeepingReader(const std::string& archive, int member, std::unique_ptr<OpenedArchive>& kept) {
  kept = std::make_unique<OpenedArchive>(archive);
  if (!kept->reader) return {ArchiveResult::kReadFailed, ""};
  return ReadMember(*kept->reader, member);
}

class ArchiveFaults : public ::testing::Test {
 protected:
  void TearDown() override {
    faults::Disarm();
    (void)fileapi::Delete(target_.c_str());  // tidy up; absent when the last run failed
  }

  // Runs `run` clean (its outcome must be kOk), then once for every point of every operation
  // failing, and then with reads failing while they are 7 bytes short, at some 60 points spread
  // over the run (the file reader reads ahead, so only short reads let a refused read fall
  // inside a member's data; every one of their thousands of points would take minutes).
  // A failed run must leave no extracted file; a run that succeeds despite a fault (a refused
  // read that the reader retried) must deliver exactly the clean bytes.  `afterFault`, when
  // given, runs after every faulted run with the faults gone.
  void RunWithEveryFault(const std::function<Outcome()>& run,
                         const std::function<void(const Outcome& clean)>& afterFault = {}) {
    (void)fileapi::Delete(target_.c_str());
    faults::FailNth(Operation::kOpen, 0);  // count the points, fail none
    Outcome clean = run();
    ASSERT_EQ(clean.result, ArchiveResult::kOk);
    ASSERT_FALSE(clean.bytes.empty());
    for (size_t op = 0; op < std::size(kOperations); ++op)
      FailEveryPoint(run, clean, op, faults::Calls(kOperations[op]), 0, afterFault, 1);
    faults::FailNth(Operation::kOpen, 0);
    faults::ShortenReads(kShortRead);
    (void)run();
    faults::Disarm();
    int64_t reads = faults::Calls(Operation::kRead);
    FailEveryPoint(run, clean, 1, reads, kShortRead, afterFault, std::max<int64_t>(1, reads / 60));
    for (uint32_t most : {1u, kShortRead}) {
      SCOPED_TRACE("reads of at most " + std::to_string(most) + " bytes");
      (void)fileapi::Delete(target_.c_str());
      faults::ShortenReads(most);
      Outcome shortened = run();
      faults::Disarm();
      EXPECT_EQ(shortened.result, ArchiveResult::kOk);
      EXPECT_EQ(shortened.bytes, clean.bytes);
    }
  }

  // Operation kOperations[op] failing at every `step`-th of its `points` in turn (and at the
  // last), reads shortened to `shortReads` bytes unless 0.
  void FailEveryPoint(const std::function<Outcome()>& run, const Outcome& clean, size_t op, int64_t points,
                      uint32_t shortReads, const std::function<void(const Outcome& clean)>& afterFault,
                      int64_t step) {
    for (int64_t n = 1; n <= points; n = n < points && n + step > points ? points : n + step) {
      SCOPED_TRACE(std::string(kOperationNames[op]) + " " + std::to_string(n) + " of " + std::to_string(points) +
                   (shortReads ? ", reads short" : ""));
      (void)fileapi::Delete(target_.c_str());
      faults::FailNth(kOperations[op], n);
      if (shortReads) faults::ShortenReads(shortReads);
      Outcome faulted = run();
      bool injected = faults::Injected();
      faults::Disarm();
      EXPECT_TRUE(injected);
      if (afterFault) afterFault(clean);
      if (faulted.result == ArchiveResult::kOk) {
        EXPECT_EQ(faulted.bytes, clean.bytes);
        EXPECT_TRUE(kOperations[op] == Operation::kRead || kOperations[op] == Operation::kSeek)
            << "only a refused read or seek can be retried";
      } else {
        EXPECT_FALSE(fileapi::IsRegularFile(target_.c_str())) << "a failed extraction left its file";
      }
      if (kOperations[op] == Operation::kRead || kOperations[op] == Operation::kSeek) {
        EXPECT_TRUE(faulted.result == ArchiveResult::kOk || faulted.result == ArchiveResult::kReadFailed)
            << "a refused read taken for damage: " << int(faulted.result);
      }
    }
  }

  static constexpr uint32_t kShortRead = 7;

  std::string target_ = TempPath("fault_member.out");
};

const std::string kLzhArchive = std::string(ZV_LZH_TESTDATA) + "/lha_unix114i/h1_lh5.lzh";

// A ZIP archive of a stored and a deflated member, each several extraction chunks long.
std::string ZipArchive() {
  std::string path = TempPath("fault_test.zip");
  std::string text;
  for (int line = 0; text.size() < 6000; ++line) text += "line " + std::to_string(line) + " of the member\r\n";
  zip_test::BuiltZip zip = zip_test::BuildZip({zip_test::Stored("STORED.TXT", text), zip_test::Deflated("DEFLATED.TXT", text)});
  EXPECT_TRUE(WriteWholeFile(path, zip.bytes));
  return path;
}

TEST_F(ArchiveFaults, LzhExtraction) {
  RunWithEveryFault([&] { return Extract(kLzhArchive, 0, target_); });
}

TEST_F(ArchiveFaults, ZipExtractionStoredAndDeflated) {
  std::string archive = ZipArchive();
  for (int member : {0, 1}) {
    SCOPED_TRACE("member " + std::to_string(member));
    RunWithEveryFault([&] { return Extract(archive, member, target_); });
  }
}

TEST_F(ArchiveFaults, Listing) {
  std::string zip = ZipArchive();
  for (const std::string& archive : {kLzhArchive, zip}) {
    SCOPED_TRACE(archive);
    RunWithEveryFault([&] { return List(archive); });
  }
}

// A reader that survived a fault delivers the member again once the fault is gone.
TEST_F(ArchiveFaults, ReadingAMemberThroughItsReader) {
  std::string zip = ZipArchive();
  std::unique_ptr<OpenedArchive> kept;
  int member = 0;
  auto readsAgain = [&](const Outcome& clean) {
    if (!kept->reader) return;
    Outcome again = ReadMember(*kept->reader, member);
    EXPECT_EQ(again.result, ArchiveResult::kOk) << "the reader did not recover after the fault";
    EXPECT_EQ(again.bytes, clean.bytes);
  };
  RunWithEveryFault([&] { return ReadMemberKeepingReader(kLzhArchive, member, kept); }, readsAgain);
  for (member = 0; member < 2; ++member) {
    SCOPED_TRACE("ZIP member " + std::to_string(member));
    RunWithEveryFault([&] { return ReadMemberKeepingReader(zip, member, kept); }, readsAgain);
  }
}

}  // namespace
