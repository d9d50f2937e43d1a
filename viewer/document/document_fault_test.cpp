// Loading under injected faults: every open, read, seek and allocation of a load failing in
// turn, and reads that come back short, over Shift-JIS, EUC, JIS and UTF-8 texts and members
// of an LZH and a ZIP archive.  Whatever fails, the document shows either the whole file, or
// what was loaded before the fault beside an error message, or nothing beside one; short reads
// change nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fault_plan.h"
#include "text/kanji_test_support.h"
#include "viewer/document/document_test_support.h"

namespace {

using faults::Operation;

constexpr Operation kLoadOperations[] = {Operation::kOpen, Operation::kRead, Operation::kSeek,
                                         Operation::kAllocate};

const char* OperationName(Operation operation) {
  static const char* const kNames[] = {"open", "read", "seek", "write", "allocate"};
  return kNames[int(operation)];
}

// What a load left behind.
struct Outcome {
  DocumentResult result = DocumentResult::kOk;
  std::string text;
  std::vector<std::string> rows;
  std::vector<std::string> errorBoxes;
  std::vector<std::string> statusMessages;
};

std::string Sample(const char* name) { return ReadFileBytes(std::string(ZV_TEST_DATA_DIR) + "/japanese/" + name); }

// Where line `line` (from 0) of text starts; the text's size past its last line.
size_t LineStart(const std::string& text, size_t line) {
  size_t at = 0;
  for (size_t i = 0; i < line && at < text.size(); ++i) {
    size_t newline = text.find('\n', at);
    at = newline == std::string::npos ? text.size() : newline + 1;
  }
  return at;
}

// Lines first..first+count-1 of text (a JIS text ends each of them in ASCII).
std::string Lines(const std::string& text, size_t first, size_t count) {
  size_t start = LineStart(text, first);
  return text.substr(start, LineStart(text, first + count) - start);
}

bool IsPrefix(const std::string& part, const std::string& whole) {
  return part.size() <= whole.size() && whole.compare(0, part.size(), part) == 0;
}

class DocumentFaults : public DocumentTest {
 protected:
  void TearDown() override {
    faults::Disarm();
    DocumentTest::TearDown();
  }

  // Opens path (member -1: the usual choice) and loads it all, faults as armed by the caller.
  Outcome Load(const std::string& path, int member) {
    host = RecordingHost();
    Outcome outcome;
    outcome.result = member < 0 ? OpenDocument(path.c_str(), AutoDetect, AutoDetect)
                                : OpenDocumentMember(path.c_str(), member);
    return LoadRest(outcome);
  }

  // Loads the rest, disarms the faults and records what the document shows.
  Outcome LoadRest(Outcome& outcome) {
    LoadAll();
    faults::Disarm();
    outcome.text.assign(TheDocument.Text, size_t(TheDocument.TextEnd - TheDocument.Text));
    outcome.rows = Rows();
    outcome.errorBoxes = host.errorBoxes;
    for (const auto& message : host.statusMessages) outcome.statusMessages.push_back(message.first);
    EXPECT_EQ(host.busyDepth, 0);
    return outcome;
  }

  // The clean load, then every call of every operation failing in turn, then short reads.
  void CheckEveryFault(const std::string& path, int member, const std::string& expectedText) {
    faults::FailNth(Operation::kOpen, 0);  // count only
    const Outcome clean = Load(path, member);
    ASSERT_EQ(clean.result, DocumentResult::kOk);
    ASSERT_TRUE(clean.errorBoxes.empty());
    ASSERT_TRUE(clean.text == expectedText) << path << ": the clean load differs";
    int64_t counts[faults::kOperationCount];
    for (Operation operation : kLoadOperations) counts[int(operation)] = faults::Calls(operation);
    EXPECT_GT(counts[int(Operation::kRead)], 0) << path;

    for (Operation operation : kLoadOperations) {
      for (int64_t n = 1; n <= counts[int(operation)]; ++n) {
        faults::FailNth(operation, n);
        Outcome faulty = Load(path, member);
        CheckSound(faulty, clean, ::testing::Message() << path << ": " << OperationName(operation) << " " << n);
      }
    }
    for (uint32_t most : {1u, 7u}) {
      faults::FailNth(Operation::kOpen, 0);
      faults::ShortenReads(most);
      Outcome shortened = Load(path, member);
      EXPECT_EQ(shortened.result, DocumentResult::kOk) << path << " reads of " << most;
      EXPECT_TRUE(shortened.text == clean.text) << path << " reads of " << most;
      EXPECT_TRUE(shortened.rows == clean.rows) << path << " reads of " << most;
      EXPECT_EQ(shortened.errorBoxes, clean.errorBoxes) << path << " reads of " << most;
      EXPECT_EQ(shortened.statusMessages, clean.statusMessages) << path << " reads of " << most;
    }
  }

