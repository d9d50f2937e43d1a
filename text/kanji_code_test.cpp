// Kanji detection and the EUC/JIS conversion, including every chunk edge.
#include "text/kanji_code.h"

#include <gtest/gtest.h>

#include <string>

#include "text/kanji_test_support.h"

namespace {

// The whole text in one chunk, its end finished.
std::string Convert(int code, std::string bytes) {
  KanjiConverterState state;
  bytes += '\0';
  uint32_t n = ConvertKanji(state, code, bytes.data(), bytes.data(), uint32_t(bytes.size() - 1));
  n += FinishKanji(state, code, bytes.data() + n);
  return bytes.substr(0, n);
}

TEST(KanjiDetect, AsciiIsShiftJisAndEucNeedsAPair) {
  EXPECT_EQ(DetectKanjiCode("plain ASCII text\r\n\tindented\x1a"), kShiftJis);
  EXPECT_EQ(DetectKanjiCode("\xA4\xA2\xA4\xA4 EUC hiragana"), kEuc);
  EXPECT_EQ(DetectKanjiCode("kana \x8E\xB1 only"), kEuc);
  // A lone byte outside a pair, or a control byte, rules EUC out.
  EXPECT_EQ(IsEucText("\xA4\xA2 and \xFF"), 0);
  EXPECT_EQ(IsEucText("\xA4\xA2 bell \x07"), 0);
  EXPECT_EQ(IsEucText("\xA4\x41"), 0);
  // Shift-JIS kanji are not EUC: the trail byte 0x9F is below 0xA0.
  EXPECT_EQ(DetectKanjiCode("\x88\x9F\x8E\x9A"), kShiftJis);
}

TEST(KanjiDetect, JisNeedsAKanjiPairAfterTheEscape) {
  EXPECT_EQ(DetectKanjiCode("abc \x1b$B\x30\x21\x1b(B def"), kJis);
  EXPECT_EQ(DetectKanjiCode("\x1bK\x30\x21\x1bH."), kJis);
  EXPECT_EQ(DetectKanjiCode("\x1b$@\x30\x21\x1b(J."), kJis);
  // A redundant switch back before any kanji makes the file not JIS.
  EXPECT_EQ(IsJisText("\x1b(Babc \x1b$B\x30\x21\x1b(B."), 0);
  // An escape switch alone, with no pair, is not JIS.
  EXPECT_EQ(IsJisText("\x1b$B\x1b(B..."), 0);
  // Bytes outside the JIS range inside kanji rule it out.
  EXPECT_EQ(IsJisText("\x1b$B\x30\x80\x1b(B."), 0);
  // A file that starts with NUL is Shift-JIS: both scans stop at once.
  EXPECT_EQ(DetectKanjiCode(""), kShiftJis);
}

TEST(KanjiConvert, EucPairsAndHalfWidthKana) {
  EXPECT_EQ(Convert(kEuc, "\xA4\xA2"), "\x82\xA0");
  EXPECT_EQ(Convert(kEuc, "\x8E\xB1"), "\xB1");
  EXPECT_EQ(Convert(kEuc, "a\xB4\xC1\xBB\xFA\n"), "a\x8A\xBF\x8E\x9A\n");  // 漢字
  EXPECT_EQ(Convert(kShiftJis, "\xA4\xA2"), "\xA4\xA2");
}

TEST(KanjiConvert, JisEscapesDisappearAndRowsMapToLeadBytes) {
  EXPECT_EQ(Convert(kJis, "\x1b$B\x30\x21\x1b(B"), "\x88\x9F");
  EXPECT_EQ(Convert(kJis, "\x1b$B\x5F\x21\x1b(B"), "\xE0\x40");
  EXPECT_EQ(Convert(kJis, "\x1b$B\x7E\x7E\x1b(B"), "\xEF\xFC");
  EXPECT_EQ(Convert(kJis, "\x1b$B\x24\x22\x1b(J!"), "\x82\xA0!");
  // Escapes that are not JIS's (ESC "[" ...) pass through unchanged.
  EXPECT_EQ(Convert(kJis, "\x1b[0m\x1bx"), "\x1b[0m\x1bx");
}

TEST(KanjiConvert, AMalformedOrCutJisEscapeBecomesReplacementTextWhereItStands) {
  // With a final byte the whole sequence is replaced; without one, ESC and "(" or "$" are, and
  // the byte after them stays text.
  EXPECT_EQ(Convert(kJis, "a\x1b(Ib"), "a?b");
  EXPECT_EQ(Convert(kJis, "a\x1b$4b"), "a?b");
  EXPECT_EQ(Convert(kJis, "a\x1b(\r\nb"), "a?\r\nb");
  EXPECT_EQ(Convert(kJis, "\x1b$)C"), "?)C");
  // Inside kanji the section goes on after the malformed escape.
  EXPECT_EQ(Convert(kJis, "\x1b$B\x30\x21\x1b(Z\x30\x21\x1b(B"), "\x88\x9F?\x88\x9F");
  // A malformed escape followed by a valid one: both are read.
  EXPECT_EQ(Convert(kJis, "\x1b(\x1b$B\x30\x21\x1b(B!"), "?\x88\x9F!");
  // Cut off by the end of the text.
  for (const char* cut : {"x\x1b", "x\x1b(", "x\x1b$"}) EXPECT_EQ(ConvertInChunks(kJis, cut, 1), "x?") << cut + 1;
}

TEST(KanjiDetect, AMalformedEscapeDoesNotHideValidJis) {
  // Valid kanji (漢字) on the first line, a dangling ESC "(" on the second.
  const std::string dangling = "\x1b$B\x34\x41\x3B\x7A\x1b(B\r\nabc \x1b(\r\n";
  EXPECT_EQ(DetectKanjiCode(dangling.c_str()), kJis);
  EXPECT_EQ(Convert(kJis, dangling), "\x8A\xBF\x8E\x9A\r\nabc ?\r\n");
  // 31 bytes of JIS (日本) with a broken ESC "$" "4": no escape byte is left to look binary.
  const std::string broken = "\x1b$B\x46\x7C\x4B\x5C\x1b(B ab \x1b$4 cd \x1b$B\x46\x7C\x1b(B\r\n";
  ASSERT_EQ(broken.size(), 31u);
  EXPECT_EQ(DetectKanjiCode(broken.c_str()), kJis);
  EXPECT_EQ(Convert(kJis, broken), "\x93\xFA\x96\x7B ab ? cd \x93\xFA\r\n");
  // Inside kanji, too.
  EXPECT_EQ(IsJisText("\x1b$B\x30\x21\x1b(Z\x30\x21\x1b(B."), 1);
  // Malformed escapes alone make no JIS, and valid but redundant switches still rule it out.
  EXPECT_EQ(IsJisText("abc \x1b( \x1b$4 def"), 0);
  EXPECT_EQ(IsJisText("\x1b$B\x30\x21\x1b$B\x30\x21\x1b(B."), 0);
  EXPECT_EQ(IsJisText("\x1b[0m\x1b$B\x30\x21\x1b(B."), 0);
}

TEST(KanjiConvert, EveryChunkEdgeGivesTheSameText) {
  const std::string euc = "ab\xA4\xA2\x8E\xB1\xB4\xC1\xBB\xFA\r\n\x8E\xDF\xA1\xA1z";
  const std::string jis =
      "ab\x1b$B\x30\x21\x24\x22\x1b(B\r\n\x1b$@\x5F\x21\x1b(J\x1b(I1\x1bK\x30\x21\x1bH\x1bxy\x1b$)C."
      "\x1b(\r\x1b$4\x1b$B\x30\x21\x1b(Z\x30\x21\x1b(B\x1b(";
  for (size_t chunk = 1; chunk <= jis.size(); ++chunk) {
    EXPECT_EQ(ConvertInChunks(kEuc, euc, chunk), Convert(kEuc, euc)) << "EUC chunk " << chunk;
    EXPECT_EQ(ConvertInChunks(kJis, jis, chunk), Convert(kJis, jis)) << "JIS chunk " << chunk;
  }
}

}  // namespace
