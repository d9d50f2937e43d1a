// tar archives built here block by block (ustar with its prefix, GNU long names, pax records,
// links, devices, sparse members, broken checksums and cut-off members) read through TarReader,
// plain and inside gzip.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/gzip_reader.h"
#include "viewer/archive/gzip_test_support.h"
#include "viewer/archive/inflate_test_writer.h"
#include "viewer/archive/tar_header.h"
#include "viewer/archive/tar_reader.h"
#include "viewer/archive/time_zone_test_support.h"
#include "viewer/archive/zip_crc32.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Block {
  Block(std::string n, char t = '0', std::string d = {}, std::string l = {}, std::string p = {}, bool u = true,
        bool broken = false, int64_t size = -1, bool base256 = false)
      : name(std::move(n)), type(t), data(std::move(d)), link(std::move(l)), prefix(std::move(p)), ustar(u),
        breakChecksum(broken), sizeOverride(size), base256Size(base256) {}
  std::string name;
  char type = '0';
  std::string data;
  std::string link;
  std::string prefix;
  bool ustar = true;
  bool breakChecksum = false;
  int64_t sizeOverride = -1;
  bool base256Size = false;
};

void Octal(uint8_t* field, size_t width, uint64_t value) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%0*llo", int(width - 1), static_cast<unsigned long long>(value));
  std::memcpy(field, digits, width - 1);
}

// One header block and its content, padded to whole blocks.
Bytes Member(const Block& b) {
  Bytes block(kTarBlockSize, 0);
  std::memcpy(block.data(), b.name.data(), std::min<size_t>(b.name.size(), 100));
  Octal(&block[100], 8, 0644);
  Octal(&block[108], 8, 0);
  Octal(&block[116], 8, 0);
  uint64_t size = b.sizeOverride >= 0 ? uint64_t(b.sizeOverride) : b.data.size();
  if (b.base256Size) {
    block[124] = 0x80;
    for (int i = 0; i < 8; ++i) block[135 - i] = uint8_t(size >> (8 * i));
  } else {
    Octal(&block[124], 12, size);
  }
  Octal(&block[136], 12, 1000000000);
  block[156] = uint8_t(b.type);
  std::memcpy(&block[157], b.link.data(), std::min<size_t>(b.link.size(), 100));
  if (b.ustar) {
    std::memcpy(&block[257], "ustar\0" "00", 8);
    std::memcpy(&block[345], b.prefix.data(), std::min<size_t>(b.prefix.size(), 155));
  }
  std::memset(&block[148], ' ', 8);
  unsigned sum = 0;
  for (uint8_t c : block) sum += c;
  Octal(&block[148], 7, sum + (b.breakChecksum ? 1 : 0));
  Bytes out = block;
  out.insert(out.end(), b.data.begin(), b.data.end());
  out.resize((out.size() + kTarBlockSize - 1) / kTarBlockSize * kTarBlockSize, 0);
  return out;
}

std::string Pax(std::initializer_list<std::pair<std::string, std::string>> records) {
  std::string all;
  for (auto& [key, value] : records) {
    std::string body = " " + key + "=" + value + "\n";
    size_t length = body.size() + 1;
    while (std::to_string(length).size() + body.size() != length) ++length;
    all += std::to_string(length) + body;
  }
  return all;
}

Bytes Archive(std::initializer_list<Block> blocks, bool endBlocks = true) {
  Bytes all;
  for (const Block& b : blocks) {
    Bytes m = Member(b);
    all.insert(all.end(), m.begin(), m.end());
  }
  if (endBlocks) all.resize(all.size() + 2 * kTarBlockSize, 0);
  return all;
}

std::string Content(ArchiveReader& reader, int index) {
  if (reader.OpenMember(index) != ArchiveResult::kOk) return "<refused>";
  std::string text(reader.Size(), '\0');
  if (reader.Read(text.data(), uint32_t(text.size())) != int(text.size())) return "<short>";
  return text;
}

std::string PathOf(ArchiveReader& reader, int index) {
  ArchiveEntry entry;
  return reader.GetEntry(index, entry) == ArchiveResult::kOk ? entry.path : "<none>";
}

