// The streamed text against the loaded one: every code, archive members, reads failing in turn
// or coming back short, and a receiver that stops taking; gzip members passed on from the
// decoded bytes against the loaded text, at sizes around the chunk and first-part edges.
#include "viewer/document/document_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/fault_plan.h"
#include "text/kanji_test_support.h"
#include "viewer/archive/zip_crc32.h"
#include "viewer/document/document_loading.h"
#include "viewer/document/document_test_support.h"

namespace {

class CollectingSink : public TextSink {
 public:
  explicit CollectingSink(int takesAllowed = -1) : takesLeft_(takesAllowed) {}
  bool Take(const char* text, size_t length) override {
    if (takes == 0) firstPiece = text;
    collected.append(text, length);
    longestPiece = std::max(longestPiece, length);
    ++takes;
    return takesLeft_ < 0 || --takesLeft_ > 0;
  }
  std::string collected;
  int takes = 0;
  const char* firstPiece = nullptr;
  size_t longestPiece = 0;

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

  // `path` (holding `text`) streams as it loads, in pieces of at most a MiB, and from its
  // source's held bytes where it holds `held` bytes (none: read).
  void CheckPassedOnFromHeldBytes(const std::string& path, const std::string& text, size_t held) {
    CollectingSink sink;
    ASSERT_EQ(Streamed(path, -1, sink), DocumentResult::kOk) << text.size();
    EXPECT_TRUE(sink.collected == text) << text.size();
    EXPECT_TRUE(host.errorBoxes.empty()) << text.size();
    EXPECT_LE(sink.longestPiece, size_t(1) << 20) << text.size();
    std::span<const uint8_t> bytes = TheDocument.Source->HeldBytes();
    ASSERT_EQ(bytes.size(), held) << text.size();
    if (held > 0) EXPECT_EQ(sink.firstPiece, reinterpret_cast<const char*>(bytes.data())) << text.size();
    EXPECT_TRUE(LoadedText(path, -1) == text) << text.size();
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

// Shift-JIS text of `size` bytes in lines of mixed widths (a double-byte character may stand
// across any edge).
std::string SjisLines(size_t size) {
  const std::string line = Sample("sjis.txt").substr(0, 4000);
  std::string text;
  while (text.size() < size) text += line.substr(0, 1 + text.size() % 997) + "\n";
  text.resize(size);
  return text;
}

// Every size around the edges of the stream's chunks and of the first part a large gzip member
// decodes before the rest: the text goes from the decoded bytes, not through a copy, in pieces
// no larger than a MiB, and equals the loaded text.
TEST_F(Stream, GzipMembersArePassedOnFromTheirDecodedBytes) {
  constexpr size_t kChunk = 128 * 1024, kMiB = 1 << 20;
  for (size_t size : {size_t(1), kChunk - 1, kChunk, kChunk + 1, kMiB - 1, kMiB, kMiB + 1, 3 * kMiB + kChunk + 3}) {
    const std::string text = SjisLines(size);
    CheckPassedOnFromHeldBytes(WriteTemp("held.txt.gz", GzipOf(text)), text, size);
  }
}

// The same members through every read failing in turn and short reads; and text that needs a
// conversion, which goes through the stream's buffer.
TEST_F(Stream, GzipMembersMeetFailingReadsAndConversions) {
  CheckStream(WriteTemp("held-sjis.gz", GzipOf(SjisLines(150000))), -1);
  CheckStream(WriteTemp("held-utf8.gz", GzipOf(Sample("utf8.txt").substr(0, 150000))), -1);
  CheckStream(WriteTemp("held-bin.gz", GzipOf(std::string(5000, '\x01') + SjisLines(150000))), -1);
}

// A damaged or cut-off gzip member, small or large, gives nothing to the receiver and says why.
TEST_F(Stream, DamagedGzipMembersPassNothing) {
  for (size_t size : {size_t(5000), size_t(3) << 20}) {
    const std::string text = SjisLines(size);
    const std::string sound = GzipOf(text);
    uint32_t crc = UpdateCrc32(0, text.data(), text.size());
    const std::string damaged[] = {GzipOf(text, crc ^ 1, uint32_t(size)), GzipOf(text, crc, uint32_t(size) - 1),
                                   sound.substr(0, sound.size() / 2) + sound.substr(sound.size() - 4)};
    for (const std::string& bytes : damaged) {
      CollectingSink sink;
      DocumentResult result = Streamed(WriteTemp("damaged.gz", bytes), -1, sink);
      EXPECT_EQ(result, DocumentResult::kCannotOpen) << size;
      EXPECT_EQ(sink.takes, 0) << size;
      // A small member is refused when it opens; a large one when the stream checks it first.
      EXPECT_EQ(host.errorBoxes.size() + host.Showed("メモリが足りないか、ファイルが展開できません"), 1u) << size;
    }
  }
}

// A receiver that stops after the first piece of a large member is handed one piece only.
TEST_F(Stream, ReceiverThatStopsTakesOnePieceOfAGzipMember) {
  const std::string text = SjisLines(size_t(3) << 20);
  CollectingSink once(1);
  EXPECT_EQ(Streamed(WriteTemp("stop.gz", GzipOf(text)), -1, once), DocumentResult::kOk);
  EXPECT_EQ(once.takes, 1);
  EXPECT_LT(once.collected.size(), text.size());
  EXPECT_EQ(text.compare(0, once.collected.size(), once.collected), 0);
}

// A large Shift-JIS file goes to the receiver from a view of it where the system makes one, in
// pieces of a MiB, the same as loaded (the largest with its pages mapped ahead and let go
// behind on another thread); a smaller one is read.
TEST_F(Stream, LargeFilesArePassedOnAsTheyAre) {
  constexpr size_t kMiB = 1 << 20;
  for (size_t size : {kMiB - 1, kMiB, 3 * kMiB + 5, 9 * kMiB + 5}) {
    const std::string text = SjisLines(size);
#ifdef _WIN32
    const size_t held = 0;  // no views: the file is read
#else
    const size_t held = size < kMiB ? 0 : size;
#endif
    CheckPassedOnFromHeldBytes(WriteTemp("large.txt", text), text, held);
  }
}

// A file cut short while it streams (a log rotated under zvcat) stops the stream with the read
// message after the text before the cut, whether it was read or viewed; nothing else is lost.
class CuttingSink : public CollectingSink {
 public:
  CuttingSink(std::string path, size_t cut) : path_(std::move(path)), cut_(cut) {}
  bool Take(const char* text, size_t length) override {
    if (takes == 0) std::filesystem::resize_file(path_, cut_);
    return CollectingSink::Take(text, length);
  }

 private:
  std::string path_;
  size_t cut_;
};

TEST_F(Stream, FileCutShortWhileStreamingStopsTheStream) {
  constexpr size_t kMiB = 1 << 20;
  for (size_t size : {size_t(300000), 3 * kMiB + 5, 9 * kMiB + 5}) {
    for (size_t cut : {size_t(0), size_t(5000), size - 7}) {
      const std::string text = SjisLines(size);
      const std::string path = WriteTemp("cut.txt", text);
      CuttingSink sink(path, cut);
      EXPECT_EQ(Streamed(path, -1, sink), DocumentResult::kCannotOpen) << size << " " << cut;
      EXPECT_EQ(host.errorBoxes, std::vector<std::string>{kReadStoppedMessage}) << size << " " << cut;
      // Everything taken before the cut is the file's (a view's lost bytes read as zeros).
      const size_t kept = std::min(cut, sink.collected.size());
      EXPECT_EQ(text.compare(0, kept, sink.collected, 0, kept), 0) << size << " " << cut;
      EXPECT_LT(sink.collected.size(), text.size()) << size << " " << cut;
    }
  }
}

}  // namespace
