// LZH headers: names and paths of each level, the extension headers, unknown methods, and the
// broken headers that make the reader bad.
#include "viewer/archive/lzh_header.h"

#include <gtest/gtest.h>

#include "viewer/archive/lzh_reader.h"
#include "viewer/archive/lzh_test_support.h"

namespace {

// Reads an archive of `members` plus the end mark; returns its reader for inspection.
struct Archive {
  explicit Archive(const std::string& bytes) : file(bytes), reader(&file) {}
  MemoryReader file;
  LzhReader reader;
};

TEST(LzhHeader, NamesAndPathsOfEachLevel) {
  Archive archive(std::string(2, '\0') + StoredMember("DOC\\readme.txt", "hello") +
                  StoredMember("\x95\x5C\\\x83\x5C.txt", "x") +
                  Level1Member("-lh0-", "", {{1, "main.c"}, {2, std::string("src\xFF", 4)}}, "int", 3, Crc16Of("int")) +
                  Level2Member("-lh0-", {{0, "\x12\x34"}, {2, std::string("a\xFF" "b\xFF", 4)}, {1, "verylongname.text"}},
                               "data", 4, Crc16Of("data")) +
                  Level2Member("-lhd-", {{2, std::string("dir\xFF", 4)}}, "", 0, 0) + std::string(1, '\0'));
  LzhReader& reader = archive.reader;
  ASSERT_FALSE(reader.IsBad());
  ASSERT_EQ(reader.MemberCount(), 5);
  ArchiveEntry entry;
  ASSERT_EQ(reader.GetEntry(0, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.name, "README.TXT");
  EXPECT_STREQ(entry.path, "DOC\\readme.txt");
  EXPECT_STREQ(entry.methodLabel, "-lh0-");
  EXPECT_EQ(entry.originalSize, 5u);
  EXPECT_EQ(entry.year, (0x3A21 >> 9) + 80);
  ASSERT_EQ(reader.GetEntry(1, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.name, "\x83\x5C.TXT");  // the 0x5C trail bytes are no separators
  ASSERT_EQ(reader.GetEntry(2, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.name, "MAIN.C");
  EXPECT_STREQ(entry.path, "src\\main.c");
  EXPECT_EQ(entry.compressedSize, 3u);
  ASSERT_EQ(reader.GetEntry(3, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.name, "VERYLONGNAME");
  EXPECT_STREQ(entry.path, "a\\b\\verylongname.text");
  ASSERT_EQ(reader.GetEntry(4, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.path, "dir\\");
  EXPECT_STREQ(entry.methodLabel, "-lhd-");
  EXPECT_EQ(reader.GetEntry(5, entry), ArchiveResult::kNoSuchMember);

  char buffer[8] = {};
  ASSERT_EQ(reader.OpenMember(2), ArchiveResult::kOk);
  EXPECT_EQ(reader.Read(buffer, 8), 3);
  EXPECT_STREQ(buffer, "int");
  ASSERT_EQ(reader.OpenMember(3), ArchiveResult::kOk);
  EXPECT_EQ(reader.Read(buffer, 8), 4);
  EXPECT_EQ(std::string(buffer, 4), "data");
  EXPECT_EQ(reader.OpenMember(4), ArchiveResult::kUnsupportedMethod);
}

TEST(LzhHeader, UnknownMethodsAreListedButNotOpened) {
  Archive archive(std::string(2, '\0') + Level0Member("-lh9-", "A.BIN", "zz", 2, 0) +
                  Level0Member("-lh\x01-", "B.BIN", "", 0, 0) + std::string(1, '\0'));
  ASSERT_EQ(archive.reader.MemberCount(), 2);
  ArchiveEntry entry;
  ASSERT_EQ(archive.reader.GetEntry(0, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.methodLabel, "-lh9-");
  ASSERT_EQ(archive.reader.GetEntry(1, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.methodLabel, "-lh?-");
  EXPECT_EQ(archive.reader.OpenMember(0), ArchiveResult::kUnsupportedMethod);
  EXPECT_EQ(archive.reader.OpenMember(1), ArchiveResult::kUnsupportedMethod);
  EXPECT_EQ(archive.reader.OpenMember(2), ArchiveResult::kNoSuchMember);
}

TEST(LzhHeader, LevelTwoSizeOfAMultipleOf256IsNoEndMark) {
  std::string padding(256 - 29, 'p');
  std::string member = Level2Member("-lh0-", {{0x7F, padding}}, "ok", 2, Crc16Of("ok"));
  ASSERT_EQ(uint8_t(member[0]), 0);
  Archive archive(std::string(2, '\0') + member + std::string(1, '\0'));
  EXPECT_FALSE(archive.reader.IsBad());
  EXPECT_EQ(archive.reader.MemberCount(), 1);
}

// A level-2 header whose stated size counts padding after the extensions: the data begins at
// the header's start plus that size, and the next header follows the data.
TEST(LzhHeader, LevelTwoDataFollowsThePaddedHeader) {
  std::string padded = Level2Member("-lh0-", {{1, "padded.txt"}}, "payload", 7, Crc16Of("payload"));
  size_t headerSize = uint8_t(padded[0]) | (uint8_t(padded[1]) << 8);
  padded.insert(headerSize, 3, '\0');
  padded.replace(0, 2, Le16(uint32_t(headerSize + 3)));
  Archive archive(std::string(2, '\0') + padded + StoredMember("NEXT.TXT", "second") + std::string(1, '\0'));
  LzhReader& reader = archive.reader;
  ASSERT_FALSE(reader.IsBad());
  ASSERT_EQ(reader.MemberCount(), 2);
  ArchiveEntry entry;
  ASSERT_EQ(reader.GetEntry(1, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.name, "NEXT.TXT");
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(reader), "payload");
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kOk);
  ASSERT_EQ(reader.OpenMember(1), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(reader), "second");

  // A stated size that ends inside the extensions is not trusted: the data follows them.
  std::string understated = Level2Member("-lh0-", {{1, "short.txt"}}, "abc", 3, Crc16Of("abc"));
  understated.replace(0, 2, Le16(24));
  Archive second(std::string(2, '\0') + understated + std::string(1, '\0'));
  ASSERT_EQ(second.reader.MemberCount(), 1);
  ASSERT_EQ(second.reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(second.reader), "abc");
}

TEST(LzhHeader, ArchiveWithoutEndMarkEndsAtTheFileEnd) {
  Archive archive(std::string(2, '\0') + StoredMember("A", "1") + StoredMember("B", "2"));
  EXPECT_FALSE(archive.reader.IsBad());
  EXPECT_EQ(archive.reader.MemberCount(), 2);
}

TEST(LzhHeader, BrokenHeadersMakeTheReaderBad) {
  std::string good = StoredMember("GOOD.TXT", "fine");
  std::string longName = Level1Member("-lh0-", std::string(102, 'n'), {}, "", 0, 0);
  std::string truncated = StoredMember("CUT.TXT", "").substr(0, 15);
  std::string tinyExtension = Level1Member("-lh0-", "X", {}, "", 0, 0);
  tinyExtension.replace(tinyExtension.size() - 2, 2, Le16(2));  // an extension of 2 bytes
  std::string longExtension = Level2Member("-lh0-", {{1, std::string(101, 'e')}}, "", 0, 0);
  std::string shortSize = StoredMember("SHORT", "");
  shortSize[0] = char(10);  // smaller than its own name field
  for (const std::string& broken : {longName, truncated, tinyExtension, longExtension, shortSize}) {
    Archive archive(std::string(2, '\0') + good + broken + std::string(1, '\0'));
    EXPECT_TRUE(archive.reader.IsBad());
    EXPECT_EQ(archive.reader.MemberCount(), 2);  // the good member and the broken one
    EXPECT_EQ(archive.reader.Read(nullptr, 0), -1);
  }
}

}  // namespace