  // A failed open shows nothing but its message; a load stopped by a message keeps a prefix of
  // the text; a load that reports nothing shows exactly the file.
  static void CheckSound(const Outcome& faulty, const Outcome& clean, const ::testing::Message& where) {
    if (faulty.result != DocumentResult::kOk) {
      EXPECT_FALSE(faulty.statusMessages.empty()) << where << ": failed without a message";
      EXPECT_TRUE(faulty.text.empty()) << where;
      EXPECT_TRUE(faulty.rows.empty()) << where;
      return;
    }
    if (!faulty.errorBoxes.empty()) {
      EXPECT_TRUE(IsPrefix(faulty.text, clean.text)) << where << ": text not loaded from the file";
      EXPECT_LE(faulty.rows.size(), clean.rows.size()) << where;
      for (size_t i = 0; i + 1 < faulty.rows.size() && i < clean.rows.size(); ++i) {
        EXPECT_TRUE(faulty.rows[i] == clean.rows[i]) << where << ": row " << i;
      }
      if (!faulty.rows.empty() && faulty.rows.size() <= clean.rows.size()) {
        EXPECT_TRUE(IsPrefix(faulty.rows.back(), clean.rows[faulty.rows.size() - 1])) << where << ": last row";
      }
      return;
    }
    EXPECT_TRUE(faulty.text == clean.text) << where << ": a different text passed off as the file";
    EXPECT_TRUE(faulty.rows == clean.rows) << where << ": other rows";
  }
};

TEST_F(DocumentFaults, KanjiTextsOfEveryCode) {
  struct Case {
    const char* file;
    const char* shiftJis;  // the same text as Shift-JIS
  };
  for (const Case& c : {Case{"sjis.txt", "sjis.txt"}, Case{"euc.txt", "euc.cp932"}, Case{"jis.txt", "jis.cp932"},
                        Case{"utf8.txt", "utf8.cp932"}}) {
    // Lines of the manual's text, past its ASCII header: more than the detection sample and
    // more than two of the file reader's 64 KB read-aheads, so that reads fail mid-load too.
    std::string source = Lines(Sample(c.file), 400, 5000);
    std::string expected = Lines(Sample(c.shiftJis), 400, 5000);
    ASSERT_GT(source.size(), 140000u) << c.file;
    CheckEveryFault(WriteTemp(std::string("fault-") + c.file, source), -1, expected);
  }
}

TEST_F(DocumentFaults, LzhMember) {
  std::string archive = ReadFileBytes(std::string(ZV_SOURCE_DIR) + "/viewer/archive/testdata/lzh/lha_amiga_122/lh5.lzh");
  ASSERT_GT(archive.size(), 1000u);
  faults::FailNth(Operation::kOpen, 0);
  std::string path = WriteTemp("fault.lzh", archive);
  ASSERT_EQ(OpenAndLoad(path), DocumentResult::kOk);
  std::string text(TheDocument.Text, size_t(TheDocument.TextEnd - TheDocument.Text));
  ASSERT_EQ(text.size(), 18092u);  // the GPL, as the archive's header says
  CheckEveryFault(path, 0, text);
}

TEST_F(DocumentFaults, ZipMember) {
  std::string sjis = Lines(Sample("sjis.txt"), 400, 5000);
  std::string path = WriteTemp("fault.zip", ZipOf({{"a.bin", "\x01\x02"}, {"readme.txt", sjis}}));
  CheckEveryFault(path, -1, sjis);
  CheckEveryFault(path, 1, sjis);
}

TEST_F(DocumentFaults, ReloadWithAnotherCode) {
  std::string path = WriteTemp("reload.txt", Lines(Sample("euc.txt"), 400, 3000));
  auto reloadAsEuc = [&](Operation operation, int64_t n) {
    EXPECT_EQ(Load(path, -1).result, DocumentResult::kOk);
    TheDocument.KanjiCode = 0;
    faults::FailNth(operation, n);
    host = RecordingHost();
    SetKanjiCode(1);
    Outcome outcome;
    return LoadRest(outcome);
  };
  const Outcome clean = reloadAsEuc(Operation::kOpen, 0);
  ASSERT_TRUE(clean.text == Lines(Sample("euc.cp932"), 400, 3000));
  int64_t counts[faults::kOperationCount];
  for (Operation operation : kLoadOperations) counts[int(operation)] = faults::Calls(operation);
  ASSERT_GT(counts[int(Operation::kOpen)], 0);  // the finished load let its file go
  for (Operation operation : kLoadOperations) {
    for (int64_t n = 1; n <= counts[int(operation)]; ++n) {
      Outcome faulty = reloadAsEuc(operation, n);
      ::testing::Message where;
      where << "reload: " << OperationName(operation) << " " << n;
      if (faulty.errorBoxes.empty() && !(faulty.text == clean.text)) {
        // Nothing reloaded: the document is empty and says why.
        EXPECT_TRUE(faulty.text.empty()) << where;
        EXPECT_TRUE(faulty.rows.empty()) << where;
        EXPECT_FALSE(faulty.statusMessages.empty()) << where;
      } else {
        CheckSound(faulty, clean, where);
      }
    }
  }
}

TEST_F(DocumentFaults, NoMemoryForTheEmptyDocumentStillShowsNothingSafely) {
  faults::FailNth(Operation::kAllocate, 1);
  ResetDocument("メモリが足りません");
  faults::Disarm();
  EXPECT_TRUE(host.Showed("メモリが足りません"));
  EXPECT_EQ(TheDocument.RowCount, 0);
  ASSERT_NE(RowStart(0), nullptr);
  EXPECT_STREQ(RowStart(0), "");
  LoadAll();
  EXPECT_EQ(OpenAndLoad(WriteTemp("after.txt", "after\n")), DocumentResult::kOk);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"after", ""}));
}

}  // namespace
