// Archives in the document: which member is shown, the archive filer asked for, members that
// cannot be unpacked skipped, and a member whose bytes fail the archive's CRC reported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/document/document_test_support.h"

namespace {

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
