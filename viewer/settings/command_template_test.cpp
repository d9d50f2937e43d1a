// Expanding external command templates: the file with its '.' rule, the top row, the
// selection, and the bound of the command line.
#include "viewer/settings/command_template.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandTemplate, FileIsAppendedWhenTheTemplateDoesNotPlaceIt) {
  EXPECT_EQ(ExpandCommandTemplate("NOTEPAD.EXE", "README", 0, ""), "NOTEPAD.EXE README.");
  EXPECT_EQ(ExpandCommandTemplate("NOTEPAD.EXE", "C:\\DOC\\READ.ME", 0, ""), "NOTEPAD.EXE C:\\DOC\\READ.ME");
  // A dot in a folder name is not an extension of the file.
  EXPECT_EQ(ExpandCommandTemplate("VIEW", "C:\\V1.2\\README", 0, ""), "VIEW C:\\V1.2\\README.");
}

TEST(CommandTemplate, PlaceholdersAreReplacedWherePlaced) {
  EXPECT_EQ(ExpandCommandTemplate("ED -l% $", "A.TXT", 99, ""), "ED -l100 A.TXT");
  EXPECT_EQ(ExpandCommandTemplate("GREP \"+\" $", "A.TXT", 0, std::string("word\0rest", 9)), "GREP \"word\" A.TXT");
  EXPECT_EQ(ExpandCommandTemplate("CMP $ $", "A", 0, ""), "CMP A. A.");
}

TEST(CommandTemplate, ShiftJisTrailBackslashIsNotAFolderSeparator) {
  // "表" is 0x95 0x5C: its second byte is a backslash, and "表.TXT" has an extension.
  const std::string name = "C:\\\x95\x5C.TXT";
  EXPECT_EQ(ExpandCommandTemplate("E", name, 0, ""), "E " + name);
  const std::string bare = "C:\\DIR.X\\\x95\x5C";
  EXPECT_EQ(ExpandCommandTemplate("E", bare, 0, ""), "E " + bare + ".");
}

TEST(CommandTemplate, LongExpansionsAreCutToTheCommandLine) {
  std::string selection(1000, 'x');
  std::string line = ExpandCommandTemplate("T +", "F.TXT", 0, selection);
  EXPECT_EQ(line.size(), kCommandLineSize - 1);
  EXPECT_EQ(line.substr(0, 3), "T x");
}

TEST(CommandTemplate, UnsetTools) {
  EXPECT_TRUE(IsUnsetTool(""));
  EXPECT_TRUE(IsUnsetTool("*"));
  EXPECT_FALSE(IsUnsetTool("NOTEPAD.EXE"));
}

TEST(CommandTemplate, ToolProgramNameIsTheProgramPartsFileName) {
  EXPECT_EQ(ToolProgramName("C:\\WINDOWS\\NOTEPAD.EXE /A $"), "NOTEPAD.EXE");
  EXPECT_EQ(ToolProgramName("GREP.EXE"), "GREP.EXE");
  // A backslash in the arguments does not move the name.
  EXPECT_EQ(ToolProgramName("cmd.exe /c echo % > Z:\\tmp\\tool2.txt"), "cmd.exe");
  EXPECT_EQ(ToolProgramName("C:\\BIN\\LESS.EXE C:\\DOC\\$"), "LESS.EXE");
  // A quoted program may hold blanks; the quotes are not shown.
  EXPECT_EQ(ToolProgramName("\"C:\\Program Files\\Ed\\ED 2.EXE\" -n $"), "ED 2.EXE");
  EXPECT_EQ(ToolProgramName("\"C:\\Program Files\\Ed\\\""), "");
  // "表" ends in 0x5C: that second byte is no folder separator.
  EXPECT_EQ(ToolProgramName("C:\\TOOLS\\\x95\x5C\x8E\xA6.EXE Z:\\A"), "\x95\x5C\x8E\xA6.EXE");
  // A lead byte before the blank keeps the blank (0x20 is no trail byte, so it ends the part).
  EXPECT_EQ(ToolProgramName("X\x81 Y"), "X\x81");
}
