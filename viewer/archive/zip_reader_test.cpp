// ZipReader over archives built in memory: the listing (names, sizes, dates, method labels),
// the end record behind a comment, stored and deflated members, Read/Seek, refusals (methods,
// encryption), CRC-32 and damage reporting, and directories and sizes that lie.
#include "viewer/archive/zip_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "viewer/archive/inflate_test_writer.h"
#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/zip_crc32.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

struct TestMember {
  std::string name;
  std::vector<uint8_t> original;
  std::vector<uint8_t> payload;  // the bytes after the local header
  uint16_t method = 0;
  uint16_t flags = 0;
  uint16_t dosDate = (19 << 9) | (3 << 5) | 14;  // 1999-03-14
  uint16_t dosTime = (13 << 11) | (45 << 5) | 15;  // 13:45:30
  int64_t crcOverride = -1;
  int64_t originalSizeOverride = -1;
};

TestMember Stored(const std::string& name, const std::string& text) {
  TestMember m{name, Bytes(text), Bytes(text)};
  return m;
}

TestMember Deflated(const std::string& name, const std::string& text) {
  inflate_test::DeflateWriter w;
  std::vector<inflate_test::Token> tokens;
  for (unsigned char c : text) tokens.push_back(inflate_test::Token::Literal(c));
  w.FixedBlock(tokens, true);
  TestMember m{name, Bytes(text), w.Finish(), 8};
  return m;
}

void Put16(std::vector<uint8_t>& b, uint32_t v) { b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8)); }
void Put32(std::vector<uint8_t>& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }
void Set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

struct BuiltZip {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> localOffsets;
  std::vector<uint32_t> recordOffsets;  // central directory records
  uint32_t endOffset = 0;
};

// Fields shared by the local header and the central record, from "version needed" on.
void PutCommonFields(std::vector<uint8_t>& b, const TestMember& m) {
  uint32_t crc = m.crcOverride >= 0 ? uint32_t(m.crcOverride)
                                    : UpdateCrc32(0, m.original.data(), m.original.size());
  Put16(b, 20), Put16(b, m.flags), Put16(b, m.method), Put16(b, m.dosTime), Put16(b, m.dosDate);
  Put32(b, crc), Put32(b, uint32_t(m.payload.size()));
  Put32(b, m.originalSizeOverride >= 0 ? uint32_t(m.originalSizeOverride) : uint32_t(m.original.size()));
  Put16(b, uint32_t(m.name.size()));
}

BuiltZip BuildZip(const std::vector<TestMember>& members, const std::string& comment = "") {
  BuiltZip z;
  std::vector<uint8_t>& b = z.bytes;
  for (const TestMember& m : members) {
    z.localOffsets.push_back(uint32_t(b.size()));
    Put32(b, 0x04034B50), PutCommonFields(b, m), Put16(b, 0);
    b.insert(b.end(), m.name.begin(), m.name.end());
    b.insert(b.end(), m.payload.begin(), m.payload.end());
  }
  uint32_t directoryOffset = uint32_t(b.size());
  for (size_t i = 0; i < members.size(); ++i) {
    z.recordOffsets.push_back(uint32_t(b.size()));
    Put32(b, 0x02014B50), Put16(b, 20), PutCommonFields(b, members[i]);
    Put16(b, 4), Put16(b, 3);  // extra field and comment lengths
    Put16(b, 0), Put16(b, 0), Put32(b, 0), Put32(b, z.localOffsets[i]);
    b.insert(b.end(), members[i].name.begin(), members[i].name.end());
    b.insert(b.end(), {0xCA, 0xFE, 0, 0, 'c', 'm', 't'});
  }
  z.endOffset = uint32_t(b.size());
  Put32(b, 0x06054B50), Put16(b, 0), Put16(b, 0);
  Put16(b, uint32_t(members.size())), Put16(b, uint32_t(members.size()));
  Put32(b, z.endOffset - directoryOffset), Put32(b, directoryOffset), Put16(b, uint32_t(comment.size()));
  b.insert(b.end(), comment.begin(), comment.end());
  return z;
}

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
    ASSERT_EQ(z.zip.GetEntry(i, e), 0);
    EXPECT_STREQ(e.methodLabel, labels[i]);
    EXPECT_STREQ(e.name, members[i].name.c_str());
    EXPECT_STREQ(e.path, members[i].name.c_str());
    EXPECT_EQ(e.directoryPosition, layout.recordOffsets[i] + 4);
  }
  ArchiveEntry e;
  z.zip.GetEntry(0, e);
  EXPECT_EQ(e.originalSize, 5u);
  EXPECT_EQ(e.compressedSize, 5u);
  EXPECT_EQ(e.year, 99);
  EXPECT_EQ(e.month, 3);
  EXPECT_EQ(e.day, 14);
  EXPECT_EQ(e.hour, 13);
  EXPECT_EQ(e.minute, 45);
  EXPECT_EQ(e.second, 30);
  z.zip.GetEntry(1, e);
  EXPECT_EQ(e.year, 101);  // years since 1900, as for LZH
  EXPECT_EQ(e.month, 12);
  EXPECT_EQ(e.day, 31);
  EXPECT_EQ(z.zip.GetEntry(8, e), -1);
  EXPECT_EQ(z.zip.GetEntry(-1, e), -1);
}