TEST(TarReader, ReadsUstarV7AndGnuNames) {
  ScopedTimeZone utc("UTC0");  // the dates below are UTC
  std::string longName(150, 'n');
  Bytes file = Archive({
      {"docs/", '5'},
      {"readme.txt", '0', "hello\n", "", "project-1.0/docs"},
      {"old.txt", '\0', "v7 text", "", "", false},
      {"././@LongLink", 'L', longName + '\0'},
      {"cut-name", '0', "long"},
      {"././@LongLink", 'K', "docs/target-of-a-long-link"},
      {"link", '2', "", "short"},
  });
  BytesReader bytes(file.data(), file.size());
  TarReader reader(&bytes);
  ASSERT_FALSE(reader.IsBad());
  ASSERT_EQ(reader.MemberCount(), 5);
  EXPECT_EQ(reader.ListingResult(), ArchiveResult::kOk);
  EXPECT_EQ(PathOf(reader, 0), "docs/");
  EXPECT_EQ(PathOf(reader, 1), "project-1.0/docs/readme.txt");
  EXPECT_EQ(Content(reader, 1), "hello\n");
  EXPECT_EQ(PathOf(reader, 2), "old.txt");
  EXPECT_EQ(Content(reader, 2), "v7 text");
  EXPECT_EQ(PathOf(reader, 3), longName);
  EXPECT_EQ(Content(reader, 3), "long");
  EXPECT_EQ(reader.MemberKind(4), TarMemberKind::kSymbolicLink);
  EXPECT_EQ(reader.OpenMember(4), ArchiveResult::kSymbolicLink);
  ArchiveEntry entry;
  ASSERT_EQ(reader.GetEntry(1, entry), ArchiveResult::kOk);
  EXPECT_EQ(entry.originalSize, 6u);
  EXPECT_EQ(entry.year, 101);
  EXPECT_STREQ(entry.methodLabel, "Stored ");
}

TEST(TarReader, PaxRecordsLocalAndGlobal) {
  ScopedTimeZone utc("UTC0");  // the dates below are UTC
  Bytes file = Archive({
      {"pax_global_header", 'g', Pax({{"mtime", "1234567890.5"}, {"comment", "ignored"}})},
      {"PaxHeaders/x", 'x', Pax({{"path", "\xE6\x97\xA5\xE6\x9C\xAC/\xE3\x83\xA1\xE3\x83\xA2.txt"}, {"size", "3"}})},
      {"truncated-name", '0', "abc", "", "", true, false, 0},
      {"second.txt", '0', "second"},
      {"PaxHeaders/y", 'x', Pax({{"GNU.sparse.major", "1"}})},
      {"sparse", '0', "data"},
  });
  BytesReader bytes(file.data(), file.size());
  TarReader reader(&bytes);
  ASSERT_EQ(reader.MemberCount(), 3);
  EXPECT_EQ(PathOf(reader, 0), "日本/メモ.txt");  // UTF-8 in the pax record, CP932 here
  EXPECT_EQ(Content(reader, 0), "abc");          // the pax size wins over the header's 0
  EXPECT_EQ(PathOf(reader, 1), "second.txt");     // the local records applied to one member only
  EXPECT_EQ(Content(reader, 1), "second");
  ArchiveEntry entry;
  ASSERT_EQ(reader.GetEntry(1, entry), ArchiveResult::kOk);
  EXPECT_EQ(entry.year, 109);  // the global mtime, 2009-02-13 23:31:30
  EXPECT_EQ(entry.hour, 23);
  EXPECT_EQ(reader.MemberKind(2), TarMemberKind::kSparse);
  EXPECT_EQ(reader.OpenMember(2), ArchiveResult::kUnsupportedMethod);
}

TEST(TarReader, HardLinksDeliverTheirTargetAndSpecialFilesAreRefused) {
  Bytes file = Archive({
      {"a/original.txt", '0', "shared content"},
      {"a/copy.txt", '1', "", "a/original.txt"},
      {"a/dangling", '1', "", "nowhere"},
      {"dev/tty", '3'},
      {"fifo", '6'},
      {"big", '0', "base-256 size", "", "", true, false, -1, true},
  });
  BytesReader bytes(file.data(), file.size());
  TarReader reader(&bytes);
  ASSERT_EQ(reader.MemberCount(), 6);
  EXPECT_EQ(Content(reader, 1), "shared content");
  EXPECT_EQ(reader.OpenMember(2), ArchiveResult::kNoSuchMember);
  EXPECT_EQ(reader.OpenMember(3), ArchiveResult::kUnsupportedMethod);
  EXPECT_EQ(reader.OpenMember(4), ArchiveResult::kUnsupportedMethod);
  EXPECT_EQ(Content(reader, 5), "base-256 size");
}

