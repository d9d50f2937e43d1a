// The textual encodings of the settings: hexadecimal defaults, escaped string lists, the
// '|'-joined FilerMask and WindowLink, and the flag string BooleanOption.
#include <gtest/gtest.h>

#include <string>

#include "viewer/settings/bar_lists.h"
#include "viewer/settings/boolean_option.h"
#include "viewer/settings/hex_text.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/escaped_list.h"

namespace {

std::string Block(const char* block, size_t size) { return std::string(block, size); }

TEST(HexText, DecodesPairsInMemoryOrder) {
  uint8_t bytes[4];
  HexTextToBytes("3576C600", bytes, 4);
  EXPECT_EQ(bytes[0], 0x35);
  EXPECT_EQ(bytes[1], 0x76);
  EXPECT_EQ(bytes[2], 0xC6);
  EXPECT_EQ(bytes[3], 0x00);
  HexTextToBytes("FFFE", bytes, 1);  // count limits what is decoded
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0x76);
}

TEST(EscapedList, RoundTripsNulsAndBackslashes) {
  const char list[] = "C:\\DOS\0a\\\\b\0\0";
  size_t bytes = StringListBytes(list, sizeof list);
  EXPECT_EQ(bytes, sizeof list - 1);
  std::string text = EncodeEscapedList(list, bytes);
  EXPECT_EQ(text, "C:\\\\DOS\\0a\\\\\\\\b\\0\\0");
  char block[32];
  DecodeEscapedList(text, block, sizeof block);
  EXPECT_EQ(Block(block, bytes), Block(list, bytes));
}

TEST(EscapedList, EmptyListIsTwoNuls) {
  char block[8] = {};
  EXPECT_EQ(StringListBytes(block, sizeof block), 2u);
  EXPECT_EQ(EncodeEscapedList(block, 2), "\\0\\0");
}

TEST(EscapedList, ShiftJisTrailBackslashSurvives) {
  const char list[] = "\x95\x5C\0\0";  // a kanji whose trail byte is '\'
  std::string text = EncodeEscapedList(list, 4);
  char block[8];
  DecodeEscapedList(text, block, sizeof block);
  EXPECT_EQ(Block(block, 4), Block(list, 4));
}

TEST(EscapedList, OverlongDecodingIsCutAfterTheLastWholeEntry) {
  char block[8];
  DecodeEscapedList("abc\\0defgh\\0\\0", block, sizeof block);
  EXPECT_EQ(Block(block, 8), Block("abc\0\0\0\0\0", 8));
  DecodeEscapedList("abc\\0de\\0", block, sizeof block);  // fills 7 bytes, unclosed
  EXPECT_EQ(Block(block, 8), Block("abc\0de\0\0", 8));
  DecodeEscapedList("abcdefghijk", block, sizeof block);
  EXPECT_EQ(Block(block, 8), std::string(8, '\0'));
}

TEST(EscapedList, LoneTrailingBackslashIsDropped) {
  char block[8];
  DecodeEscapedList("ab\\", block, sizeof block);
  EXPECT_EQ(Block(block, 4), Block("ab\0\0", 4));
}

TEST(FilerMask, RoundTripsThroughBars) {
  char block[64] = "ITXT;MAN;DOC|ICPP;C;H;RC";
  FilerMaskFromText(block, sizeof block);
  EXPECT_EQ(Block(block, 26), Block("ITXT;MAN;DOC\0ICPP;C;H;RC\0\0", 26));
  EXPECT_EQ(FilerMaskToText(block, sizeof block), "ITXT;MAN;DOC|ICPP;C;H;RC|");
}

TEST(FilerMask, EmptyListIsOneBar) {
  char block[8] = {};
  EXPECT_EQ(FilerMaskToText(block, sizeof block), "|");
  char stored[8] = "|";
  FilerMaskFromText(stored, sizeof stored);
  EXPECT_EQ(stored[0], '\0');
}

