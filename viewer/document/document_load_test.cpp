// Loading and the row index: wrapping, line ends, chunk edges, layout settings, the position
// text and load meter, and suspension of the source once everything is read.
#include <gtest/gtest.h>

#include <random>

#include "viewer/archive/file_reader.h"
#include "viewer/document/document_test_support.h"
#include "viewer/document/row_scan.h"
#include "viewer/document/sjis.h"
#include "viewer/shell/settings_globals.h"

namespace {

using Load = DocumentTest;

std::vector<int> RowEnds() {
  std::vector<int> ends;
  char buffer[kMaxRowBytes + 1];
  for (int32_t n = 0; n < TheDocument.RowCount; ++n) ends.push_back(FormatRow(n, buffer, nullptr));
  return ends;
}

TEST_F(Load, LongLinesWrapAtLineMax) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("wrap.txt", std::string(200, 'x') + "\n")), 1);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 4u);  // the text ends with a line end: a last, empty row
  EXPECT_EQ(rows[0].size(), 80u);
  EXPECT_EQ(rows[1].size(), 80u);
  EXPECT_EQ(rows[2].size(), 40u);
  EXPECT_EQ(rows[3], "");
  EXPECT_EQ(RowEnds(), (std::vector<int>{0, 0, 1, 0}));
  EXPECT_EQ(RowStart(TheDocument.RowCount), TheDocument.TextEnd);
}

TEST_F(Load, DoubleByteCharacterAtTheLastColumnStaysWhole) {
  std::string line = std::string(79, 'a') + "\x8A\xBF" + "b";
  ASSERT_EQ(OpenAndLoad(WriteTemp("dbcs.txt", line)), 1);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].size(), 81u);
  EXPECT_EQ(rows[1], "b");
}

TEST_F(Load, LineEndsOfEveryKind) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("ends.txt", "a\rb\nc\r\nd\n\re")), 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(RowEnds(), (std::vector<int>{1, 1, 1, 1, 1, 0}));
}

TEST_F(Load, LineEndAtTheWrapColumnGivesNoExtraRow) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("exact.txt", std::string(80, 'y') + "\r\nz")), 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{std::string(80, 'y'), "z"}));
}

TEST_F(Load, CrLfSplitAcrossTheChunkEdgeIsOneLineEnd) {
  for (size_t crAt : {1019u, 1020u, 1023u, 1024u, 2047u}) {
    std::string text;
    while (text.size() < crAt) text += std::string(std::min<size_t>(50, crAt - text.size()), 'q') + "\n";
    text.back() = 'q';
    text += "\r\nlast";
    ASSERT_EQ(OpenAndLoad(WriteTemp("crlf.txt", text)), 1);
    auto rows = Rows();
    EXPECT_EQ(rows.back(), "last") << crAt;
    EXPECT_NE(rows[rows.size() - 2], "") << "CR LF counted twice at " << crAt;
  }
}

TEST_F(Load, ControlCodesTakeTwoColumnsWhenShown) {
  // Enough ordinary text after the control codes that the file is not taken for binary.
  std::string text = std::string(80, '\x01') + "\n";
  for (int i = 0; i < 20; ++i) text += std::string(60, 't') + "\n";
  ASSERT_EQ(OpenAndLoad(WriteTemp("ctrl.txt", text)), 1);
  ASSERT_EQ(TheDocument.DisplayMode, 0);
  EXPECT_EQ(Rows()[0], std::string(40, '\x01'));
  EXPECT_EQ(Rows()[1], std::string(40, '\x01'));
  ShowControlCodes = 0;
  ASSERT_EQ(OpenAndLoad(WriteTemp("ctrl.txt", text)), 1);
  EXPECT_EQ(Rows()[0], std::string(80, '\x01'));
}

TEST_F(Load, TabsAdvanceToTheNextStopAndMayPassTheWrapColumn) {
  TabSize = 8;
  LineMax = 10;
  ASSERT_EQ(OpenAndLoad(WriteTemp("tabs.txt", "ab\tcd\tef")), 1);
  // columns: ab -> 2, tab -> 8, cd -> 10 (wrap), then ef on the next row after the tab
  EXPECT_EQ(Rows(), (std::vector<std::string>{"ab\tcd", "\tef"}));
}

TEST_F(Load, ZeroOrOneColumnLayoutsStillAdvance) {
  std::string text(3000, 'w');
  for (int32_t lineMax : {0, 1}) {
    LineMax = lineMax;
    ASSERT_EQ(OpenAndLoad(WriteTemp("narrow.txt", text)), 1);
    EXPECT_EQ(TheDocument.RowCount, 3000) << lineMax;
    EXPECT_GE(TheDocument.LineTableHandle.Size() / 4, size_t(TheDocument.LineCount) + 1);
    EXPECT_EQ(RowStart(2999), TheDocument.Text + 2999);
  }
  TabSize = 0;
  LineMax = 80;
  ASSERT_EQ(OpenAndLoad(WriteTemp("tab0.txt", "\t\t\tx")), 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"\t\t\tx"}));
}