TEST(TarReader, ABadChecksumOrACutEndsTheListKeepingTheMembersBefore) {
  Bytes file = Archive({{"one", '0', "first"}, {"two", '0', "second", "", "", true, true}});
  BytesReader bytes(file.data(), file.size());
  TarReader reader(&bytes);
  ASSERT_FALSE(reader.IsBad());
  ASSERT_EQ(reader.MemberCount(), 1);
  EXPECT_EQ(reader.ListingResult(), ArchiveResult::kBadHeader);
  EXPECT_EQ(Content(reader, 0), "first");

  Bytes whole = Archive({{"one", '0', "first"}, {"two", '0', std::string(2000, 'z')}});
  for (size_t cut : {size_t(1024 + 512 + 100), size_t(1024 + 200)}) {
    Bytes partial(whole.begin(), whole.begin() + cut);
    BytesReader cutBytes(partial.data(), partial.size());
    TarReader cutReader(&cutBytes);
    EXPECT_EQ(cutReader.ListingResult(), ArchiveResult::kBroken) << cut;
    EXPECT_EQ(Content(cutReader, 0), "first") << cut;
    if (cutReader.MemberCount() > 1) {
      EXPECT_EQ(cutReader.OpenMember(1), ArchiveResult::kBroken);
    }
  }
  // No end blocks after the last member: read to the end without complaint.
  Bytes open = Archive({{"one", '0', "first"}}, false);
  BytesReader openBytes(open.data(), open.size());
  TarReader openReader(&openBytes);
  EXPECT_EQ(openReader.ListingResult(), ArchiveResult::kOk);
  EXPECT_EQ(openReader.MemberCount(), 1);

  Bytes text(1024, 'a');
  BytesReader plain(text.data(), text.size());
  EXPECT_TRUE(TarReader(&plain).IsBad());
}

TEST(TarReader, InsideGzipJudgesMembersByWhereTheDamageLies) {
  Bytes tar = Archive({{"one", '0', "first"}, {"two", '0', std::string(3000, 'z')}});
  Bytes gz = gzip_test::StoredGzip(tar);
  BytesReader bytes(gz.data(), gz.size());
  std::unique_ptr<ArchiveReader> reader = NewGzipReader(&bytes, "x.tar.gz");
  ASSERT_TRUE(reader);
  ASSERT_EQ(reader->MemberCount(), 2);
  EXPECT_EQ(Content(*reader, 1), std::string(3000, 'z'));
  EXPECT_EQ(reader->CheckMemberIntegrity(), ArchiveResult::kOk);

  Bytes cut(gz.begin(), gz.begin() + 2200);  // the stream ends inside the second member
  BytesReader cutBytes(cut.data(), cut.size());
  std::unique_ptr<ArchiveReader> cutReader = NewGzipReader(&cutBytes, "x.tgz");
  ASSERT_TRUE(cutReader);
  EXPECT_NE(cutReader->ListingResult(), ArchiveResult::kOk);
  EXPECT_EQ(Content(*cutReader, 0), "first");
  EXPECT_EQ(cutReader->CheckMemberIntegrity(), ArchiveResult::kOk);

  Bytes badCrc = gz;
  badCrc[badCrc.size() - 8] ^= 1;
  BytesReader badBytes(badCrc.data(), badCrc.size());
  std::unique_ptr<ArchiveReader> badReader = NewGzipReader(&badBytes, "x.tgz");
  ASSERT_TRUE(badReader);
  EXPECT_EQ(Content(*badReader, 0), "first");
  EXPECT_EQ(badReader->CheckMemberIntegrity(), ArchiveResult::kCrcMismatch);
}

TEST(TarReader, ALargeTarGzIsDecodedWholeForItsHeaders) {
  // The second member's header lies far beyond the part of the stream decoded first.
  std::string big(2u << 20, 'x');
  for (size_t i = 0; i < big.size(); i += 64) big[i] = '\n';
  Bytes gz = gzip_test::StoredGzip(Archive({{"big.log", '0', big}, {"after.txt", '0', "after"}}));
  BytesReader bytes(gz.data(), gz.size());
  std::unique_ptr<ArchiveReader> reader = NewGzipReader(&bytes, "big.tar.gz");
  ASSERT_TRUE(reader);
  ASSERT_EQ(reader->MemberCount(), 2);
  EXPECT_EQ(reader->ListingResult(), ArchiveResult::kOk);
  EXPECT_EQ(Content(*reader, 0), big);
  EXPECT_EQ(Content(*reader, 1), "after");
}

TEST(TarHeader, PaxRecordsThatDoNotAddUpAreRefused) {
  TarOverrides o;
  std::string good = Pax({{"path", "a"}});
  EXPECT_TRUE(ApplyPaxRecords(reinterpret_cast<const uint8_t*>(good.data()), good.size(), o));
  EXPECT_EQ(o.path, "a");
  for (std::string bad : {"99 path=a\n", "5 x\n", "x path=a\n", "8 patha\n", "7 path=a"}) {
    EXPECT_FALSE(ApplyPaxRecords(reinterpret_cast<const uint8_t*>(bad.data()), bad.size(), o)) << bad;
  }
}

}  // namespace