TEST(ZipReader, StoredAndDeflatedMembersReadAndSeek) {
  OpenZip z(BuildZip({Stored("a.txt", "stored bytes"), Deflated("b.txt", "deflated bytes"),
                      Stored("empty", ""), Deflated("empty2", "")})
                .bytes);
  EXPECT_EQ(z.zip.Size(), 0u);
  ASSERT_EQ(z.zip.OpenMember(1), 0);
  EXPECT_TRUE(z.zip.LastMemberCrcOk());
  EXPECT_EQ(ReadAll(z.zip), Bytes("deflated bytes"));
  ASSERT_EQ(z.zip.OpenMember(0), 0);
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
    ASSERT_EQ(z.zip.OpenMember(empty), 0);
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
  z.zip.GetEntry(1, e);
  EXPECT_EQ(e.compressedSize, members[1].payload.size() - 12);
  ASSERT_EQ(z.zip.OpenMember(2), 0);
  EXPECT_EQ(z.zip.OpenMember(0), -1);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kUnsupportedMethod);
  EXPECT_EQ(z.zip.Size(), 0u);
  EXPECT_EQ(z.zip.OpenMember(1), -1);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kEncrypted);
  EXPECT_EQ(z.zip.OpenMember(3), -1);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kNoSuchMember);
}

