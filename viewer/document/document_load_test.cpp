// Loading and the row index: wrapping, line ends, chunk edges, layout settings, the position
// text and load meter, and suspension of the source once everything is read.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "viewer/archive/file_reader.h"
#include "viewer/document/decimal_text.h"
#include "viewer/document/document_test_support.h"
#include "text/sjis.h"

namespace {

using Load = DocumentTest;

std::vector<int> RowEnds() {
  std::vector<int> ends;
  char buffer[kMaxRowBytes + 1];
  for (int32_t n = 0; n < TheDocument.RowCount; ++n) ends.push_back(FormatRow(n, buffer, nullptr));
  return ends;
}

TEST_F(Load, LongLinesWrapAtLineMax) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("wrap.txt", std::string(200, 'x') + "\n")), DocumentResult::kOk);
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
  ASSERT_EQ(OpenAndLoad(WriteTemp("dbcs.txt", line)), DocumentResult::kOk);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].size(), 81u);
  EXPECT_EQ(rows[1], "b");
}

TEST_F(Load, LineEndsOfEveryKind) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("ends.txt", "a\rb\nc\r\nd\n\re")), DocumentResult::kOk);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(RowEnds(), (std::vector<int>{1, 1, 1, 1, 1, 0}));
}

TEST_F(Load, LineEndAtTheWrapColumnGivesNoExtraRow) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("exact.txt", std::string(80, 'y') + "\r\nz")), DocumentResult::kOk);
  EXPECT_EQ(Rows(), (std::vector<std::string>{std::string(80, 'y'), "z"}));
}

TEST_F(Load, CrLfSplitAcrossTheChunkEdgeIsOneLineEnd) {
  for (size_t crAt : {1019u, 1020u, 1023u, 1024u, 2047u}) {
    std::string text;
    while (text.size() < crAt) text += std::string(std::min<size_t>(50, crAt - text.size()), 'q') + "\n";
    text.back() = 'q';
    text += "\r\nlast";
    ASSERT_EQ(OpenAndLoad(WriteTemp("crlf.txt", text)), DocumentResult::kOk);
    auto rows = Rows();
    EXPECT_EQ(rows.back(), "last") << crAt;
    EXPECT_NE(rows[rows.size() - 2], "") << "CR LF counted twice at " << crAt;
  }
}

TEST_F(Load, ControlCodesTakeTwoColumnsWhenShown) {
  // Enough ordinary text after the control codes that the file is not taken for binary.
  std::string text = std::string(80, '\x01') + "\n";
  for (int i = 0; i < 20; ++i) text += std::string(60, 't') + "\n";
  ASSERT_EQ(OpenAndLoad(WriteTemp("ctrl.txt", text)), DocumentResult::kOk);
  ASSERT_EQ(TheDocument.DisplayMode, 0);
  EXPECT_EQ(Rows()[0], std::string(40, '\x01'));
  EXPECT_EQ(Rows()[1], std::string(40, '\x01'));
  host.rows.controlCodesShown = false;
  ASSERT_EQ(OpenAndLoad(WriteTemp("ctrl.txt", text)), DocumentResult::kOk);
  EXPECT_EQ(Rows()[0], std::string(80, '\x01'));
}

TEST_F(Load, TabsAdvanceToTheNextStopAndMayPassTheWrapColumn) {
  host.rows.tabSize = 8;
  host.rows.lineMax = 10;
  ASSERT_EQ(OpenAndLoad(WriteTemp("tabs.txt", "ab\tcd\tef")), DocumentResult::kOk);
  // columns: ab -> 2, tab -> 8, cd -> 10 (wrap), then ef on the next row after the tab
  EXPECT_EQ(Rows(), (std::vector<std::string>{"ab\tcd", "\tef"}));
}

TEST_F(Load, OneColumnLayoutStillAdvances) {
  std::string text(3000, 'w');
  host.rows.lineMax = 1;
  ASSERT_EQ(OpenAndLoad(WriteTemp("narrow.txt", text)), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.RowCount, 3000);
  EXPECT_GE(TheDocument.LineTableHandle.Size() / 4, size_t(TheDocument.LineCount) + 1);
  EXPECT_EQ(RowStart(2999), TheDocument.Text + 2999);
  host.rows.tabSize = 0;
  host.rows.lineMax = 80;
  ASSERT_EQ(OpenAndLoad(WriteTemp("tab0.txt", "\t\t\tx")), DocumentResult::kOk);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"\t\t\tx"}));
}

