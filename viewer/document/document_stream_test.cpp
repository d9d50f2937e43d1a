// The streamed text against the loaded one: every code, archive members, reads failing in turn
// or coming back short, and a receiver that stops taking.
#include "viewer/document/document_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fault_plan.h"
#include "text/kanji_test_support.h"
#include "viewer/document/document_loading.h"
#include "viewer/document/document_test_support.h"

namespace {

class CollectingSink : public TextSink {
 public:
  explicit CollectingSink(int takesAllowed = -1) : takesLeft_(takesAllowed) {}
  bool Take(const char* text, size_t length) override {
    collected.append(text, length);
    ++takes;
    return takesLeft_ < 0 || --takesLeft_ > 0;
  }
  std::string collected;
  int takes = 0;

 private:
  int takesLeft_;
};

class Stream : public DocumentTest {
 protected:
  void TearDown() override {
    faults::Disarm();
    DocumentTest::TearDown();
  }

  // The text LoadAll gives for `path` (member -1: the usual choice).
  std::string LoadedText(const std::string& path, int member) {
    EXPECT_EQ(Open(path, member), DocumentResult::kOk);
    LoadAll();
    return std::string(TheDocument.Text, size_t(TheDocument.TextEnd - TheDocument.Text));
  }

  static DocumentResult Open(const std::string& path, int member) {
    return member < 0 ? OpenDocument(path.c_str(), AutoDetect, AutoDetect) : OpenDocumentMember(path.c_str(), member);
  }

  // Streams `path` freshly opened; the document is back at the start of loading afterwards.
  DocumentResult Streamed(const std::string& path, int member, CollectingSink& sink) {
    host = RecordingHost();
    if (Open(path, member) != DocumentResult::kOk) return DocumentResult::kCannotOpen;
    DocumentResult result = StreamDocumentText(sink);
    EXPECT_EQ(TheDocument.TextEnd, TheDocument.Text);
    return result;
  }

  // The clean stream equals the load; every read failing in turn stops it with the error box
  // after a prefix; short reads change nothing.
  void CheckStream(const std::string& path, int member) {
    const std::string loaded = LoadedText(path, member);
    ASSERT_FALSE(loaded.empty()) << path;
    CollectingSink clean;
    faults::FailNth(faults::Operation::kOpen, 0);  // count only
    ASSERT_EQ(Streamed(path, member, clean), DocumentResult::kOk) << path;
    const int64_t reads = faults::Calls(faults::Operation::kRead);
    ASSERT_TRUE(clean.collected == loaded) << path;
    EXPECT_TRUE(host.errorBoxes.empty()) << path;
    // And the document can still be loaded after the stream.
    LoadAll();
    EXPECT_EQ(std::string(TheDocument.Text, size_t(TheDocument.TextEnd - TheDocument.Text)).size(), loaded.size());

    for (int64_t n = 1; n <= reads; ++n) {
      CollectingSink faulty;
      faults::FailNth(faults::Operation::kRead, n);
      DocumentResult result = Streamed(path, member, faulty);
      faults::Disarm();
      if (result == DocumentResult::kOk && host.errorBoxes.empty()) {
        EXPECT_TRUE(faulty.collected == loaded) << path << " read " << n;
        continue;
      }
      EXPECT_TRUE(loaded.compare(0, faulty.collected.size(), faulty.collected) == 0) << path << " read " << n;
      if (result == DocumentResult::kCannotOpen && faulty.takes > 0) {
        EXPECT_EQ(host.errorBoxes, std::vector<std::string>{kReadStoppedMessage}) << path << " read " << n;
      }
    }
    for (uint32_t most : {1u, 7u}) {
      CollectingSink shortened;
      faults::FailNth(faults::Operation::kOpen, 0);
      faults::ShortenReads(most);
      EXPECT_EQ(Streamed(path, member, shortened), DocumentResult::kOk);
      faults::Disarm();
      EXPECT_TRUE(shortened.collected == loaded) << path << " reads of " << most;
    }
  }
};

std::string Sample(const char* name) { return ReadFileBytes(std::string(ZV_TEST_DATA_DIR) + "/japanese/" + name); }

TEST_F(Stream, EveryCodeGivesTheLoadedText) {
  for (const char* name : {"sjis.txt", "euc.txt", "jis.txt", "utf8.txt", "utf8-bom.txt", "utf16be.txt", "utf16le-bom.txt"}) {
    // More than one chunk of the stream, less than makes the byte-at-a-time reads slow.
    CheckStream(WriteTemp(std::string("stream-") + name, Sample(name).substr(0, 150000)), -1);
  }
}

TEST_F(Stream, ArchiveMembers) {
  std::string lzh = ReadFileBytes(std::string(ZV_SOURCE_DIR) + "/viewer/archive/testdata/lzh/lha_amiga_122/lh5.lzh");
  CheckStream(WriteTemp("stream.lzh", lzh), 0);
  std::string sjis = Sample("sjis.txt").substr(0, 150000);
  CheckStream(WriteTemp("stream.zip", ZipOf({{"a.bin", "\x01\x02"}, {"readme.txt", sjis}})), -1);
}

TEST_F(Stream, ReceiverThatStopsEndsTheReading) {
  std::string path = WriteTemp("stop.txt", Sample("sjis.txt"));
  ASSERT_GT(Sample("sjis.txt").size(), 300000u);
  CollectingSink once(1);
  EXPECT_EQ(Streamed(path, -1, once), DocumentResult::kOk);
  EXPECT_EQ(once.takes, 1);
  EXPECT_LT(once.collected.size(), Sample("sjis.txt").size());
  EXPECT_TRUE(host.errorBoxes.empty());
}

}  // namespace
