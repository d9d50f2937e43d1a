// Which reader a file gets: the extension rule for the kinds it names, the contents for the rest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/archive/archive_open.h"
#include "viewer/archive/bytes_reader.h"
#include "viewer/archive/zip_test_support.h"

namespace {

ArchiveKind KindOf(const char* path, const std::vector<uint8_t>& bytes) {
  BytesReader reader(bytes.data(), bytes.size());
  ArchiveKind kind = ArchiveKind::kNone;
  EXPECT_EQ(DetectArchiveKind(path, reader, kind), ArchiveResult::kOk);
  EXPECT_EQ(reader.Tell(), 0);
  return kind;
}

TEST(ArchiveKind, ContentsDecideWhereTheExtensionSaysNothing) {
  std::vector<uint8_t> zip = zip_test::BuildZip({zip_test::Stored("word/document.xml", "<w/>")}).bytes;
  EXPECT_EQ(KindOf("report.docx", zip), ArchiveKind::kZip);
  EXPECT_EQ(KindOf("app.jar", zip), ArchiveKind::kZip);
  EXPECT_EQ(KindOf("no-extension", zip), ArchiveKind::kZip);

  std::vector<uint8_t> gzip = {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(KindOf("syslog.2.gz", gzip), ArchiveKind::kGzip);
  EXPECT_EQ(KindOf("rotated", gzip), ArchiveKind::kGzip);

  std::vector<uint8_t> text(2000, 'a');
  EXPECT_EQ(KindOf("memo.txt", text), ArchiveKind::kNone);
  EXPECT_EQ(KindOf("empty", {}), ArchiveKind::kNone);
  // The extension rule stays: a ".ZIP" is given to the ZIP reader whatever it holds.
  EXPECT_EQ(KindOf("BROKEN.ZIP", text), ArchiveKind::kZip);
  EXPECT_EQ(KindOf("OLD.LZH", text), ArchiveKind::kLzh);
}

}  // namespace
