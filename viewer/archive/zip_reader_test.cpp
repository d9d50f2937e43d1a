// ZipReader over archives built in memory: the listing (names, sizes, dates, method labels),
// the end record behind a comment, stored and deflated members, Read/Seek, refusals (methods,
// encryption), CRC-32 and damage reporting, and directories and sizes that lie.
#include "viewer/archive/zip_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/zip_crc32.h"
#include "viewer/archive/zip_test_support.h"

using namespace zip_test;

namespace {

// A reader over the bytes, kept alive together.
struct OpenZip {
  std::vector<uint8_t> bytes;
  BytesReader file;
  ZipReader zip;
  explicit OpenZip(std::vector<uint8_t> b)
      : bytes(std::move(b)), file(bytes.data(), bytes.size()), zip(&file) {}
};

std::vector<uint8_t> ReadAll(ZipReader& zip) {
  std::vector<uint8_t> out(zip.Size() + 10);
  int n = zip.Read(out.data(), uint32_t(out.size()));
  out.resize(n > 0 ? size_t(n) : 0);
  return out;
}

TEST(ZipReader, ListsNamesSizesDatesAndMethodLabels) {
  std::vector<TestMember> members = {Stored("docs/readme.txt", "hello"),
                                     Deflated("normal.txt", "normal"), Deflated("max.txt", "x"),
                                     Deflated("fast.txt", "f"), Deflated("super.txt", "s"),
                                     Stored("shrunk", ""), Stored("implode", ""), Stored("ppmd", "")};
  members[2].flags = 2, members[3].flags = 4, members[4].flags = 6;
  members[5].method = 1, members[6].method = 6, members[7].method = 12;
  members[1].dosDate = (21 << 9) | (12 << 5) | 31;  // 2001-12-31
  OpenZip z(BuildZip(members).bytes);
  ASSERT_FALSE(z.zip.IsBad());
  ASSERT_EQ(z.zip.MemberCount(), 8);
  const char* labels[] = {"Stored ", "Defl<N>", "Defl<X>", "Defl<F>", "Defl<S>", "Shrunk ", "Implode", "Unknown"};
  BuiltZip layout = BuildZip(members);
  for (int i = 0; i < 8; ++i) {
    ArchiveEntry e;
    ASSERT_EQ(z.zip.GetEntry(i, e), ArchiveResult::kOk);
    EXPECT_STREQ(e.methodLabel, labels[i]);
    EXPECT_STREQ(e.name, members[i].name.c_str());
    EXPECT_STREQ(e.path, members[i].name.c_str());
    EXPECT_EQ(e.directoryPosition, layout.recordOffsets[i] + 4);
  }
  ArchiveEntry e;
  ASSERT_EQ(z.zip.GetEntry(0, e), ArchiveResult::kOk);
  EXPECT_EQ(e.originalSize, 5u);
  EXPECT_EQ(e.compressedSize, 5u);
  EXPECT_EQ(e.year, 99);
  EXPECT_EQ(e.month, 3);
  EXPECT_EQ(e.day, 14);
  EXPECT_EQ(e.hour, 13);
  EXPECT_EQ(e.minute, 45);
  EXPECT_EQ(e.second, 30);
  ASSERT_EQ(z.zip.GetEntry(1, e), ArchiveResult::kOk);
  EXPECT_EQ(e.year, 101);  // years since 1900, as for LZH
  EXPECT_EQ(e.month, 12);
  EXPECT_EQ(e.day, 31);
  EXPECT_EQ(z.zip.GetEntry(8, e), ArchiveResult::kNoSuchMember);
  EXPECT_EQ(z.zip.GetEntry(-1, e), ArchiveResult::kNoSuchMember);
}

TEST(ZipReader, StoredAndDeflatedMembersReadAndSeek) {
  OpenZip z(BuildZip({Stored("a.txt", "stored bytes"), Deflated("b.txt", "deflated bytes"),
                      Stored("empty", ""), Deflated("empty2", "")})
                .bytes);
  EXPECT_EQ(z.zip.Size(), 0u);
  ASSERT_EQ(z.zip.OpenMember(1), ArchiveResult::kOk);
  EXPECT_TRUE(z.zip.LastMemberCrcOk());
  EXPECT_EQ(ReadAll(z.zip), Bytes("deflated bytes"));
  ASSERT_EQ(z.zip.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(z.zip.CurrentMember(), 0);
  EXPECT_EQ(z.zip.Size(), 12u);
  char part[6] = {};
  EXPECT_EQ(z.zip.Read(part, 5), 5);
  EXPECT_STREQ(part, "store");
  EXPECT_EQ(z.zip.Tell(), 5);
  EXPECT_EQ(z.zip.Seek(-3, 2), 9);
  EXPECT_EQ(z.zip.Read(part, 5), 3);
  EXPECT_EQ(z.zip.Seek(100, 0), 12);
  EXPECT_EQ(z.zip.Seek(-100, 1), 0);
  for (int empty : {2, 3}) {
    ASSERT_EQ(z.zip.OpenMember(empty), ArchiveResult::kOk);
    EXPECT_EQ(z.zip.Size(), 0u);
    EXPECT_EQ(z.zip.Read(part, 5), 0);
    EXPECT_TRUE(z.zip.LastMemberCrcOk());
  }
}

TEST(ZipReader, EndRecordIsFoundBehindACommentWithinTheSearchWindow) {
  std::string nearComment(kZipEndSearchSize - kZipEndRecordSize, 'c');
  OpenZip near(BuildZip({Stored("a", "x")}, nearComment).bytes);
  EXPECT_FALSE(near.zip.IsBad());
  EXPECT_EQ(near.zip.MemberCount(), 1);
  OpenZip far(BuildZip({Stored("a", "x")}, nearComment + "c").bytes);
  EXPECT_TRUE(far.zip.IsBad());
  EXPECT_EQ(far.zip.MemberCount(), 0);
  // A signature inside the comment whose directory cannot be there is stepped over.
  std::string fake = "PK\x05\x06" + std::string(18, '\x7F');
  OpenZip tricky(BuildZip({Stored("a", "x")}, fake).bytes);
  EXPECT_FALSE(tricky.zip.IsBad());
}

TEST(ZipReader, OtherMethodsAndEncryptedMembersAreListedButRefused) {
  std::vector<TestMember> members = {Stored("ppmd", "data"), Deflated("secret", "password!"),
                                     Stored("ok", "fine")};
  members[0].method = 12;
  members[1].flags = kZipFlagEncrypted;
  members[1].payload.insert(members[1].payload.begin(), 12, 0x55);  // the encryption header
  OpenZip z(BuildZip(members).bytes);
  ArchiveEntry e;
  ASSERT_EQ(z.zip.GetEntry(1, e), ArchiveResult::kOk);
  EXPECT_EQ(e.compressedSize, members[1].payload.size() - 12);
  ASSERT_EQ(z.zip.OpenMember(2), ArchiveResult::kOk);
  EXPECT_EQ(z.zip.OpenMember(0), ArchiveResult::kUnsupportedMethod);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kUnsupportedMethod);
  EXPECT_EQ(z.zip.Size(), 0u);
  EXPECT_EQ(z.zip.OpenMember(1), ArchiveResult::kEncrypted);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kEncrypted);
  EXPECT_EQ(z.zip.OpenMember(3), ArchiveResult::kNoSuchMember);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kNoSuchMember);
}