TEST(ZipReader, CrcMismatchAndDamagedDataAreDeliveredButReported) {
  std::vector<TestMember> members = {Stored("crc", "checked"), Deflated("damaged", "abc"),
                                     Deflated("longer", "more than declared")};
  members[0].crcOverride = 1234;
  members[1].payload = {0x01, 0x03, 0x00, 0xFD, 0xFF};  // stored block, NLEN not ~LEN
  members[1].originalSizeOverride = 3;
  members[2].originalSizeOverride = 4;
  OpenZip z(BuildZip(members).bytes);
  ASSERT_EQ(z.zip.OpenMember(0), 0);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kCrcMismatch);
  EXPECT_FALSE(z.zip.LastMemberCrcOk());
  EXPECT_EQ(ReadAll(z.zip), Bytes("checked"));
  ASSERT_EQ(z.zip.OpenMember(1), 0);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kDamaged);
  EXPECT_EQ(z.zip.LastInflateResult(), kInflateBadData);
  EXPECT_EQ(ReadAll(z.zip), std::vector<uint8_t>(3, 0));
  ASSERT_EQ(z.zip.OpenMember(2), 0);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kDamaged);
  EXPECT_EQ(z.zip.LastInflateResult(), kInflateOutputFull);
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
  EXPECT_EQ(z.zip.OpenMember(0), -1);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kSizeOutOfRange);
  EXPECT_EQ(z.zip.OpenMember(1), -1);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kSizeOutOfRange);
  EXPECT_EQ(z.zip.OpenMember(2), -1);
  EXPECT_EQ(z.zip.LastMemberStatus(), ZipMemberStatus::kBadLocalHeader);
  EXPECT_EQ(z.zip.OpenMember(3), 0);

  BuiltZip pastEnd = BuildZip({Stored("a", "abc")});
  Set32(pastEnd.bytes, pastEnd.recordOffsets[0] + 20, 1000);  // compressed size beyond the file
  Set32(pastEnd.bytes, pastEnd.recordOffsets[0] + 24, 1000);
  OpenZip p(pastEnd.bytes);
  EXPECT_EQ(p.zip.OpenMember(0), -1);
  EXPECT_EQ(p.zip.LastMemberStatus(), ZipMemberStatus::kSizeOutOfRange);

  BuiltZip localOutside = BuildZip({Stored("a", "abc")});
  Set32(localOutside.bytes, localOutside.recordOffsets[0] + 42, 0x7FFFFF00);
  OpenZip l(localOutside.bytes);
  EXPECT_EQ(l.zip.OpenMember(0), -1);
  EXPECT_EQ(l.zip.LastMemberStatus(), ZipMemberStatus::kBadLocalHeader);
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
    int result;
  } cases[] = {
      {"directory outside the file", withEndField(16, 0x10000, 4), kZipNoEndRecord},
      {"multi-disk", withEndField(4, 1, 2), kZipMultiDisk},
      {"more records than the directory holds", withEndField(10, 40, 2), kZipBadDirectory},
      {"empty directory", withEndField(12, 0, 8), kZipEmptyDirectory},
      {"no end record", Bytes("PK\x03\x04 just some bytes that are no archive"), kZipNoEndRecord},
      {"nothing", {}, kZipNoEndRecord},
  };
  for (Case& c : cases) {
    OpenZip z(c.bytes);
    EXPECT_TRUE(z.zip.IsBad()) << c.what;
    EXPECT_EQ(z.zip.DirectoryResult(), c.result) << c.what;
    EXPECT_EQ(z.zip.OpenMember(0), -1) << c.what;
  }
  BuiltZip broken = BuildZip({Stored("a", "abc"), Stored("b", "def")});
  broken.bytes[broken.recordOffsets[1]] = 'Q';
  OpenZip z(broken.bytes);
  EXPECT_TRUE(z.zip.IsBad());
  EXPECT_EQ(z.zip.MemberCount(), 2);  // the record's total, the failing record empty
  ArchiveEntry e;
  z.zip.GetEntry(1, e);
  EXPECT_STREQ(e.name, "");
  EXPECT_EQ(z.zip.OpenMember(1), -1);

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
  z.zip.GetEntry(0, e);
  EXPECT_EQ(std::string(e.name), sjis.substr(0, 255));
  z.zip.GetEntry(1, e);
  EXPECT_EQ(std::string(e.name), std::string(253, 'b') + "\x93\xFA");
  ASSERT_EQ(z.zip.OpenMember(1), 0);
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
  z.zip.GetEntry(0, e);
  EXPECT_EQ(std::string(e.name), "\x8A\xBF\x8E\x9A/\x83\x74\x83\x40\x83\x43\x83\x8B.txt");  // 漢字/ファイル.txt
  z.zip.GetEntry(1, e);
  EXPECT_EQ(std::string(e.name), "\x81\xAC?.txt");  // an emoji CP932 lacks, then a broken byte
  z.zip.GetEntry(2, e);
  EXPECT_EQ(std::string(e.name), "\x8A\xBF\x8E\x9A.txt");
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