// LineMax 0 means no wrapping: rows end at line ends, or at the widest row the views paint.
TEST_F(Load, ZeroLineMaxDoesNotWrap) {
  host.rows.lineMax = 0;
  const std::string longLine(600, 'w');
  ASSERT_EQ(OpenAndLoad(WriteTemp("nowrap.txt", std::string(100, 'a') + "\r\n" + longLine)), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.RowCount, 4);
  EXPECT_EQ(Rows(), (std::vector<std::string>{std::string(100, 'a'), longLine.substr(0, 255), longLine.substr(0, 255),
                                              longLine.substr(0, 90)}));
  host.rows.lineMax = 80;
}

TEST_F(Load, EmptyFileHasNoRows) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("empty.txt", "")), DocumentResult::kOk);
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
  ASSERT_EQ(OpenDocument(WriteTemp("k1024.txt", text).c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  auto* file = dynamic_cast<FileReader*>(TheDocument.Source.get());
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
  ASSERT_EQ(OpenDocument(WriteTemp("lazy.txt", text).c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
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
  ASSERT_EQ(OpenAndLoad(WriteTemp("switch.txt", "\xA4\xA2\xA4\xA4\n")), DocumentResult::kOk);
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

// The rows of a document loaded chunk by chunk follow the rules byte for byte, on random text
// of every byte class and on random layouts.
TEST_F(Load, ChunkedLoadingFollowsTheRulesOnRandomText) {
  std::mt19937 random(20261207);
  const char alphabet[] = {'a', ' ', '\t', '\r', '\n', '\x01', '\x00', '\x88', '\x9F', '\xE0', '\x40', '\xFC', '\x7F', '\xA0'};
  for (int round = 0; round < 60; ++round) {
    host.rows.lineMax = int32_t(random() % 12) + (round % 3 == 0 ? 70 : 0);
    host.rows.tabSize = int32_t(random() % 9);
    host.rows.controlCodesShown = random() % 2 != 0;
    std::string text(random() % 5000, ' ');
    // Some rounds are mostly double-byte text, others every class at random.
    for (char& c : text) c = alphabet[round % 2 ? random() % sizeof alphabet : (random() % 3 ? 7 + random() % 2 : 0)];
    // Shown as Shift-JIS text whatever the bytes look like.
    TheDocument.KanjiCode = 0;
    TheDocument.DisplayMode = 0;
    ASSERT_EQ(OpenDocument(WriteTemp("random.txt", text).c_str(), 0, 0), DocumentResult::kOk);
    // Half the rounds load chunk by chunk as in idle time, the others in LoadAll's larger chunks.
    if (round % 4 < 2) {
      while (LoadNextChunk() == 0) {
      }
    } else {
      LoadAll();
    }
    std::vector<uint32_t> expected = ReferenceRowStarts(text, host.rows.lineMax, host.rows.tabSize, host.rows.controlCodesShown);
    ASSERT_EQ(TheDocument.LineCount, int32_t(expected.size())) << round;
    for (int32_t n = 0; n < TheDocument.LineCount; ++n) {
      ASSERT_EQ(TheDocument.LineTable[n], expected[size_t(n)]) << "round " << round << " row " << n;
    }
    ASSERT_EQ(RowStart(TheDocument.RowCount), TheDocument.TextEnd);
  }
}

}  // namespace

namespace {

TEST(AppendDecimal, EdgesOfTheRange) {
  char text[24];
  auto decimal = [&](int64_t value) { return std::string(text, AppendDecimal(text, value)); };
  EXPECT_EQ(decimal(0), "0");
  EXPECT_EQ(decimal(7), "7");
  EXPECT_EQ(decimal(-10), "-10");
  EXPECT_EQ(decimal(1234567890123), "1234567890123");
  EXPECT_EQ(decimal(INT64_MAX), "9223372036854775807");
  EXPECT_EQ(decimal(INT64_MIN), "-9223372036854775808");
  // Each count of digits, at both of its ends and either sign, as the C library writes it.
  for (int64_t power = 1; power <= INT64_MAX / 10; power *= 10) {
    for (int64_t value : {power - 1, power, power + 1, 10 * power - 1, 5 * power + power / 2}) {
      EXPECT_EQ(decimal(value), std::to_string(value));
      EXPECT_EQ(decimal(-value), std::to_string(-value));
    }
  }
}

}  // namespace
