// UTF-8 and UTF-16: detection beside the older codes, conversion to CP932 equal to iconv's for
// real Japanese text, "〓" and "?" for what CP932 lacks and what is not Unicode, every chunk
// edge, and the generated table against its generator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "viewer/document/document_test_support.h"
#include "text/kanji_code.h"
#include "text/kanji_test_support.h"
#include "text/kanji_unicode_table.h"
#include "text/sjis.h"

#ifndef _WIN32
#include <iconv.h>
#endif

namespace {

const std::string kGeta = "\x81\xAC";  // 〓

// Literals are Shift-JIS in this build; UTF-8 text is written u8"...".
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Convert(int code, const std::string& input, bool bigEndian = false) {
  return ConvertInChunks(code, input, input.size() ? input.size() : 1, bigEndian);
}

// UTF-16 of UTF-8 text (BMP and surrogate pairs), in either byte order.
std::string Utf16(const std::string& utf8, bool bigEndian) {
  std::string out;
  auto put = [&](uint32_t unit) {
    char high = char(unit >> 8), low = char(unit & 0xFF);
    out += bigEndian ? std::string{high, low} : std::string{low, high};
  };
  auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
  const uint8_t* end = p + utf8.size();
  while (p < end) {
    uint32_t c = 0;
    p += DecodeUtf8(p, end, c);
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  return out;
}

std::string Sample(const char* name) { return ReadFileBytes(std::string(ZV_TEST_DATA_DIR) + "/japanese/" + name); }

int Detect(const std::string& bytes) {
  std::string sample = bytes.substr(0, 4096);
  return DetectKanjiCode(sample.c_str(), uint32_t(sample.size()));
}

TEST(UnicodeDetect, MarksAndValidUtf8AndMostlyZeroHalves) {
  EXPECT_EQ(Detect("plain ASCII\r\n"), kShiftJis);
  EXPECT_EQ(Detect("\xEF\xBB\xBFplain ASCII after the mark"), kUtf8);
  EXPECT_EQ(Detect(U8(u8"ファイルの一覧\n")), kUtf8);
  EXPECT_EQ(Detect(std::string("\xFF\xFE") + Utf16(U8(u8"ファイル"), false)), kUtf16);
  EXPECT_EQ(Detect(std::string("\xFE\xFF") + Utf16(U8(u8"ファイル"), true)), kUtf16);
  EXPECT_EQ(Detect(Utf16(U8(u8"ls -l: ファイル\r\n"), false)), kUtf16);
  EXPECT_EQ(Detect(Utf16(U8(u8"ls -l: ファイル\r\n"), true)), kUtf16);
  // A character cut by the sample's end is allowed; a byte that is not UTF-8 is not.
  std::string longText(4094, 'a');
  EXPECT_EQ(Detect(U8(u8"日") + longText + U8(u8"本")), kUtf8);
  EXPECT_EQ(Detect(U8(u8"日本") + "\xE8"), kUtf8);
  EXPECT_EQ(Detect(U8(u8"日本") + "\xE8\n"), kShiftJis);
  EXPECT_NE(Detect("\xC0\xAF overlong"), kUtf8);
  EXPECT_NE(Detect("\xED\xA0\x80 surrogate"), kUtf8);
  // Japanese mostly without ASCII has too few zero bytes to be UTF-16 without a mark, and
  // zero bytes beside control bytes are binary, not UTF-16.
  EXPECT_NE(Detect(Utf16(U8(u8"日本語のテキストです"), false)), kUtf16);
  EXPECT_NE(Detect(std::string("\x01\x00\x02\x00\x03\x00\x04\x00", 8)), kUtf16);
  // The older codes, which are never valid UTF-8 with at least one pair.
  EXPECT_EQ(Detect("\xA4\xA2\xA4\xA4 EUC"), kEuc);
  EXPECT_EQ(Detect("\x82\xA0\x82\xA2 SJIS"), kShiftJis);
  EXPECT_EQ(Detect("\x1b$B\x30\x21\x1b(B JIS"), kJis);
  EXPECT_STREQ(DetectionMessage(kUtf8), "UTF-8コードを検出しました");
  EXPECT_STREQ(DetectionMessage(kUtf16), "UTF-16コードを検出しました");
  EXPECT_EQ(DetectionMessage(kShiftJis), nullptr);
}

TEST(UnicodeDetect, ByteOrderOfTheSample) {
  std::string le = Utf16("abc", false), be = Utf16("abc", true);
  EXPECT_FALSE(Utf16SampleIsBigEndian(le.data(), uint32_t(le.size())));
  EXPECT_TRUE(Utf16SampleIsBigEndian(be.data(), uint32_t(be.size())));
  EXPECT_TRUE(Utf16SampleIsBigEndian("\xFE\xFF\x30\x00", 4));  // the mark decides
  EXPECT_FALSE(Utf16SampleIsBigEndian("\xFF\xFE\x00\x30", 4));
}

TEST(UnicodeConvert, CharactersOfCp932AndTheRest) {
  EXPECT_EQ(Convert(kUtf8, U8(u8"aあ漢字\r\n")), "a\x82\xA0\x8A\xBF\x8E\x9A\r\n");
  EXPECT_EQ(Convert(kUtf8, U8(u8"ｱｲ")), "\xB1\xB2");          // half-width katakana: one byte each
  EXPECT_EQ(Convert(kUtf8, U8(u8"ⅰ①髙")), "\xFA\x40\x87\x40\xFB\xFC");  // IBM and NEC extensions
  EXPECT_EQ(Convert(kUtf8, U8(u8"〜−")), "\x81\x60\x81\x7C");  // what EUC-JP's decoders give
  // (u8 literals with characters CP932 lacks stay out of the macros, which quote their text.)
  const std::string outside = U8(u8"é😀x"), pair = U8(u8"aあ😀");
  EXPECT_EQ(Convert(kUtf8, outside), kGeta + kGeta + "x");
  EXPECT_EQ(Convert(kUtf8, "\xEF\xBB\xBF" "a\xEF\xBB\xBF"), "a" + kGeta);  // only the first mark goes
  // Bytes that are not UTF-8: one "?" for each bad start, never more bytes than came in.
  EXPECT_EQ(Convert(kUtf8, "\xFF" "a\x80" "b"), "?a?b");
  EXPECT_EQ(Convert(kUtf8, "\xE3\x81" "a"), "?a");
  EXPECT_EQ(Convert(kUtf8, "\xED\xA0\x80"), "???");
  EXPECT_EQ(Convert(kUtf8, "\xF4\x90\x80\x80"), "????");
  EXPECT_EQ(Convert(kUtf8, "end\xE3\x81"), "end?");  // cut by the end of the text
  EXPECT_EQ(Convert(kUtf16, std::string("\xFF\xFE") + Utf16(pair, false)), "a\x82\xA0" + kGeta);
  EXPECT_EQ(Convert(kUtf16, std::string("\xFE\xFF") + Utf16(U8(u8"aあ"), true)), "a\x82\xA0");
  EXPECT_EQ(Convert(kUtf16, Utf16(U8(u8"aあ"), true), true), "a\x82\xA0");
  // Unpaired surrogates and an odd last byte.
  EXPECT_EQ(Convert(kUtf16, std::string("\x00\xD8" "a\x00", 4)), "?a");
  EXPECT_EQ(Convert(kUtf16, std::string("\x00\xDC" "a\x00" "b", 5)), "?a?");
  EXPECT_EQ(Convert(kUtf16, std::string("\x00\xD8", 2)), "?");
}

TEST(UnicodeConvert, EveryChunkEdgeGivesTheSameText) {
  const std::string utf8 = "\xEF\xBB\xBF" + U8(u8"ab漢字ｱ😀é\r\n") + "\xE3\x81" "x\xFF" + U8(u8"ⅰ①end");
  const std::string whole8 = Convert(kUtf8, utf8);
  for (bool bigEndian : {false, true}) {
    std::string utf16 = Utf16(U8(u8"\uFEFFab漢字ｱ😀é\r\nⅰ①end"), bigEndian);
    utf16 += bigEndian ? std::string("\xD8\x00\x00x", 4) : std::string("\x00\xD8x\x00", 4);  // unpaired
    const std::string whole16 = Convert(kUtf16, utf16, bigEndian);
    EXPECT_EQ(whole16.substr(0, 4), "ab\x8A\xBF");
    for (size_t chunk = 1; chunk <= utf16.size(); ++chunk) {
      EXPECT_EQ(ConvertInChunks(kUtf16, utf16, chunk, bigEndian), whole16) << "UTF-16 chunk " << chunk;
    }
  }
  for (size_t chunk = 1; chunk <= utf8.size(); ++chunk) {
    EXPECT_EQ(ConvertInChunks(kUtf8, utf8, chunk), whole8) << "UTF-8 chunk " << chunk;
  }
}

// One character at a time through DecodeUtf8 and the table: the oracle for the converter's runs.
std::string ConvertUtf8ByCharacter(const std::string& text) {
  std::string out;
  const auto* p = reinterpret_cast<const uint8_t*>(text.data());
  const uint8_t* end = p + text.size();
  while (p < end) {
    uint32_t codePoint = 0;
    int used = DecodeUtf8(p, end, codePoint);
    if (used == 0) used = int(end - p), codePoint = kInvalidUnicode;  // cut by the end
    p += used;
    uint16_t code = codePoint == kInvalidUnicode ? uint16_t('?') : UnicodeToCp932(codePoint);
    if (code == 0 && codePoint != 0) code = 0x81AC;
    if (code > 0xFF) out += char(code >> 8);
    out += char(code & 0xFF);
  }
  return out;
}

// ASCII runs of every length between kanji (so that the eight-byte copies start at every
// distance behind the input and end at every byte of a word), with now and then a character
// of two or four bytes or a byte that is not UTF-8, converted whole and in random chunks.
TEST(UnicodeConvert, AsciiBetweenKanjiInEveryAlignment) {
  const std::string pieces[] = {U8(u8"漢"), U8(u8"あ"), U8(u8"ｱ"), U8(u8"é"), U8(u8"😀"), "\xFF", "\xE3\x81"};
  std::mt19937 random(8);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    while (text.size() < 600) {
      text += std::string(random() % 24, char('a' + random() % 26));
      size_t piece = random() % 16;
      text += pieces[piece < 10 ? piece % 2 : 2 + (piece - 10) % 5];  // mostly kanji and kana
    }
    const std::string expected = ConvertUtf8ByCharacter(text);
    ASSERT_EQ(Convert(kUtf8, text), expected) << round;
    ASSERT_EQ(ConvertInChunks(kUtf8, text, 1 + random() % 100), expected) << round;
  }
}

TEST(UnicodeConvert, TableAgreesWithTheSingleAndDoubleByteClasses) {
  int mapped = 0;
  for (uint32_t c = 0x80; c <= 0xFFFF; ++c) {
    uint16_t code = UnicodeToCp932(c);
    if (!code) continue;
    ++mapped;
    if (code < 0x100) {
      EXPECT_TRUE((code >= 0xA1 && code <= 0xDF) || code == 0x5C || code == 0x7E) << std::hex << c;
    } else {
      EXPECT_TRUE(IsSjisLead(uint8_t(code >> 8)) && IsSjisTrail(uint8_t(code))) << std::hex << c;
    }
  }
  EXPECT_GT(mapped, 9000);
  EXPECT_EQ(UnicodeToCp932(0x10000), 0);
}

#ifndef _WIN32
// Every character the table holds comes back from the CP932 bytes (decoded by iconv, whose
// CP932 decoder is the platform's table), except the JIS X 0208 code points that EUC-JP and
// ISO-2022-JP decoders give, which go to the CP932 character of the same JIS code.
TEST(UnicodeConvert, TableRoundTripsThroughTheCp932Decoder) {
  iconv_t decoder = iconv_open("UTF-32LE", "CP932");
  ASSERT_NE(decoder, iconv_t(-1));
  const std::map<uint32_t, uint32_t> oneWay = {
      {0xA2, 0xFFE0}, {0xA3, 0xFFE1}, {0xA5, 0x5C}, {0xAC, 0xFFE2}, {0x2014, 0x2015},
      {0x2016, 0x2225}, {0x203E, 0x7E}, {0x2212, 0xFF0D}, {0x301C, 0xFF5E}};
  int checked = 0;
  for (uint32_t c = 0x80; c <= 0xFFFF; ++c) {
    uint16_t code = UnicodeToCp932(c);
    if (!code) continue;
    char bytes[2] = {char(code >> 8), char(code & 0xFF)};
    char* in = code < 0x100 ? bytes + 1 : bytes;
    size_t inLeft = code < 0x100 ? 1 : 2;
    uint32_t back = 0;
    char* out = reinterpret_cast<char*>(&back);
    size_t outLeft = sizeof back;
    ASSERT_NE(iconv(decoder, &in, &inLeft, &out, &outLeft), size_t(-1)) << std::hex << c;
    auto expected = oneWay.find(c);
    EXPECT_EQ(back, expected == oneWay.end() ? c : expected->second) << std::hex << c;
    ++checked;
  }
  iconv_close(decoder);
  EXPECT_GT(checked, 9000);
}

TEST(UnicodeConvert, CommittedTableIsWhatTheGeneratorWrites) {
  std::string fresh = ::testing::TempDir() + "/kanji_unicode_table.cpp";
  std::string command = "python3 " ZV_SOURCE_DIR "/text/kanji_unicode_table_gen.py " + fresh;
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string committed = ReadFileBytes(ZV_SOURCE_DIR "/text/kanji_unicode_table.cpp");
  ASSERT_GT(committed.size(), 100000u);
  EXPECT_TRUE(ReadFileBytes(fresh) == committed) << "run kanji_unicode_table_gen.py and commit its output";
}
#endif

using UnicodeText = DocumentTest;

// The manual-page text saved as UTF-8 and UTF-16 loads as iconv's CP932 of the same text, with
// the mark gone and the message shown.
TEST_F(UnicodeText, ManualPagesLoadLikeIconvInEveryForm) {
  const std::string expected = Sample("utf8.cp932");
  ASSERT_GT(expected.size(), 100000u) << "the Unicode samples were not generated";
  struct Case {
    const char* file;
    int code;
  };
  for (const Case& c : {Case{"utf8.txt", kUtf8}, Case{"utf8-bom.txt", kUtf8}, Case{"utf16le-bom.txt", kUtf16},
                        Case{"utf16be.txt", kUtf16}}) {
    host.statusMessages.clear();
    ASSERT_EQ(OpenAndLoad(std::string(ZV_TEST_DATA_DIR) + "/japanese/" + c.file), DocumentResult::kOk) << c.file;
    EXPECT_EQ(TheDocument.KanjiCode, c.code) << c.file;
    EXPECT_EQ(TheDocument.DisplayMode, 0) << c.file;
    EXPECT_TRUE(host.Showed(DetectionMessage(c.code))) << c.file;
    std::string loaded(TheDocument.Text, size_t(TheDocument.TextEnd - TheDocument.Text));
    EXPECT_TRUE(loaded == expected) << c.file << " differs from iconv's conversion";
  }
  // The same text in EUC gives the same rows.
  int32_t rows = TheDocument.RowCount;
  ASSERT_EQ(OpenAndLoad(std::string(ZV_TEST_DATA_DIR) + "/japanese/euc.txt"), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.RowCount, rows);
}

TEST_F(UnicodeText, ForcedCodesReloadAndAFileCutInACharacterEndsWithAQuestionMark) {
  std::string path = WriteTemp("zv_utf16.txt", std::string("\xFF\xFE", 2) + Utf16(U8(u8"漢字\r\nabc\r\n"), false) + "x");
  ASSERT_EQ(OpenAndLoad(path), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.KanjiCode, kUtf16);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"漢字", "abc", "?"}));
  SetKanjiCode(kShiftJis);
  LoadAll();
  EXPECT_EQ(TheDocument.TextEnd - TheDocument.Text, 21);
  SetKanjiCode(kUtf16);
  LoadAll();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"漢字", "abc", "?"}));
  // A big-endian file without a mark is forced from Shift-JIS in its own byte order.
  std::string big = WriteTemp("zv_utf16be.txt", Utf16(U8(u8"日本\n"), true) + std::string(8, 'a'));
  ASSERT_EQ(OpenAndLoad(big), DocumentResult::kOk);
  SetKanjiCode(kUtf16);
  LoadAll();
  EXPECT_EQ(Rows()[0], "日本");
}

// Binary detection runs on the converted sample: UTF-16 text is text.
TEST_F(UnicodeText, Utf16TextIsNotBinary) {
  std::string path = WriteTemp("zv_utf16_ascii.txt", Utf16("plain text, all ASCII\r\n", false) + Utf16("x", false));
  ASSERT_EQ(OpenAndLoad(path), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.KanjiCode, kUtf16);
  EXPECT_EQ(TheDocument.DisplayMode, 0);
}

}  // namespace
