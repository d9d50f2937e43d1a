// Large disk files whose text is their bytes load from a private copy the system makes of the
// file (POSIX) instead of being read: the text and rows are those of a load read chunk by
// chunk, at sizes around the copy's pieces, with line ends, tabs, wrapping lines and double-byte
// characters across every piece edge, as text and as a dump; and the copied text then takes a
// change of code, an append, and a file cut short during the load like read text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "viewer/document/document_loading.h"
#include "viewer/document/document_test_support.h"

namespace {

using FileCopy = DocumentTest;
constexpr size_t kMiB = 1 << 20;

// Lines of every kind, with a CR LF pair, a double-byte character and a tab across each MiB edge.
std::string LargeText(size_t size) {
  static const char* const kLines[] = {"short line\n", "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\r\n", "tab\there\n",
                                       "a line long enough to wrap at the wrap column of eighty, as the viewer shows it "
                                       "by default, and to go on a little more\n",
                                       "\r", "ctl\x01\x02\n"};
  std::string text;
  for (size_t i = 0; text.size() < size; ++i) text += kLines[i * 7 % 6];
  text.resize(size);
  for (size_t edge = kMiB; edge + 21 < size; edge += kMiB) {
    text.replace(edge - 1, 2, "\r\n");
    text.replace(edge + 7, 2, "\x88\xA0");
    text[edge + 20] = '\t';
  }
  return text;
}

struct Loaded {
  std::string text;
  std::vector<uint32_t> rows;
  int32_t rowCount;
  bool operator==(const Loaded&) const = default;
};

Loaded Snapshot() {
  const Document& doc = TheDocument;
  EXPECT_EQ(*doc.TextEnd, '\0');
  return {std::string(doc.Text, doc.TextEnd), std::vector<uint32_t>(doc.LineTable, doc.LineTable + doc.LineCount + 1),
          doc.RowCount};
}

// Opens `path` as `code` (a kanji code) and `mode` (1: a dump), which detection does not change.
DocumentResult Open(const std::string& path, int code, int mode) {
  TheDocument.KanjiCode = code;
  TheDocument.DisplayMode = mode;
  return OpenDocument(path.c_str(), code, mode);
}

// The document loaded the way idle time loads it: chunk by chunk, always read.
Loaded ReadInChunks(const std::string& path, int code, int mode) {
  EXPECT_EQ(Open(path, code, mode), DocumentResult::kOk);
  while (LoadNextChunk() == 0) {
  }
  return Snapshot();
}

// Whether the document's text is a copy the system made of the file.
bool TextIsAFileCopy() { return TheDocument.TextHandle.FileCopy() != nullptr; }

#ifdef _WIN32
constexpr bool kSystemCopies = false;
#else
constexpr bool kSystemCopies = true;
#endif

TEST_F(FileCopy, LoadsAsReadInChunks) {
  for (size_t size : {kMiB - 1, kMiB, kMiB + 1, 2 * kMiB, 3 * kMiB + 5}) {
    for (int mode : {0, 1}) {
      const std::string path = WriteTemp("large.txt", LargeText(size));
      const Loaded read = ReadInChunks(path, kShiftJis, mode);
      EXPECT_FALSE(TextIsAFileCopy());
      ASSERT_EQ(Open(path, kShiftJis, mode), DocumentResult::kOk);
      LoadAll();
      EXPECT_EQ(TextIsAFileCopy(), kSystemCopies && size >= kMiB) << size;
      EXPECT_TRUE(Snapshot() == read) << size << " mode " << mode;
      EXPECT_TRUE(host.errorBoxes.empty());
    }
  }
  // A code that is converted is read.
  const std::string path = WriteTemp("large.euc", LargeText(2 * kMiB));
  ASSERT_EQ(Open(path, kEuc, 0), DocumentResult::kOk);
  LoadAll();
  EXPECT_FALSE(TextIsAFileCopy());
}

TEST_F(FileCopy, CopiedTextTakesACodeChangeAndAnAppend) {
  const std::string text = LargeText(2 * kMiB + 3);
  const std::string path = WriteTemp("grow.txt", text);
  const Loaded asEuc = ReadInChunks(path, kEuc, 0);
  const Loaded asSjis = ReadInChunks(path, kShiftJis, 0);
  ASSERT_EQ(Open(path, kShiftJis, 0), DocumentResult::kOk);
  LoadAll();
  SetKanjiCode(kEuc);  // read again into the copied block
  LoadAll();
  EXPECT_TRUE(Snapshot() == asEuc);
  SetKanjiCode(kShiftJis);
  LoadAll();
  EXPECT_TRUE(Snapshot() == asSjis);

  // The file grows: what it gained is appended after the copied text.
  ASSERT_EQ(Open(path, kShiftJis, 0), DocumentResult::kOk);
  LoadAll();
  const std::string longer = text + "\x82\xA0 appended\nand more";
  WriteTemp("grow.txt", longer);
  ASSERT_EQ(AppendToDocument(uint32_t(longer.size())), DocumentResult::kOk);
  const Loaded appended = Snapshot();
  EXPECT_EQ(appended.text, longer);
  EXPECT_TRUE(appended == ReadInChunks(path, kShiftJis, 0));
}

// A host that cuts the file short when the load first shows its progress.
class CuttingHost : public RecordingHost {
 public:
  void SetLoadMeter(int percent) override {
    if (!path.empty()) std::filesystem::resize_file(path, 1000);
    path.clear();
    RecordingHost::SetLoadMeter(percent);
  }
  std::string path;
};

TEST_F(FileCopy, FileCutShortDuringTheLoadStopsItAsAFailedRead) {
  const std::string text = LargeText(3 * kMiB);
  const std::string path = WriteTemp("cut.txt", text);
  CuttingHost cutting;
  SetDocumentHost(&cutting);
  ASSERT_EQ(Open(path, kShiftJis, 0), DocumentResult::kOk);
  cutting.path = path;
  LoadAll();
  SetDocumentHost(&host);
  EXPECT_EQ(cutting.errorBoxes, std::vector<std::string>{kReadStoppedMessage});
  EXPECT_FALSE(TheDocument.LoadEnd.valid);
  EXPECT_EQ(TheDocument.BytesLeft, 0u);
  // What was loaded before the cut is the file's.
  ASSERT_GE(TheDocument.TextEnd - TheDocument.Text, 1000);
  EXPECT_EQ(std::string(TheDocument.Text, 1000), text.substr(0, 1000));
}

}  // namespace
