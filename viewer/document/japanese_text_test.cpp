// Real Japanese text (Debian's Japanese manual pages) in Shift-JIS, EUC and JIS: detection,
// and a conversion that equals iconv's CP932 conversion byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "viewer/document/document_test_support.h"
#include "text/kanji_test_support.h"

namespace {

std::string SamplePath(const char* name) { return std::string(ZV_TEST_DATA_DIR) + "/japanese/" + name; }

std::string LoadedText() { return std::string(TheDocument.Text, size_t(TheDocument.TextEnd - TheDocument.Text)); }

using JapaneseText = DocumentTest;

TEST_F(JapaneseText, EveryCodeIsDetectedAndConvertedLikeIconv) {
  struct Case {
    const char* file;
    const char* expected;
    int code;
  };
  for (const Case& c : {Case{"sjis.txt", "sjis.txt", 0}, Case{"euc.txt", "euc.cp932", 1},
                        Case{"jis.txt", "jis.cp932", 2}}) {
    std::string expected = ReadFileBytes(SamplePath(c.expected));
    ASSERT_GT(expected.size(), 100000u) << "sample " << c.expected << " was not generated";
    ASSERT_EQ(OpenAndLoad(SamplePath(c.file)), DocumentResult::kOk) << c.file;
    EXPECT_EQ(TheDocument.KanjiCode, c.code) << c.file;
    EXPECT_EQ(TheDocument.DisplayMode, 0) << c.file;
    EXPECT_TRUE(LoadedText() == expected) << c.file << " differs from iconv's conversion";
    EXPECT_GT(TheDocument.RowCount, 1000) << c.file;
  }
}

TEST_F(JapaneseText, ForcedCodesOfTheWholeFileAgreeWithDetection) {
  ASSERT_EQ(OpenAndLoad(SamplePath("euc.txt")), DocumentResult::kOk);
  std::string detected = LoadedText();
  int32_t rows = TheDocument.RowCount;
  SetKanjiCode(0);
  LoadAll();
  EXPECT_NE(LoadedText(), detected);
  SetKanjiCode(1);
  LoadAll();
  EXPECT_TRUE(LoadedText() == detected);
  EXPECT_EQ(TheDocument.RowCount, rows);
}

}  // namespace
