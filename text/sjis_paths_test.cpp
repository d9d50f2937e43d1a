// The command-line and path walkers over every double-byte character: lead bytes 0x81-0x9F and
// 0xE0-0xFC with every trail byte 0x40-0xFC, including those that read as '\', '|' or a letter
// when taken alone, and lead bytes that a signed char would take for blanks.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "text/sjis.h"
#include "text/sjis_paths.h"

namespace {

// Every Shift-JIS double-byte character as its two bytes.
std::vector<std::string> AllDoubleByteCharacters() {
  std::vector<std::string> all;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsSjisLead(uint8_t(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (IsSjisTrail(uint8_t(trail))) all.push_back({char(lead), char(trail)});
    }
  }
  return all;
}

std::string Hex(const std::string& bytes) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X %02X", uint8_t(bytes[0]), uint8_t(bytes[1]));
  return text;
}

}  // namespace

TEST(ProgramArguments, KeepsANameThatStartsWithAnyDoubleByteCharacter) {
  for (const std::string& c : AllDoubleByteCharacters()) {
    const std::string name = c + c + ".txt";
    EXPECT_EQ(ProgramArguments("ZV32.EXE " + name), name) << Hex(c);
    EXPECT_EQ(ProgramArguments("\"C:\\Program Files\\" + c + "\\ZV32.EXE\"  \t" + name), name) << Hex(c);
    EXPECT_EQ(ProgramArguments("C:\\" + c + "\\ZV32.EXE " + name + " x"), name + " x") << Hex(c);
  }
}

TEST(ProgramArguments, QuotesAndBlanksOfTheProgramName) {
  EXPECT_EQ(ProgramArguments(""), "");
  EXPECT_EQ(ProgramArguments("ZV32.EXE"), "");
  EXPECT_EQ(ProgramArguments("ZV32.EXE   "), "");
  EXPECT_EQ(ProgramArguments("\"C:\\a b\\ZV32.EXE\" \"x y.txt\""), "\"x y.txt\"");
  EXPECT_EQ(ProgramArguments("\"C:\\a b\\ZV32.EXE\"x.txt"), "x.txt");
  // An unclosed quote runs to the end: there are no arguments.
  EXPECT_EQ(ProgramArguments("\"C:\\a b\\ZV32.EXE x.txt"), "");
}

TEST(LastPathSeparator, NeverStopsInsideADoubleByteCharacter) {
  for (const std::string& c : AllDoubleByteCharacters()) {
    EXPECT_EQ(LastPathSeparator("C:\\dir\\" + c + ".txt"), 6u) << Hex(c);
    EXPECT_EQ(LastPathSeparator(c + c), std::string_view::npos) << Hex(c);
    EXPECT_EQ(LastPathSeparator("C:\\" + c + "\\" + c), 3u + 2u) << Hex(c);
  }
}

TEST(UpperCaseSingleByteLetters, LeavesBothBytesOfEveryCharacter) {
  for (const std::string& c : AllDoubleByteCharacters()) {
    std::string path = "c:\\" + c + "dir\\" + c + "a";
    UpperCaseSingleByteLetters(path.data());
    EXPECT_EQ(path, "C:\\" + c + "DIR\\" + c + "A") << Hex(c);
  }
  // A lead byte at the end has no character to step over.
  std::string cut = "ab\x83";
  UpperCaseSingleByteLetters(cut.data());
  EXPECT_EQ(cut, "AB\x83");
}
