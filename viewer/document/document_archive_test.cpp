// Archives in the document: which member is shown, the archive filer asked for, members that
// cannot be unpacked skipped, and a member whose bytes fail the archive's CRC reported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/archive/zip_crc32.h"
#include "viewer/document/document_test_support.h"

namespace {

struct StoredMember {
  std::string name;
  std::string data;
  uint16_t method = 0;  // 0 stored; anything else is refused by the reader
  bool badCrc = false;
};

void Put16(std::string& out, uint32_t v) { out += char(v & 0xFF), out += char((v >> 8) & 0xFF); }
void Put32(std::string& out, uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }

// A ZIP archive of stored members, written the way every ZIP tool writes one.
std::string ZipOf(const std::vector<StoredMember>& members) {
  std::string body, directory;
  for (const StoredMember& m : members) {
    uint32_t crc = UpdateCrc32(0, m.data.data(), m.data.size()) ^ (m.badCrc ? 1u : 0u);
    uint32_t offset = uint32_t(body.size());
    auto common = [&](std::string& out) {
      Put16(out, 20), Put16(out, 0), Put16(out, m.method), Put16(out, 0), Put16(out, 0x5A21);
      Put32(out, crc), Put32(out, uint32_t(m.data.size())), Put32(out, uint32_t(m.data.size()));
      Put16(out, uint16_t(m.name.size())), Put16(out, 0);
    };
    Put32(body, 0x04034B50), common(body), body += m.name, body += m.data;
    Put32(directory, 0x02014B50), Put16(directory, 20), common(directory);
    Put16(directory, 0), Put16(directory, 0), Put16(directory, 0), Put32(directory, 0), Put32(directory, offset);
    directory += m.name;
  }
  std::string end;
  Put32(end, 0x06054B50), Put16(end, 0), Put16(end, 0);
  Put16(end, uint16_t(members.size())), Put16(end, uint16_t(members.size()));
  Put32(end, uint32_t(directory.size())), Put32(end, uint32_t(body.size()));
  Put16(end, 0);
  return body + directory + end;
}

using ArchiveDocument = DocumentTest;

TEST_F(ArchiveDocument, ReadmeBeforeDocumentExtensionsBeforeMemberZero) {
  struct Case {
    std::vector<StoredMember> members;
    std::string shown;
    int member;
  };
  std::vector<Case> cases = {
      {{{"a.bin", "bytes of a.bin"}, {"readme.txt", "the readme"}}, "the readme", 1},
      {{{"x.exe", "program"}, {"doc.txt", "the doc"}}, "the doc", 1},
      {{{"notes.man", "manual"}, {"Read.Me", "read me first"}}, "read me first", 1},
      {{{"dir\\sub.txt\\x.dat", "not by extension"}, {"b.dat", "other"}}, "not by extension", 0},
  };
  for (const Case& c : cases) {
    host = RecordingHost();
    ASSERT_EQ(OpenAndLoad(WriteTemp("choice.zip", ZipOf(c.members))), DocumentResult::kOk) << c.shown;
    EXPECT_EQ(Rows(), std::vector<std::string>{c.shown});
    EXPECT_EQ(host.archiveFilers, std::vector<int>{c.member});
    EXPECT_NE(TheDocument.ArchiveFile.get(), nullptr);
    EXPECT_EQ(host.busyDepth, 0);
  }
}

TEST_F(ArchiveDocument, MemberThatCannotBeUnpackedIsPassedOver) {
  ASSERT_EQ(OpenAndLoad(WriteTemp("skip.zip", ZipOf({{"first.dat", "xx", 99}, {"second.dat", "shown"}}))), DocumentResult::kOk);
  EXPECT_EQ(Rows(), std::vector<std::string>{"shown"});
  EXPECT_TRUE(host.Showed("未対応の圧縮形式です。展開できません"));
  EXPECT_EQ(host.archiveFilers, std::vector<int>{1});
  EXPECT_EQ(host.busyDepth, 0);

  host = RecordingHost();
  EXPECT_NE(OpenAndLoad(WriteTemp("none.zip", ZipOf({{"only.dat", "xx", 99}}))), DocumentResult::kOk);
  EXPECT_TRUE(host.Showed("メモリが足りないか、ファイルが展開できません"));
  EXPECT_EQ(TheDocument.ArchiveFile.get(), nullptr);
  EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(ArchiveDocument, ChosenMemberAndCrcMismatch) {
  std::string path = WriteTemp("pick.zip", ZipOf({{"readme.txt", "readme"}, {"two.txt", "second", 0, true}}));
  ASSERT_EQ(OpenDocumentMember(path.c_str(), 1), DocumentResult::kOk);
  LoadAll();
  EXPECT_EQ(Rows(), std::vector<std::string>{"second"});
  EXPECT_TRUE(host.Showed("CRCが一致しません。書庫が壊れているかもしれません"));
  host = RecordingHost();
  ASSERT_EQ(OpenDocumentMember(path.c_str(), 0), DocumentResult::kOk);
  LoadAll();
  EXPECT_TRUE(host.statusMessages.empty());
  EXPECT_NE(OpenDocumentMember(path.c_str(), 5), DocumentResult::kOk);
  EXPECT_EQ(host.busyDepth, 0);
}

}  // namespace