TEST(FilerMask, KanjiTrailBarIsNotASeparator) {
  char block[16] = "I\x83\x7C;A|B";  // "ポ" ends in 0x7C
  FilerMaskFromText(block, sizeof block);
  EXPECT_EQ(Block(block, 8), Block("I\x83\x7C;A\0B\0", 8));
}

TEST(WindowLink, SplitsIntoFourSlotsOrRefuses) {
  WindowLinkSlots slots = {"1", "2", "3", "4"};
  ASSERT_TRUE(SplitWindowLink("LT||RB|LBR", slots));
  EXPECT_STREQ(slots[0], "LT");
  EXPECT_STREQ(slots[1], "");
  EXPECT_STREQ(slots[3], "LBR");
  EXPECT_EQ(JoinWindowLink(slots), "LT||RB|LBR");
  WindowLinkSlots kept = {"1", "2", "3", "4"};
  EXPECT_FALSE(SplitWindowLink("LT|RT|RB", kept));
  EXPECT_FALSE(SplitWindowLink("LT|RT|RB|LB|X", kept));
  EXPECT_FALSE(SplitWindowLink("LT|RT|RB|0123456789ABCDEF", kept));  // 16 characters
  EXPECT_STREQ(kept[0], "1");
  EXPECT_TRUE(SplitWindowLink("LT|RT|RB|0123456789ABCDE", kept));     // 15 fit
  EXPECT_STREQ(kept[3], "0123456789ABCDE");
}

class BooleanOptionTest : public ::testing::Test {
 protected:
  void TearDown() override { ApplyBooleanOption(""); }
};

TEST_F(BooleanOptionTest, MissingTextGivesTheDefaultsAndWritesThemBack) {
  ApplyBooleanOption("");
  EXPECT_EQ(ShowCrMarks, 1);
  EXPECT_EQ(FilerSortKey, 4);
  EXPECT_EQ(FilerInfoColumns, 7);
  EXPECT_EQ(FilerTypeFilter, 15);
  EXPECT_EQ(WindowLinking, 0);
  EXPECT_EQ(FormatBooleanOption(), kBooleanOptionDefault);
}

TEST_F(BooleanOptionTest, ShortTextIsExtendedFromTheDefault) {
  ApplyBooleanOption("0");
  EXPECT_EQ(ShowCrMarks, 0);
  std::string expected = kBooleanOptionDefault;
  expected[0] = '0';
  EXPECT_EQ(FormatBooleanOption(), expected);
}

TEST_F(BooleanOptionTest, HexadecimalPositions) {
  std::string text = kBooleanOptionDefault;
  text[14] = '9';
  text[15] = 'A';
  text[16] = '3';
  ApplyBooleanOption(text.c_str());
  EXPECT_EQ(FilerCustomType, 9);
  EXPECT_EQ(FilerInfoColumns, 10);
  EXPECT_EQ(FilerTypeFilter, 3);
  EXPECT_EQ(FormatBooleanOption(), text);
}

TEST_F(BooleanOptionTest, NumbersOutsideTheirChoicesTakeTheDefault) {
  std::string text = kBooleanOptionDefault;
  text[7] = '7';    // tool bar placement has 3 choices
  text[11] = 'Z';   // sort key 35
  text[15] = ' ';   // negative
  text[0] = '5';    // a true/false flag: any nonzero value is true
  ApplyBooleanOption(text.c_str());
  EXPECT_EQ(ToolBarPlacement, 1);
  EXPECT_EQ(FilerSortKey, 4);
  EXPECT_EQ(FilerInfoColumns, 7);
  EXPECT_EQ(FormatBooleanOption(), kBooleanOptionDefault);
}

TEST_F(BooleanOptionTest, WritesDigitsForNumbers) {
  ApplyBooleanOption("");
  ToolBarPlacement = 2;
  FilerSortKey = 3;
  RegexMode = 1;
  FilerTypeFilter = 12;
  std::string text = FormatBooleanOption();
  ASSERT_EQ(text.size(), 26u);
  EXPECT_EQ(text[7], '2');
  EXPECT_EQ(text[11], '3');
  EXPECT_EQ(text[13], '1');
  EXPECT_EQ(text[16], 'C');
}

}  // namespace