TEST_F(Load, EmptyFileHasNoRows) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("empty.txt", "")), 1);
  EXPECT_EQ(TheDocument.RowCount, 0);
  EXPECT_EQ(TheDocument.FileSize, 0u);
  char buffer[kMaxRowBytes + 1];
  int length = -1;
  EXPECT_EQ(FormatRow(0, buffer, &length), 0);
  EXPECT_EQ(length, 0);
}

TEST_F(Load, A1024ByteFileLoadsInOneCallThatAlsoSuspendsTheSource) {
  std::string text(1023, 'k');
  text += "\n";
  ASSERT_EQ(OpenDocument(WriteTemp("k1024.txt", text).c_str(), AutoDetect, AutoDetect), 1);
  auto* file = dynamic_cast<FileReader*>(TheDocument.Source);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->IsSuspended());
  EXPECT_EQ(LoadNextChunk(), 0);
  EXPECT_EQ(TheDocument.BytesLeft, 0u);
  EXPECT_TRUE(file->IsSuspended());
  EXPECT_EQ(host.positionText, "1/14");  // 12 rows of 80, one of 63 and the empty last row
  EXPECT_EQ(host.meter, 100);
  EXPECT_EQ(LoadNextChunk(), 1);
}

TEST_F(Load, RowStartLoadsRowsThatAreNotThereYet) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + "\n";
  ASSERT_EQ(OpenDocument(WriteTemp("lazy.txt", text).c_str(), AutoDetect, AutoDetect), 1);
  EXPECT_EQ(TheDocument.RowCount, 1);
  EXPECT_EQ(std::string(RowStart(3000), 9), "line 3000");
  EXPECT_GT(TheDocument.BytesLeft, 0u);
  EXPECT_GT(TheDocument.RowCount, 3000);
  EXPECT_GT(host.meter, 0);
  EXPECT_LT(host.meter, 100);
  LoadAll();
  EXPECT_EQ(TheDocument.RowCount, 5001);
  EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(Load, SwitchingCodeOrModeRestartsFromTheTop) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("switch.txt", "\xA4\xA2\xA4\xA4\n")), 1);
  EXPECT_EQ(TheDocument.KanjiCode, 1);
  EXPECT_EQ(Rows()[0], "\x82\xA0\x82\xA2");
  TheDocument.TopLine = 1;
  SetKanjiCode(0);
  LoadAll();
  EXPECT_EQ(Rows()[0], "\xA4\xA2\xA4\xA4");
  EXPECT_EQ(TheDocument.TopLine, 0);
  SetDisplayMode(1);
  LoadAll();
  EXPECT_EQ(TheDocument.RowCount, 1);
  EXPECT_EQ(Rows()[0].substr(0, 9), "00000000:");
  EXPECT_EQ(host.busyDepth, 0);
}

// The rows of a document loaded chunk by chunk equal one scan over the whole text, and obey
// the invariants every view relies on.
TEST_F(Load, ChunkedLoadingMatchesOneScanOnRandomText) {
  std::mt19937 random(20261207);
  const char alphabet[] = {'a', ' ', '\t', '\r', '\n', '\x01', '\x00', '\x88', '\x9F', '\xE0', '\x40', '\xFC', '\x7F'};
  for (int round = 0; round < 40; ++round) {
    LineMax = int32_t(random() % 12);
    TabSize = int32_t(random() % 9);
    ShowControlCodes = int32_t(random() % 2);
    std::string text(random() % 5000, ' ');
    for (char& c : text) c = alphabet[random() % sizeof alphabet];
    // Shown as Shift-JIS text whatever the bytes look like.
    TheDocument.KanjiCode = 0;
    TheDocument.DisplayMode = 0;
    ASSERT_EQ(OpenDocument(WriteTemp("random.txt", text).c_str(), 0, 0), 1);
    LoadAll();

    std::string copy = text + std::string(4, '\0');
    std::vector<uint32_t> expected(text.size() + 2);
    RowScanState state{copy.data(), 0, copy.data()};
    RowScanner scanner{LineMax, TabSize, ShowControlCodes != 0};
    int32_t added = scanner.Scan(copy.data(), state, copy.data() + text.size(), expected.data());
    ASSERT_EQ(TheDocument.LineCount, text.empty() ? 0 : added + 1) << round;
    for (int32_t n = 1; n < TheDocument.LineCount; ++n) {
      ASSERT_EQ(TheDocument.LineTable[n], expected[size_t(n) - 1]) << "round " << round << " row " << n;
    }
    // Row starts never fall inside a double-byte character of the row before.
    for (int32_t n = 0; n + 1 < TheDocument.RowCount; ++n) {
      const char* p = RowStart(n);
      const char* next = RowStart(n + 1);
      ASSERT_LE(p, next);
      while (p < next) p += (IsSjisLead(uint8_t(*p)) && IsSjisTrail(uint8_t(p[1])) && p + 1 < TheDocument.TextEnd) ? 2 : 1;
      ASSERT_EQ(p, next) << "round " << round << " row " << n;
    }
    ASSERT_LE(RowStart(TheDocument.RowCount), TheDocument.TextEnd);
  }
}

}  // namespace
