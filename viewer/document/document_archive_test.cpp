// Archives in the document: which member is shown, the archive filer asked for, members that
// cannot be unpacked skipped, and a member whose bytes fail the archive's CRC reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/kanji_code.h"
#include "viewer/archive/zip_crc32.h"
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
      {{{"project-1.0/", ""}, {"project-1.0/a.bin", "x"}, {"project-1.0/README", "the readme in its folder"}},
       "the readme in its folder", 2},
      {{{"top/", ""}, {"top/data.bin", "not a folder"}}, "not a folder", 1},
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

// A member chosen from the archive filer is detected afresh, as a file opened from disk is: the
// code of the member shown before it does not carry over.
TEST_F(ArchiveDocument, EachChosenMemberDetectsItsOwnCodes) {
  const std::string binary("\x00\x01\x02\x03\xFE\xFF\x00\x10", 8);
  struct Case {
    std::string data;
    int kanjiCode;
    int displayMode;
  };
  const std::vector<Case> cases = {
      {"日本語の文章です。", kShiftJis, 0},
      {"\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xca\xb8\xbe\xcf\xa4\xc7\xa4\xb9\xa1\xa3", kEuc, 0},
      {"\x1b\x24\x42\x46\x7c\x4b\x5c\x38\x6c\x24\x4e\x4a\x38\x3e\x4f\x24\x47\x24\x39\x21\x23\x1b\x28\x42",
       kJis, 0},
      {"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe6\x96\x87\xe7\xab\xa0\xe3\x81\xa7\xe3\x81\x99"
       "\xe3\x80\x82",
       kUtf8, 0},
      {std::string("\xff\xfe\xe5\x65\x2c\x67\x9e\x8a\x6e\x30\x87\x65\xe0\x7a\x67\x30\x59\x30\x02\x30", 20), kUtf16, 0},
      {binary, kShiftJis, 1},
  };
  std::vector<StoredMember> members;
  for (size_t i = 0; i < cases.size(); ++i) members.push_back({"m" + std::to_string(i) + ".txt", cases[i].data});
  ASSERT_EQ(OpenAndLoad(WriteTemp("codes.zip", ZipOf(members))), DocumentResult::kOk);
  // Each member after each other one, so no code is left over from the one shown before.
  for (size_t before = 0; before < cases.size(); ++before) {
    for (size_t i = 0; i < cases.size(); ++i) {
      ASSERT_EQ(OpenArchiveMember(int(before)), DocumentResult::kOk);
      LoadAll();
      ASSERT_EQ(OpenArchiveMember(int(i)), DocumentResult::kOk);
      LoadAll();
      EXPECT_EQ(TheDocument.KanjiCode, cases[i].kanjiCode) << "member " << i << " after " << before;
      EXPECT_EQ(TheDocument.DisplayMode, cases[i].displayMode) << "member " << i << " after " << before;
      if (cases[i].displayMode == 0) {
        EXPECT_EQ(Rows(), std::vector<std::string>{"日本語の文章です。"}) << "member " << i << " after " << before;
      }
    }
  }
  EXPECT_EQ(host.busyDepth, 0);
}

// A gzip file is shown as its text; a damaged one is refused with its message, never shown.
TEST_F(ArchiveDocument, GzipFileShowsItsTextAndDamageIsRefused) {
  const std::string text = "ログの一行目\n二行目";
  uint32_t crc = UpdateCrc32(0, text.data(), text.size());
  ASSERT_EQ(OpenAndLoad(WriteTemp("syslog.2.gz", GzipOf(text, crc, uint32_t(text.size())))), DocumentResult::kOk);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"ログの一行目", "二行目"}));
  EXPECT_EQ(host.archiveFilers, std::vector<int>{0});
  // Found by its contents whatever its name.
  host = RecordingHost();
  ASSERT_EQ(OpenAndLoad(WriteTemp("rotated", GzipOf(text, crc, uint32_t(text.size())))), DocumentResult::kOk);
  EXPECT_EQ(Rows().size(), 2u);

  for (const std::string& damaged : {GzipOf(text, crc ^ 1, uint32_t(text.size())), GzipOf(text, crc, 3),
                                     GzipOf(text, crc, uint32_t(text.size())).substr(0, 20)}) {
    host = RecordingHost();
    EXPECT_EQ(OpenAndLoad(WriteTemp("bad.gz", damaged)), DocumentResult::kCannotOpen);
    EXPECT_TRUE(host.Showed("メモリが足りないか、ファイルが展開できません"));
    EXPECT_EQ(TheDocument.FileSize, 0u);
    EXPECT_EQ(host.busyDepth, 0);
  }
}

// A large gzip file shows its first rows before the whole stream is decoded; when the stream's
// check then fails, everything shown of it is taken back with the message.
TEST_F(ArchiveDocument, ALargeGzipIsShownEarlyAndItsDamageTakesBackTheText) {
  std::string text;
  int lines = 0;
  while (text.size() < (3u << 20)) text += "ログの行 " + std::to_string(lines++) + "\n";
  uint32_t crc = UpdateCrc32(0, text.data(), text.size());
  std::string path = WriteTemp("big.log.gz", GzipOf(text, crc, uint32_t(text.size())));
  ASSERT_EQ(OpenDocument(path.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.FileSize, text.size());
  EXPECT_EQ(LoadNextChunk(), 0);
  EXPECT_GT(TheDocument.RowCount, 1);
  EXPECT_GT(TheDocument.BytesLeft, 0u);
  LoadAll();
  std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), size_t(lines) + 1);  // and the empty row after the last line end
  EXPECT_EQ(rows[0], "ログの行 0");
  EXPECT_EQ(rows[size_t(lines) - 1], "ログの行 " + std::to_string(lines - 1));
  EXPECT_TRUE(host.errorBoxes.empty());

  const std::string damaged[] = {GzipOf(text, crc ^ 1, uint32_t(text.size())),
                                 GzipOf(text, crc, uint32_t(text.size())).substr(0, 2u << 20) + std::string("\0\0\x30\0", 4)};
  const char* messages[] = {"CRCが一致しません!圧縮ファイルが壊れているため表示を中止します",
                            "圧縮ファイルが壊れているか途中で切れています!表示を中止します"};
  for (int i = 0; i < 2; ++i) {
    host = RecordingHost();
    ASSERT_EQ(OpenDocument(WriteTemp("bad.log.gz", damaged[i]).c_str(), AutoDetect, AutoDetect), DocumentResult::kOk) << i;
    for (int chunk = 0; chunk < 8; ++chunk) (void)LoadNextChunk();
    EXPECT_GT(TheDocument.RowCount, 1) << i;  // the first screen is there
    const char* firstRow = RowStart(0);
    LoadAll();
    EXPECT_EQ(host.errorBoxes, std::vector<std::string>{messages[i]}) << i;
    EXPECT_TRUE(Rows().empty()) << i;
    EXPECT_EQ(TheDocument.RowCount, 0) << i;
    EXPECT_EQ(TheDocument.BytesLeft, 0u) << i;
    EXPECT_EQ(host.positionText, "0/0") << i;  // as an empty document shows
    EXPECT_EQ(RowStart(0), firstRow) << i;  // the text block stays where views saw it
    EXPECT_EQ(host.busyDepth, 0) << i;
  }
}

}  // namespace
