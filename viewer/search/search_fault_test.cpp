// Searching a document that loads as it is searched, under injected faults: every open, read,
// seek and allocation of the open, the regex compile and the search failing in turn, and short
// reads.  The hits are those of the clean run, or the first of them when loading stopped with
// a message; a pattern whose program cannot be allocated is reported and searched as a plain
// string.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fault_plan.h"
#include "text/kanji_test_support.h"
#include "viewer/document/document_test_support.h"
#include "viewer/search/search_engine.h"
#include "viewer/settings/settings_globals.h"

namespace {

using faults::Operation;

struct SearchOutcome {
  bool opened = false;
  bool compiled = false;
  bool stopped = false;  // loading stopped with a message box
  std::vector<std::string> hits;  // row:offset:length
};

class SearchFaults : public DocumentTest {
 protected:
  void TearDown() override {
    faults::Disarm();
    RegexMode = 0;
    DocumentTest::TearDown();
  }

  // Opens the file (loading waits for the search), compiles the pattern as a regex and
  // collects every hit forward from the top.
  SearchOutcome SearchAll(const std::string& path, const char* pattern) {
    host = RecordingHost();
    SearchOutcome outcome;
    outcome.opened = OpenDocument(path.c_str(), 0, 0) == DocumentResult::kOk;
    std::strncpy(SearchPattern, pattern, kSearchPatternSize - 1);
    RegexMode = 1;
    CaseSensitive = 1;
    PatternBuffer.ProgramBlock.Free();  // so that this compile allocates its program
    outcome.compiled = PrepareSearch();
    if (!outcome.compiled) EXPECT_EQ(RegexMode, 0);
    for (int32_t r = SearchForward(-1, nullptr, nullptr), guard = 0; r >= 0 && guard < 100000; ++guard) {
      char* hit = nullptr;
      int length = -1;
      EXPECT_EQ(SearchForward(r - 1, &hit, &length), r);
      outcome.hits.push_back(std::to_string(r) + ":" + std::to_string(hit - RowStart(r)) + ":" + std::to_string(length));
      r = SearchForward(r, nullptr, nullptr);
    }
    faults::Disarm();
    outcome.stopped = !host.errorBoxes.empty();
    EXPECT_EQ(host.busyDepth, 0);
    return outcome;
  }
};

TEST_F(SearchFaults, EveryFaultOfOpenCompileAndSearch) {
  std::string text = ReadFileBytes(std::string(ZV_TEST_DATA_DIR) + "/japanese/sjis.txt").substr(0, 200000);
  std::string path = WriteTemp("search-faults.txt", text);
  const char* pattern = "\x83t\x83H\x83\x93\x83g[a-z]*|troff";  // "フォント" then letters, or troff

  faults::FailNth(Operation::kOpen, 0);
  const SearchOutcome clean = SearchAll(path, pattern);
  ASSERT_TRUE(clean.opened && clean.compiled && !clean.stopped);
  ASSERT_GT(clean.hits.size(), 20u);
  bool compileFailed = false;
  int64_t counts[faults::kOperationCount];
  for (int op = 0; op < faults::kOperationCount; ++op) counts[op] = faults::Calls(Operation(op));

  for (Operation operation : {Operation::kOpen, Operation::kRead, Operation::kSeek, Operation::kAllocate}) {
    for (int64_t n = 1; n <= counts[int(operation)]; ++n) {
      faults::FailNth(operation, n);
      SearchOutcome faulty = SearchAll(path, pattern);
      ::testing::Message where;
      where << "fault " << int(operation) << " at " << n;
      if (!faulty.opened) {
        EXPECT_TRUE(faulty.hits.empty()) << where;
      } else if (!faulty.compiled) {
        EXPECT_EQ(operation, Operation::kAllocate) << where;  // only memory keeps this pattern from compiling
        compileFailed = true;
      } else if (faulty.stopped) {
        ASSERT_LE(faulty.hits.size(), clean.hits.size()) << where;
        EXPECT_TRUE(std::equal(faulty.hits.begin(), faulty.hits.end(), clean.hits.begin())) << where;
      } else {
        EXPECT_EQ(faulty.hits, clean.hits) << where;
      }
    }
  }
  EXPECT_TRUE(compileFailed) << "the regex program's allocation was never tried failing";
  for (uint32_t most : {1u, 7u}) {
    faults::FailNth(Operation::kOpen, 0);
    faults::ShortenReads(most);
    EXPECT_EQ(SearchAll(path, pattern).hits, clean.hits) << "reads of " << most;
  }
}

}  // namespace
