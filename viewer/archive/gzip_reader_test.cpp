// gzip files built here byte by byte (every header flag, several members, damaged trailers and
// cut-off streams) read through DecodeGzip and the GzipReader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/gzip_reader.h"
#include "viewer/archive/gzip_test_support.h"
#include "viewer/archive/inflate_test_writer.h"
#include "viewer/archive/time_zone_test_support.h"
#include "viewer/archive/zip_crc32.h"
#include "viewer/archive/zip_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct MemberLayout {
  MemberLayout(std::string t, uint8_t f = 0, std::string n = {}, std::string c = {}, Bytes e = {})
      : text(std::move(t)), flags(f), name(std::move(n)), comment(std::move(c)), extra(std::move(e)) {}
  std::string text;
  uint8_t flags = 0;
  std::string name, comment;
  Bytes extra;
  bool wrongHeaderCrc = false;
  int64_t crcOverride = -1, lengthOverride = -1;
};

using zip_test::Put16;
using zip_test::Put32;

// One member: header with the asked fields, fixed-code deflate data of the text, trailer.
Bytes Member(const MemberLayout& layout) {
  Bytes b = {0x1F, 0x8B, 8, layout.flags};
  Put32(b, 1000000000);  // 2001-09-09 01:46:40 UTC
  b.push_back(2), b.push_back(3);
  if (layout.flags & kGzipFlagExtra) {
    Put16(b, uint32_t(layout.extra.size()));
    b.insert(b.end(), layout.extra.begin(), layout.extra.end());
  }
  if (layout.flags & kGzipFlagName) b.insert(b.end(), layout.name.begin(), layout.name.end() + 1);
  if (layout.flags & kGzipFlagComment) b.insert(b.end(), layout.comment.begin(), layout.comment.end() + 1);
  if (layout.flags & kGzipFlagHeaderCrc) Put16(b, (UpdateCrc32(0, b.data(), b.size()) & 0xFFFF) ^ (layout.wrongHeaderCrc ? 1 : 0));
  inflate_test::DeflateWriter writer;
  std::vector<inflate_test::Token> tokens;
  for (unsigned char c : layout.text) tokens.push_back(inflate_test::Token::Literal(c));
  writer.FixedBlock(tokens, true);
  Bytes deflated = writer.Finish();
  b.insert(b.end(), deflated.begin(), deflated.end());
  uint32_t crc = UpdateCrc32(0, layout.text.data(), layout.text.size());
  Put32(b, layout.crcOverride >= 0 ? uint32_t(layout.crcOverride) : crc);
  Put32(b, layout.lengthOverride >= 0 ? uint32_t(layout.lengthOverride) : uint32_t(layout.text.size()));
  return b;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct Decoded {
  ArchiveResult result;
  std::string text;
  int members;
};

Decoded Decode(const Bytes& file, size_t limit = 1u << 30) {
  Inflater inflater;
  GzipOutput out;
  ArchiveResult result = DecodeGzip(file.data(), file.size(), limit, inflater, out);
  return {result, std::string(reinterpret_cast<const char*>(out.bytes.get()), out.size), out.members};
}

std::string ReadAll(SourceReader& reader) {
  std::string text(reader.Size(), '\0');
  EXPECT_EQ(reader.Read(text.data(), uint32_t(text.size())), int(text.size()));
  return text;
}

TEST(GzipStream, EveryHeaderFieldIsReadAndTheHeaderCrcChecked) {
  MemberLayout layout{"text with every header field\n", uint8_t(kGzipFlagText | kGzipFlagHeaderCrc | kGzipFlagExtra |
                                                            kGzipFlagName | kGzipFlagComment),
                  "memo.txt", "a comment", Bytes{'A', 'B', 2, 0, 'x', 'y'}};
  Bytes file = Member(layout);
  GzipHeader header;
  ASSERT_EQ(ParseGzipHeader(file.data(), file.size(), header), ArchiveResult::kOk);
  EXPECT_EQ(header.name, "memo.txt");
  EXPECT_EQ(header.comment, "a comment");
  EXPECT_EQ(header.modificationTime, 1000000000u);
  EXPECT_EQ(Decode(file).text, layout.text);
  EXPECT_EQ(Decode(file).result, ArchiveResult::kOk);

  layout.wrongHeaderCrc = true;
  Bytes damaged = Member(layout);
  EXPECT_EQ(ParseGzipHeader(damaged.data(), damaged.size(), header), ArchiveResult::kBadHeader);
  Bytes reserved = file;
  reserved[3] |= 0x20;
  EXPECT_EQ(ParseGzipHeader(reserved.data(), reserved.size(), header), ArchiveResult::kBadHeader);
  Bytes stored = file;
  stored[2] = 7;
  EXPECT_EQ(ParseGzipHeader(stored.data(), stored.size(), header), ArchiveResult::kUnsupportedMethod);
}

TEST(GzipStream, MembersOneAfterAnotherAreOneTextAndPaddingIsIgnored) {
  Bytes file = Join({Member({"first "}), Member({"second "}), Member({""}), Member({"third\n"}), Bytes(100, 0)});
  Decoded d = Decode(file);
  EXPECT_EQ(d.result, ArchiveResult::kOk);
  EXPECT_EQ(d.text, "first second third\n");
  EXPECT_EQ(d.members, 4);
}

TEST(GzipStream, OutputGrowsBeyondTheLastMembersLength) {
  // The last member's length (1) is the first guess; the first member needs far more room.
  std::string big(100000, 'x');
  for (size_t i = 0; i < big.size(); i += 7) big[i] = char('a' + i % 26);
  Decoded d = Decode(Join({Member({big}), Member({"!"})}));
  EXPECT_EQ(d.result, ArchiveResult::kOk);
  EXPECT_EQ(d.text, big + "!");
  EXPECT_EQ(Decode(Join({Member({big})}), 50000).result, ArchiveResult::kSizeOutOfRange);
}

TEST(GzipStream, ChecksLengthAndCrcOfEveryMember) {
  MemberLayout badCrc{"second"};
  badCrc.crcOverride = 12345;
  Decoded d = Decode(Join({Member({"first"}), Member(badCrc)}));
  EXPECT_EQ(d.result, ArchiveResult::kCrcMismatch);
  EXPECT_EQ(d.members, 1);
  MemberLayout badLength{"text"};
  badLength.lengthOverride = 5;
  EXPECT_EQ(Decode(Member(badLength)).result, ArchiveResult::kCrcMismatch);
}

TEST(GzipStream, EveryCutOffIsAnError) {
  MemberLayout layout{"a cut-off gzip file is never shown as the file", uint8_t(kGzipFlagName | kGzipFlagHeaderCrc), "n"};
  Bytes file = Member(layout);
  for (size_t length = 0; length < file.size(); ++length) {
    Bytes cut(file.begin(), file.begin() + length);
    Decoded d = Decode(cut);
    EXPECT_NE(d.result, ArchiveResult::kOk) << length;
    EXPECT_EQ(d.members, 0) << length;
  }
  Bytes second = Join({Member({"kept "}), Bytes(file.begin(), file.end() - 3)});
  Decoded d = Decode(second);
  EXPECT_EQ(d.result, ArchiveResult::kBroken);
  EXPECT_EQ(d.members, 1);
}

TEST(GzipReader, IsAnArchiveOfOneMemberNamedByTheHeaderOrTheFile) {
  ScopedTimeZone utc("UTC0");  // the dates below are UTC
  Bytes named = Member({"x", kGzipFlagName, "ログ.txt"});
  BytesReader file(named.data(), named.size());
  GzipReader reader(&file, "/var/log/syslog.2.gz");
  ASSERT_FALSE(reader.IsBad());
  ASSERT_EQ(reader.MemberCount(), 1);
  ArchiveEntry entry;
  ASSERT_EQ(reader.GetEntry(0, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.name, "ログ.txt");  // a Shift-JIS name is kept as it is
  EXPECT_EQ(entry.originalSize, 1u);
  EXPECT_EQ(entry.year, 101);
  EXPECT_EQ(entry.month, 9);
  EXPECT_EQ(entry.hour, 1);
  EXPECT_EQ(reader.GetEntry(1, entry), ArchiveResult::kNoSuchMember);

  const std::pair<const char*, const char*> paths[] = {
      {"/var/log/syslog.2.gz", "syslog.2"}, {"C:\\DATA\\SRC.TGZ", "SRC.tar"}, {"a.taz", "a.tar"}, {"plain", "plain"}};
  Bytes unnamed = Member({"text\n"});
  for (auto [path, name] : paths) {
    BytesReader bytes(unnamed.data(), unnamed.size());
    GzipReader gzip(&bytes, path);
    ASSERT_EQ(gzip.GetEntry(0, entry), ArchiveResult::kOk);
    EXPECT_STREQ(entry.name, name) << path;
    ASSERT_EQ(gzip.OpenMember(0), ArchiveResult::kOk);
    EXPECT_EQ(ReadAll(gzip), "text\n");
  }
}

TEST(GzipReader, UsesUtf8NamesInCp932) {
  Bytes named = Member({"x", kGzipFlagName, "\xE3\x83\xAD\xE3\x82\xB0.txt"});  // "ログ.txt" in UTF-8
  BytesReader file(named.data(), named.size());
  GzipReader reader(&file, "x.gz");
  ArchiveEntry entry;
  ASSERT_EQ(reader.GetEntry(0, entry), ArchiveResult::kOk);
  EXPECT_STREQ(entry.name, "ログ.txt");
}

TEST(GzipReader, DamageRefusesTheMemberButNotTheListing) {
  MemberLayout layout{"the text"};
  layout.crcOverride = 1;
  Bytes file = Member(layout);
  BytesReader bytes(file.data(), file.size());
  GzipReader reader(&bytes, "x.gz");
  ASSERT_FALSE(reader.IsBad());
  EXPECT_EQ(reader.OpenMember(0), ArchiveResult::kCrcMismatch);
  EXPECT_EQ(reader.ListingResult(), ArchiveResult::kCrcMismatch);
  EXPECT_EQ(reader.SoundBytes(), 0u);

  Bytes text = {'n', 'o', 't', ' ', 'g', 'z', 'i', 'p'};
  BytesReader plain(text.data(), text.size());
  EXPECT_TRUE(GzipReader(&plain, "x.gz").IsBad());
}

}  // namespace

namespace {

// Numbered lines of text, `size` bytes in all: large enough to be shown before it is decoded.
Bytes LargeText(size_t size) {
  Bytes text;
  for (int line = 0; text.size() < size; ++line) {
    std::string s = "行 " + std::to_string(line) + "\n";
    text.insert(text.end(), s.begin(), s.end());
  }
  text.resize(size);
  return text;
}

std::string AsString(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(GzipReader, ALargeStreamIsOpenedBeforeItIsDecodedAndItsCheckStillDecides) {
  const Bytes text = LargeText(3u << 20);
  Bytes sound = gzip_test::StoredGzip(text);
  BytesReader soundBytes(sound.data(), sound.size());
  GzipReader reader(&soundBytes, "big.log.gz");
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(reader.Size(), text.size());  // the trailer's size, before the rest is decoded
  EXPECT_EQ(ReadAll(reader), AsString(text));
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kOk);

  // A failing CRC is not known when the member opens; the first read past the decoded part
  // finds it, and from then on nothing more is delivered.
  Bytes badCrc = sound;
  badCrc[badCrc.size() - 8] ^= 1;
  BytesReader badBytes(badCrc.data(), badCrc.size());
  GzipReader bad(&badBytes, "big.log.gz");
  ASSERT_EQ(bad.OpenMember(0), ArchiveResult::kOk);
  Bytes head(4096);
  EXPECT_EQ(bad.Read(head.data(), uint32_t(head.size())), int(head.size()));
  EXPECT_EQ(bad.Seek(int32_t(text.size() - 10), 0), int(text.size() - 10));
  EXPECT_EQ(bad.Read(head.data(), 10), -1);
  EXPECT_EQ(bad.Seek(0, 0), 0);
  EXPECT_EQ(bad.Read(head.data(), 16), -1);
  EXPECT_TRUE(bad.WithdrawsOnDamage());
  EXPECT_EQ(bad.CheckMemberIntegrity(), ArchiveResult::kCrcMismatch);
  EXPECT_EQ(bad.OpenMember(0), ArchiveResult::kCrcMismatch);  // chosen again, it is refused

  // A stream cut off after its first part, and bytes after the member that end in a plausible
  // size: neither is the stream its trailer describes.
  Bytes cut(sound.begin(), sound.begin() + (2u << 20));
  Bytes trailing = sound;
  for (uint8_t b : Bytes{'p', 'a', 'd', 0, 0, 0, 0x40, 0}) trailing.push_back(b);  // 4 MiB
  for (const Bytes* damaged : {&cut, &trailing}) {
    BytesReader bytes(damaged->data(), damaged->size());
    GzipReader broken(&bytes, "big.log.gz");
    ASSERT_EQ(broken.OpenMember(0), ArchiveResult::kOk);
    Bytes all(broken.Size());
    EXPECT_EQ(broken.Read(all.data(), uint32_t(all.size())), -1);
    EXPECT_EQ(broken.CheckMemberIntegrity(), ArchiveResult::kBroken);
  }
}

TEST(GzipReader, StreamsThatMayHoldSeveralMembersOrAreSmallAreDecodedWhole) {
  const Bytes text = LargeText(3u << 20);
  // Two members: the last trailer's size is the second member's, so the whole is decoded first
  // and a damaged one is refused when it opens.
  Bytes two = Join({gzip_test::StoredGzip(text), Member({"の続き\n"})});
  BytesReader twoBytes(two.data(), two.size());
  GzipReader reader(&twoBytes, "two.gz");
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(reader), AsString(text) + "の続き\n");
  Bytes twoBad = two;
  twoBad[twoBad.size() - 8] ^= 1;
  BytesReader twoBadBytes(twoBad.data(), twoBad.size());
  EXPECT_EQ(GzipReader(&twoBadBytes, "two.gz").OpenMember(0), ArchiveResult::kCrcMismatch);

  // The signature test never misses a member, and says no when there is none.
  EXPECT_TRUE(MayHoldAnotherMember(two.data(), two.size(), 10));
  Bytes one = gzip_test::StoredGzip(text);
  EXPECT_FALSE(MayHoldAnotherMember(one.data(), one.size(), 10));
  Bytes reservedFlags = {0x1F, 0x8B, 8, 0x20, 0};
  EXPECT_FALSE(MayHoldAnotherMember(reservedFlags.data(), reservedFlags.size(), 0));

  // A small damaged stream is refused at once, as before.
  Bytes small = gzip_test::StoredGzip(LargeText(5000));
  small[small.size() - 8] ^= 1;
  BytesReader smallBytes(small.data(), small.size());
  EXPECT_EQ(GzipReader(&smallBytes, "small.gz").OpenMember(0), ArchiveResult::kCrcMismatch);
}

// The decoded bytes are held out only when they are what Read gives: not while only the first
// part is decoded, and not once the check has withdrawn the member.
TEST(GzipReader, HoldsOutItsBytesOnlyWhenDecodedWholeAndSound) {
  const Bytes text = LargeText(3u << 20);
  Bytes sound = gzip_test::StoredGzip(text);
  BytesReader soundBytes(sound.data(), sound.size());
  GzipReader reader(&soundBytes, "big.log.gz");
  EXPECT_TRUE(reader.HeldBytes().empty());  // no member open
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_TRUE(reader.HeldBytes().empty());  // the first part only
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kOk);
  std::span<const uint8_t> held = reader.HeldBytes();
  EXPECT_TRUE(std::equal(held.begin(), held.end(), text.begin(), text.end()));

  Bytes badCrc = sound;
  badCrc[badCrc.size() - 8] ^= 1;
  BytesReader badBytes(badCrc.data(), badCrc.size());
  GzipReader bad(&badBytes, "big.log.gz");
  ASSERT_EQ(bad.OpenMember(0), ArchiveResult::kOk);
  Bytes all(bad.Size());
  EXPECT_EQ(bad.Read(all.data(), uint32_t(all.size())), -1);
  EXPECT_TRUE(bad.HeldBytes().empty());

  // A small sound member is decoded whole when it opens.
  const Bytes small = LargeText(5000);
  Bytes smallGzip = gzip_test::StoredGzip(small);
  BytesReader smallBytes(smallGzip.data(), smallGzip.size());
  GzipReader smallReader(&smallBytes, "small.gz");
  ASSERT_EQ(smallReader.OpenMember(0), ArchiveResult::kOk);
  held = smallReader.HeldBytes();
  EXPECT_TRUE(std::equal(held.begin(), held.end(), small.begin(), small.end()));
}

}  // namespace
