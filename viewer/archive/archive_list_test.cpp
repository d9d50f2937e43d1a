// The archive filer's list lines, summary, column positions and same-name texts.
#include "viewer/archive/archive_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

ArchiveEntry Entry(const char* name, uint32_t original, uint32_t compressed, int fullYear) {
  ArchiveEntry entry;
  std::strcpy(entry.name, name);
  entry.originalSize = original;
  entry.compressedSize = compressed;
  entry.year = fullYear - 1900;
  entry.month = 3;
  entry.day = 4;
  entry.hour = 5;
  entry.minute = 6;
  entry.second = 58;
  return entry;
}

TEST(ArchiveList, LineColumnsSplitTheNameAtItsFirstDot) {
  EXPECT_EQ(FormatArchiveListLine(Entry("README.TXT", 1234, 617, 2026)),
            "LREADME|L.TXT|R    1234|L(|R 50%)|R26-03-04|R05:06:58");
  EXPECT_EQ(FormatArchiveListLine(Entry("MAKEFILE", 10, 12, 1999)), "LMAKEFILE|L|R      10|L(|R120%)|R99-03-04|R05:06:58");
  EXPECT_EQ(FormatArchiveListLine(Entry("src/a.b.c", 0, 0, 2000)), "Lsrc/a|L.b.c|R       0|L(|R  0%)|R00-03-04|R05:06:58");
  // A name in kanji ("漢字.txt" in Shift-JIS) keeps its bytes.
  EXPECT_EQ(FormatArchiveListLine(Entry("\x8A\xBF\x8E\x9A.txt", 4000000000u, 4000000000u, 2107)),
            "L\x8A\xBF\x8E\x9A|L.txt|R4000000000|L(|R100%)|R07-03-04|R05:06:58");
  EXPECT_EQ(ArchiveNameStemLength(".profile"), 0u);
  EXPECT_EQ(ArchiveNameStemLength("v1.2\\notes"), 10u);  // a dot in a folder does not split the name
}

// LZH keeps a member's folders apart from its (upper-case, 12-byte) name: the list shows the
// path, so folder entries are not blank and members in folders are told apart.
TEST(ArchiveList, LzhFolderEntriesAndMembersShowTheirPaths) {
  ArchiveEntry folder = Entry("", 0, 0, 2000);
  std::strcpy(folder.path, "subdir\\");
  std::strcpy(folder.methodLabel, "-lhd-");
  EXPECT_EQ(FormatArchiveListLine(folder).substr(0, 12), "Lsubdir\\|L|R");
  EXPECT_TRUE(IsArchiveFolderEntry(folder));
  ArchiveEntry member = Entry("HELLO.TXT", 12, 12, 2000);
  std::strcpy(member.path, "subdir\\subdir2\\hello.txt");
  std::strcpy(member.methodLabel, "-lh0-");
  EXPECT_EQ(FormatArchiveListLine(member).substr(0, 29), "Lsubdir\\subdir2\\hello|L.txt|R");
  EXPECT_FALSE(IsArchiveFolderEntry(member));
  // A ZIP folder is known by its trailing separator.
  ArchiveEntry zipFolder = Entry("sub/", 0, 0, 2000);
  std::strcpy(zipFolder.path, "sub/");
  EXPECT_TRUE(IsArchiveFolderEntry(zipFolder));
}

TEST(ArchiveList, SummaryTotalsAndRatio) {
  ArchiveTotals totals;
  EXPECT_EQ(FormatArchiveSummary(totals), "  0ﾌｧｲﾙ : 総圧縮率   0% ( 0/ 0 )");
  totals.Add(Entry("A", 0, 0, 2000));
  totals.Add(Entry("B", 0, 0, 2000));
  EXPECT_EQ(FormatArchiveSummary(totals), "  2ﾌｧｲﾙ : 総圧縮率   0% ( 0/ 0 )");
  totals.Add(Entry("C", 4000000000u, 1000000000u, 2000));
  totals.Add(Entry("D", 4000000000u, 3000000000u, 2000));
  EXPECT_EQ(FormatArchiveSummary(totals), "  4ﾌｧｲﾙ : 総圧縮率  50% ( 4000000000/ 8000000000 )");
}

TEST(ArchiveList, ANoteSaysWhenTheListEndsEarly) {
  EXPECT_EQ(ArchiveListingNote(ArchiveResult::kOk), "");
  const ArchiveResult early[] = {ArchiveResult::kBadHeader, ArchiveResult::kBroken, ArchiveResult::kReadFailed,
                                 ArchiveResult::kCrcMismatch, ArchiveResult::kNoMemory};
  std::vector<std::string> notes;
  for (ArchiveResult result : early) {
    std::string note = ArchiveListingNote(result);
    EXPECT_EQ(note.rfind(" ※", 0), 0u) << note;  // marked, and short enough for a narrow window
    EXPECT_LE(note.size(), 40u) << note;
    notes.push_back(note);
  }
  EXPECT_NE(notes[0], notes[1]);  // a bad header is told apart from a cut
  EXPECT_EQ(notes[1], notes[2]);
  EXPECT_NE(notes[3], notes[1]);
}

TEST(ArchiveList, ColumnPositionsFollowTheWidestStemAndRest) {
  // b = 50, e = 40, d = 15; a stem narrower than e takes e.
  auto narrow = ArchiveColumnPositions(10, 20, 50, 15);
  EXPECT_EQ(narrow, (std::array<int, 7>{0, 40, 115, 115, 145, 195, 245}));
  auto wide = ArchiveColumnPositions(100, 20, 50, 15);
  EXPECT_EQ(wide, (std::array<int, 7>{0, 100, 175, 175, 205, 255, 305}));
  // A rest up to 7/10 b less a space fits before the size's digits; a wider one ("..b.txt")
  // moves the size and the columns after it right by what it lacks.
  EXPECT_EQ(ArchiveColumnPositions(100, 30, 50, 15), wide);
  auto longRest = ArchiveColumnPositions(100, 90, 50, 15);
  EXPECT_EQ(longRest, (std::array<int, 7>{0, 100, 235, 235, 265, 315, 365}));
  // The size's eight digits (8/10 b) start after the rest's end.
  EXPECT_GE(longRest[2] - 40, longRest[1] + 90);
}

TEST(ArchiveList, SameNameTextsShowFullYears) {
  ArchiveEntry entry = Entry("README.TXT", 1234, 617, 2026);
  EXPECT_EQ(FormatItemStamp(MemberStamp(entry, false)), "サイズ         1234 byte  2026- 3- 4   5- 6-58");
  EXPECT_EQ(FormatItemStamp(MemberStamp(entry, true)), "   dir   2026- 3- 4   5- 6-58");
  EXPECT_EQ(FormatItemName("A.TXT"), "A.TXT                    ");
  EXPECT_EQ(FormatItemName(std::string(30, 'n').c_str()), std::string(30, 'n'));
}

}  // namespace