TEST(ZipReader, CrcMismatchAndDamagedDataAreDeliveredButReported) {
  std::vector<TestMember> members = {Stored("crc", "checked"), Deflated("damaged", "abc"),
                                     Deflated("longer", "more than declared")};
  members[0].crcOverride = 1234;
  members[1].payload = {0x01, 0x03, 0x00, 0xFD, 0xFF};  // stored block, NLEN not ~LEN
  members[1].originalSizeOverride = 3;
  members[2].originalSizeOverride = 4;
  OpenZip z(BuildZip(members).bytes);
  ASSERT_EQ(z.zip.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kCrcMismatch);
  EXPECT_FALSE(z.zip.LastMemberCrcOk());
  EXPECT_EQ(ReadAll(z.zip), Bytes("checked"));
  ASSERT_EQ(z.zip.OpenMember(1), ArchiveResult::kOk);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kBroken);
  EXPECT_EQ(z.zip.LastInflateResult(), InflateResult::kBadData);
  EXPECT_EQ(ReadAll(z.zip), std::vector<uint8_t>(3, 0));
  ASSERT_EQ(z.zip.OpenMember(2), ArchiveResult::kOk);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kBroken);
  EXPECT_EQ(z.zip.LastInflateResult(), InflateResult::kOutputFull);
  EXPECT_EQ(ReadAll(z.zip), Bytes("more"));
}

