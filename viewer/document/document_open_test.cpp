// Opening documents: detection messages, every failure path with its message and priority,
// the busy cursor balanced on every path, and a source that fails while loading.
#include <gtest/gtest.h>

#include <cstdio>

#include "viewer/document/document_test_support.h"

namespace {

using Open = DocumentTest;

void ExpectEmptyDocument() {
  EXPECT_EQ(TheDocument.RowCount, 0);
  EXPECT_EQ(TheDocument.LineCount, 0);
  EXPECT_EQ(TheDocument.BytesLeft, 0u);
  EXPECT_EQ(RowStart(0), TheDocument.Text);
}

TEST_F(Open, MissingFileAndDirectoryLeaveAnEmptyDocument) {
  for (std::string path : {std::string(::testing::TempDir()) + "does-not-exist.txt",
                           std::string(::testing::TempDir())}) {
    host = RecordingHost();
    EXPECT_NE(OpenDocument(path.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
    EXPECT_TRUE(host.Showed("ファイルが見つかりません")) << path;
    EXPECT_STREQ(TheDocument.FileName, path.c_str());
    EXPECT_EQ(host.titles.back(), "Zelko View 32 - " + path);
    EXPECT_EQ(host.busyDepth, 0);
    EXPECT_EQ(host.busyUnderflows, 0);
    ExpectEmptyDocument();
  }
}

TEST_F(Open, MissingFileWhileAnotherIsStillLoading) {
  std::string big(100000, 'b');
  ASSERT_EQ(OpenDocument(WriteTemp("big.txt", big).c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  LoadNextChunk();
  ASSERT_GT(TheDocument.BytesLeft, 0u);
  EXPECT_NE(OpenDocument((std::string(::testing::TempDir()) + "gone.txt").c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  EXPECT_TRUE(host.Showed("ファイルが見つかりません"));
  EXPECT_EQ(TheDocument.Source.get(), nullptr);
  EXPECT_EQ(host.closedWindows, 2);
  ExpectEmptyDocument();
}

TEST_F(Open, PathLongerThanTheFileNameFieldIsRefused) {
  std::string path(kFileNameSize + 10, 'p');
  EXPECT_NE(OpenDocument(path.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  EXPECT_TRUE(host.Showed("ファイル名が長すぎます"));
  EXPECT_EQ(host.busyDepth, 0);
  ExpectEmptyDocument();
}

TEST_F(Open, ArchiveThatCannotBeReadIsReported) {
  EXPECT_NE(OpenDocument(WriteTemp("broken.zip", "not a zip archive").c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  EXPECT_TRUE(host.Showed("メモリが足りないか、ファイルが展開できません"));
  EXPECT_EQ(TheDocument.ArchiveFile.get(), nullptr);
  EXPECT_EQ(host.busyDepth, 0);
  ExpectEmptyDocument();
}

TEST_F(Open, DetectedCodesAreAnnouncedWithPriorityOne) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("euc.txt", "\xA4\xA2\xA4\xA4\n")), DocumentResult::kOk);
  EXPECT_TRUE(host.Showed("EUCコードを検出しました"));
  ASSERT_EQ(OpenAndLoad(WriteTemp("jis.txt", "\x1b$B\x30\x21\x1b(B\n")), DocumentResult::kOk);
  EXPECT_TRUE(host.Showed("JISコードを検出しました"));
  EXPECT_EQ(Rows()[0], "\x88\x9F");
  host = RecordingHost();
  ASSERT_EQ(OpenAndLoad(WriteTemp("sjis.txt", "\x88\x9F\n")), DocumentResult::kOk);
  EXPECT_TRUE(host.statusMessages.empty());
  EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(Open, BinaryFilesAreShownAsDumpRows) {
  std::string bytes(1000, '\0');
  ASSERT_EQ(OpenAndLoad(WriteTemp("zeros.bin", bytes)), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.DisplayMode, 1);
  EXPECT_EQ(TheDocument.RowCount, 63);  // (1000 + 15) / 16
}

TEST_F(Open, AChoiceOtherThanAutoDetectKeepsTheCurrentCode) {
  TheDocument.KanjiCode = 1;
  ASSERT_EQ(OpenDocument(WriteTemp("forced.txt", "\xA4\xA2").c_str(), 0, AutoDetect), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.KanjiCode, 1);
  LoadAll();
  EXPECT_EQ(Rows()[0], "\x82\xA0");
  EXPECT_TRUE(host.statusMessages.empty());
}

TEST_F(Open, ShortReadStopsLoadingAndKeepsTheLoadedPart) {
  std::string text;
  while (text.size() < 200000) text += "a line of text\r\n";
  std::string path = WriteTemp("vanishing.txt", text);
  ASSERT_EQ(OpenDocument(path.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  for (int i = 0; i < 10; ++i) LoadNextChunk();
  TheDocument.Source->Suspend();
  ASSERT_EQ(std::remove(path.c_str()), 0);
  LoadAll();
  ASSERT_EQ(host.errorBoxes.size(), 1u);
  EXPECT_EQ(host.errorBoxes[0], "ファイルが読み込めません!これ以上の読み込みを中止します");
  EXPECT_EQ(TheDocument.BytesLeft, 0u);
  EXPECT_EQ(TheDocument.TextEnd - TheDocument.Text, 10240);
  // Every row up to the end is whole, and the table is closed at the end of the loaded text.
  auto rows = Rows();
  ASSERT_GT(rows.size(), 600u);
  EXPECT_EQ(rows[0], "a line of text");
  EXPECT_EQ(RowStart(TheDocument.RowCount), TheDocument.TextEnd);
  EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(Open, StringListsEndWithAnEmptyString) {
  char list[] = "one\0two\0three\0\0";
  EXPECT_EQ(ListEnd(list), list + 14);
  ListRemoveFirst(list);
  EXPECT_STREQ(list, "two");
  EXPECT_EQ(ListEnd(list), list + 10);
  ListRemoveFirst(list);
  ListRemoveFirst(list);
  EXPECT_EQ(ListEnd(list), list);
  ListRemoveFirst(list);
  EXPECT_EQ(list[0], '\0');
}

}  // namespace
