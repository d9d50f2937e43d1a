// The binary test of a fresh file's sample, run on the sample converted with the document's code.
#include "viewer/document/document_converter.h"

#include <gtest/gtest.h>

#include <string>

#include "viewer/document/document.h"

namespace {

TEST(LooksBinary, MoreThanTenPerCentControlBytesAfterConversion) {
  TheDocument.KanjiCode = kShiftJis;
  std::string sample(4096, 'a');
  for (int i = 0; i < 409; ++i) sample[size_t(i) * 10] = '\0';
  EXPECT_EQ(LooksBinary(sample.data(), 4096), 0);
  sample[4095] = '\0';
  EXPECT_EQ(LooksBinary(sample.data(), 4096), 1);
  // Double-byte pairs are skipped whole, so their trail bytes never count.
  std::string kanji(100, '\x88');
  for (size_t i = 1; i < kanji.size(); i += 2) kanji[i] = '\x9F';
  EXPECT_EQ(LooksBinary(kanji.data(), 100), 0);
  // Escape bytes of JIS are gone once the sample is converted with the detected code.
  TheDocument.KanjiCode = kJis;
  std::string jis;
  for (int i = 0; i < 50; ++i) jis += "\x1b$B\x30\x21\x1b(B";
  std::string unconverted = jis;
  EXPECT_EQ(LooksBinary(jis.data(), uint32_t(jis.size())), 0);
  TheDocument.KanjiCode = kShiftJis;
  EXPECT_EQ(LooksBinary(unconverted.data(), uint32_t(unconverted.size())), 1);
}

TEST(LooksBinary, AShortJisTextWithABrokenEscapeIsText) {
  // 31 bytes: four escape bytes of an unconverted sample would pass the ten per cent.
  std::string sample = "\x1b$B\x46\x7C\x4B\x5C\x1b(B ab \x1b$4 cd \x1b$B\x46\x7C\x1b(B\r\n";
  TheDocument.KanjiCode = DetectKanjiCode(sample.c_str());
  EXPECT_EQ(TheDocument.KanjiCode, kJis);
  EXPECT_EQ(LooksBinary(sample.data(), uint32_t(sample.size())), 0);
}

}  // namespace