TEST(ZipReader, SizesAndOffsetsThatLieAreRefused) {
  std::vector<TestMember> members = {Stored("short", "1234"), Deflated("huge", "tiny"),
                                     Stored("badlocal", "x"), Stored("ok", "ok")};
  members[0].originalSizeOverride = 5;            // more than the stored data
  members[1].originalSizeOverride = 0xFFFFFFF0;  // no deflate stream of 10 bytes makes that
  BuiltZip built = BuildZip(members);
  built.bytes[built.localOffsets[2]] = 'X';  // local header signature broken
  OpenZip z(built.bytes);
  EXPECT_EQ(z.zip.OpenMember(0), ArchiveResult::kSizeOutOfRange);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kSizeOutOfRange);
  EXPECT_EQ(z.zip.OpenMember(1), ArchiveResult::kSizeOutOfRange);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kSizeOutOfRange);
  EXPECT_EQ(z.zip.OpenMember(2), ArchiveResult::kBadHeader);
  EXPECT_EQ(z.zip.LastMemberStatus(), ArchiveResult::kBadHeader);
  EXPECT_EQ(z.zip.OpenMember(3), ArchiveResult::kOk);

  BuiltZip pastEnd = BuildZip({Stored("a", "abc")});
  Set32(pastEnd.bytes, pastEnd.recordOffsets[0] + 20, 1000);  // compressed size beyond the file
  Set32(pastEnd.bytes, pastEnd.recordOffsets[0] + 24, 1000);
  OpenZip p(pastEnd.bytes);
  EXPECT_EQ(p.zip.OpenMember(0), ArchiveResult::kSizeOutOfRange);
  EXPECT_EQ(p.zip.LastMemberStatus(), ArchiveResult::kSizeOutOfRange);

  BuiltZip localOutside = BuildZip({Stored("a", "abc")});
  Set32(localOutside.bytes, localOutside.recordOffsets[0] + 42, 0x7FFFFF00);
  OpenZip l(localOutside.bytes);
  EXPECT_EQ(l.zip.OpenMember(0), ArchiveResult::kBadHeader);
  EXPECT_EQ(l.zip.LastMemberStatus(), ArchiveResult::kBadHeader);
}

TEST(ZipReader, BadDirectoriesMakeTheReaderBad) {
  auto withEndField = [](size_t field, uint32_t value, int width) {
    BuiltZip z = BuildZip({Stored("a", "abc"), Stored("b", "def")});
    for (int i = 0; i < width; ++i) z.bytes[z.endOffset + field + i] = uint8_t(value >> (8 * i));
    return z.bytes;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    ArchiveResult result;
  } cases[] = {
      {"directory outside the file", withEndField(16, 0x10000, 4), ArchiveResult::kNoEndRecord},
      {"multi-disk", withEndField(4, 1, 2), ArchiveResult::kMultiDisk},
      {"more records than the directory holds", withEndField(10, 40, 2), ArchiveResult::kBadDirectory},
      {"empty directory", withEndField(12, 0, 8), ArchiveResult::kEmptyDirectory},
      {"no end record", Bytes("PK\x03\x04 just some bytes that are no archive"), ArchiveResult::kNoEndRecord},
      {"nothing", {}, ArchiveResult::kNoEndRecord},
  };
  for (Case& c : cases) {
    OpenZip z(c.bytes);
    EXPECT_TRUE(z.zip.IsBad()) << c.what;
    EXPECT_EQ(z.zip.DirectoryResult(), c.result) << c.what;
    EXPECT_EQ(z.zip.OpenMember(0), ArchiveResult::kNoSuchMember) << c.what;
  }
  BuiltZip broken = BuildZip({Stored("a", "abc"), Stored("b", "def")});
  broken.bytes[broken.recordOffsets[1]] = 'Q';
  OpenZip z(broken.bytes);
  EXPECT_TRUE(z.zip.IsBad());
  EXPECT_EQ(z.zip.MemberCount(), 2);  // the record's total, the failing record empty
  ArchiveEntry e;
  ASSERT_EQ(z.zip.GetEntry(1, e), ArchiveResult::kOk);
  EXPECT_STREQ(e.name, "");
  EXPECT_EQ(z.zip.OpenMember(1), ArchiveResult::kNoSuchMember);

  ZipReader none(nullptr);
  EXPECT_TRUE(none.IsBad());
  EXPECT_EQ(none.MemberCount(), 0);
}

TEST(ZipReader, LongNamesAreCutAtACharacterBoundary) {
  std::string sjis(253, 'a');
  sjis += "\x93\xFA\x96\x7B";  // two double-byte characters: the second does not fit 255 bytes
  std::string utf8(253, 'b');
  utf8 += "\xE6\x97\xA5\xE6\x9C\xAC";  // 日本 in UTF-8: 日 fits as CP932 at 253..254, 本 does not
  std::vector<TestMember> members = {Stored(sjis, "1"), Stored(utf8, "2")};
  members[1].flags = kZipFlagUtf8Name;
  OpenZip z(BuildZip(members).bytes);
  ArchiveEntry e;
  ASSERT_EQ(z.zip.GetEntry(0, e), ArchiveResult::kOk);
  EXPECT_EQ(std::string(e.name), sjis.substr(0, 255));
  ASSERT_EQ(z.zip.GetEntry(1, e), ArchiveResult::kOk);
  EXPECT_EQ(std::string(e.name), std::string(253, 'b') + "\x93\xFA");
  ASSERT_EQ(z.zip.OpenMember(1), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(z.zip), Bytes("2"));
}

