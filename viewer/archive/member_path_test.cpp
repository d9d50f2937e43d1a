// Safe member paths: drives, leading separators and dot parts removed, both separators
// understood, a Shift-JIS trail byte 0x5C kept inside its character, characters that no file
// name may hold replaced, and nothing left for a name made only of escapes.
#include "viewer/archive/member_path.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_api.h"

namespace {

#ifdef _WIN32
const char kSep = '\\';
#else
const char kSep = '/';
#endif

std::string Native(std::string path) {
  for (char& c : path) c = c == '|' ? kSep : c;
  return path;
}

std::string Safe(const char* stored) {
  std::string relative;
  MakeSafeMemberPath(stored, relative);
  return relative;
}

TEST(MemberPath, NamesCannotLeaveTheDirectory) {
  EXPECT_EQ(Safe("DOC\\README.TXT"), Native("DOC|README.TXT"));
  EXPECT_EQ(Safe("src/main.c"), Native("src|main.c"));
  EXPECT_EQ(Safe("C:\\AUTOEXEC.BAT"), "AUTOEXEC.BAT");
  EXPECT_EQ(Safe("\\WINDOWS\\WIN.INI"), Native("WINDOWS|WIN.INI"));
  EXPECT_EQ(Safe("/etc/passwd"), Native("etc|passwd"));
  EXPECT_EQ(Safe("..\\..\\x.txt"), "x.txt");
  EXPECT_EQ(Safe("a/./b/../c"), Native("a|b|c"));
  EXPECT_EQ(Safe("a\\.. \\b"), Native("a|b"));
  EXPECT_EQ(Safe("a//b\\\\c"), Native("a|b|c"));
  EXPECT_EQ(Safe("ab:c*?.txt"), "ab_c__.txt");
  EXPECT_EQ(Safe("a<b>\"\x01.txt"), "a_b___.txt");
  std::string relative = "stale";
  EXPECT_FALSE(MakeSafeMemberPath("..\\..\\", relative));
  EXPECT_TRUE(relative.empty());
  EXPECT_FALSE(MakeSafeMemberPath("", relative));
}

TEST(MemberPath, TrailByte5CIsPartOfTheCharacter) {
  // "表" is 0x95 0x5C and "ソ" is 0x83 0x5C in Shift-JIS.
  EXPECT_EQ(Safe("\x95\x5C\\\x83\x5C.TXT"), std::string("\x95\x5C") + kSep + "\x83\x5C.TXT");
  EXPECT_STREQ(PathBaseName("DIR\\\x95\x5C.TXT"), "\x95\x5C.TXT");
  EXPECT_STREQ(PathBaseName("\x95\x5C"), "\x95\x5C");
  EXPECT_FALSE(EndsWithPathSeparator("\x95\x5C"));
  EXPECT_TRUE(EndsWithPathSeparator("\x95\x5C\\"));
  EXPECT_TRUE(EndsWithPathSeparator("dir/"));
  EXPECT_FALSE(EndsWithPathSeparator(""));
}

TEST(MemberPath, JoinAndMakeDirectories) {
  EXPECT_EQ(JoinMemberPath("", "a"), "a");
  EXPECT_EQ(JoinMemberPath("out", "a"), Native("out|a"));
  EXPECT_EQ(JoinMemberPath(std::string("out") + kSep, "a"), Native("out|a"));
  std::string root = ZV_TEST_DATA_DIR "/member_path";
  ASSERT_TRUE(fileapi::MakeDirectory(ZV_TEST_DATA_DIR));
  ASSERT_TRUE(fileapi::MakeDirectory(root.c_str()));
  EXPECT_TRUE(MakeMemberDirectories(root, Native("d1|d2|file.txt"), false));
  EXPECT_TRUE(fileapi::IsDirectory((root + Native("|d1|d2")).c_str()));
  EXPECT_FALSE(fileapi::IsDirectory((root + Native("|d1|d2|file.txt")).c_str()));
  EXPECT_TRUE(MakeMemberDirectories(root, Native("d1|d2|d3"), true));
  EXPECT_TRUE(fileapi::IsDirectory((root + Native("|d1|d2|d3")).c_str()));
}

}  // namespace