// Names flagged as UTF-8 (as Info-ZIP and other tools write them) are listed and extracted in
// the program's own code; names without the flag are taken as they are stored.
TEST(ZipReader, Utf8FlaggedNamesAreConvertedToShiftJis) {
  std::vector<TestMember> members = {Stored("\xE6\xBC\xA2\xE5\xAD\x97/\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB.txt", "1"),
                                     Stored("\xF0\x9F\x98\x80\xC3.txt", "2"),
                                     Stored("\x8A\xBF\x8E\x9A.txt", "3")};
  members[0].flags = members[1].flags = kZipFlagUtf8Name;
  OpenZip z(BuildZip(members).bytes);
  ArchiveEntry e;
  ASSERT_EQ(z.zip.GetEntry(0, e), ArchiveResult::kOk);
  EXPECT_EQ(std::string(e.name), "\x8A\xBF\x8E\x9A/\x83\x74\x83\x40\x83\x43\x83\x8B.txt");  // 漢字/ファイル.txt
  ASSERT_EQ(z.zip.GetEntry(1, e), ArchiveResult::kOk);
  EXPECT_EQ(std::string(e.name), "\x81\xAC?.txt");  // an emoji CP932 lacks, then a broken byte
  ASSERT_EQ(z.zip.GetEntry(2, e), ArchiveResult::kOk);
  EXPECT_EQ(std::string(e.name), "\x8A\xBF\x8E\x9A.txt");
}

TEST(ZipReader, Zip64EndRecordsAndExtraFieldsAreRead) {
  TestMember wide = Deflated("wide.txt", "sizes in the ZIP64 extra field");
  wide.zip64Extra = true;
  OpenZip z(BuildZip({Stored("a.txt", "first"), wide}, "", true).bytes);
  ASSERT_FALSE(z.zip.IsBad());
  ASSERT_EQ(z.zip.MemberCount(), 2);
  ArchiveEntry entry;
  ASSERT_EQ(z.zip.GetEntry(1, entry), ArchiveResult::kOk);
  EXPECT_EQ(entry.originalSize, 30u);
  EXPECT_EQ(entry.compressedSize, wide.payload.size());
  ASSERT_EQ(z.zip.OpenMember(1), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(z.zip), Bytes("sizes in the ZIP64 extra field"));
  EXPECT_TRUE(z.zip.LastMemberCrcOk());

  // A ZIP64 end record whose directory reaches past 2 GiB is refused.
  BuiltZip far = BuildZip({Stored("a.txt", "first")}, "", true);
  Set32(far.bytes, far.endOffset - kZip64LocatorSize - kZip64EndRecordSize + 52, 1);
  EXPECT_TRUE(OpenZip(far.bytes).zip.IsBad());
  // A member whose true size does not fit 32 bits is listed and refused.
  TestMember huge = Stored("huge.bin", "x");
  huge.zip64Extra = true;
  BuiltZip tooLarge = BuildZip({huge});
  Set32(tooLarge.bytes, tooLarge.recordOffsets[0] + kZipDirectoryRecordSize + 8 + 4 + 4 + 4, 1);  // the high half of the original size
  OpenZip large(tooLarge.bytes);
  ASSERT_EQ(large.zip.MemberCount(), 1);
  EXPECT_EQ(large.zip.OpenMember(0), ArchiveResult::kSizeOutOfRange);
}

TEST(ZipCrc32, KnownValuesAndLongInputsAgreeWithTheBitwiseDefinition) {
  EXPECT_EQ(UpdateCrc32(0, "123456789", 9), 0xCBF43926u);
  std::vector<uint8_t> data(4099);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 131 + (i >> 7));
  for (size_t n : {size_t(0), size_t(63), size_t(64), size_t(65), size_t(200), size_t(4099)}) {
    uint32_t c = ~0u;
    for (size_t i = 0; i < n; ++i) {
      c ^= data[i];
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    EXPECT_EQ(UpdateCrc32(0, data.data(), n), ~c) << n;
  }
  uint32_t split = UpdateCrc32(UpdateCrc32(0, data.data(), 1000), data.data() + 1000, 3099);
  EXPECT_EQ(split, UpdateCrc32(0, data.data(), 4099));
}

}  // namespace
