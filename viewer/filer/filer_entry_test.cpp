// Zelko Filer's entries: name splitting, the type filter and custom masks, the sort order and
// the item text and data.
#include "viewer/filer/filer_entry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

FileEntry Entry(const char* name, int64_t size = 0, uint16_t date = 0, uint16_t time = 0, uint32_t attributes = 0) {
  FileEntry entry;
  EXPECT_TRUE(SetEntryName(entry, name));
  entry.size = size;
  entry.date = date;
  entry.time = time;
  entry.attributes = attributes;
  return entry;
}

FileEntry Folder(const char* name) { return Entry(name, 0, 0, 0, kAttributeDirectory); }

constexpr uint16_t DosDate(int year, int month, int day) { return uint16_t(((year - 1980) << 9) | (month << 5) | day); }
constexpr uint16_t DosTime(int hour, int minute, int second) { return uint16_t((hour << 11) | (minute << 5) | (second / 2)); }

constexpr char kMasks[] = "ITXT;MAN;DOC\0ETXT\0ICPP;C;H;RC\0";
constexpr char kAssociated[] = "TXT\0HTM\0";

FilerFilter CustomFilter(int n) {
  FilerFilter filter;
  filter.customType = n;
  filter.masks = kMasks;
  filter.masksSize = sizeof kMasks;
  filter.associated = kAssociated;
  filter.associatedSize = sizeof kAssociated;
  return filter;
}

std::vector<std::string> Names(const std::vector<FileEntry>& entries) {
  std::vector<std::string> names;
  for (const FileEntry& entry : entries) names.push_back(std::string(entry.Base()) + entry.Extension());
  return names;
}

TEST(FilerEntry, SplitsTheNameAtTheLastDot) {
  FileEntry entry = Entry("readme.first.txt");
  EXPECT_STREQ(entry.Base(), "readme.first");
  EXPECT_STREQ(entry.Extension(), ".txt");
  EXPECT_STREQ(Entry("README").Extension(), "");
  EXPECT_STREQ(Entry("README").Base(), "README");
  // Double-byte names: the 0x5C trail byte of "ソ" is no separator.
  FileEntry kanji = Entry("ソフト表.doc");
  EXPECT_STREQ(kanji.Base(), "ソフト表");
  EXPECT_STREQ(kanji.Extension(), ".doc");
  // A 255-byte name fits; a longer one is refused.
  FileEntry longest;
  EXPECT_TRUE(SetEntryName(longest, std::string(251, 'a') + ".txt"));
  EXPECT_EQ(std::strlen(longest.Base()), 251u);
  EXPECT_FALSE(SetEntryName(longest, std::string(300, 'a')));
}

TEST(FilerEntry, TypeFilterClassesAndFolders) {
  FilerFilter filter = CustomFilter(-1);
  filter.typeFilter = 0x1;  // programs only
  EXPECT_TRUE(PassesFilter(Entry("a.exe"), filter));
  EXPECT_TRUE(PassesFilter(Entry("a.DLL"), filter));
  EXPECT_FALSE(PassesFilter(Entry("a.zip"), filter));
  EXPECT_TRUE(PassesFilter(Folder("sub"), filter));  // folders always pass
  filter.typeFilter = 0x2;  // associated
  EXPECT_TRUE(PassesFilter(Entry("a.htm"), filter));
  EXPECT_FALSE(PassesFilter(Entry("a.c"), filter));
  filter.typeFilter = 0x4;  // archives
  EXPECT_TRUE(PassesFilter(Entry("a.Lzh"), filter));
  EXPECT_TRUE(PassesFilter(Entry("a.arj"), filter));
  filter.typeFilter = 0x8;  // others, among them names without extension
  EXPECT_TRUE(PassesFilter(Entry("README"), filter));
  EXPECT_TRUE(PassesFilter(Entry("a.c"), filter));
  EXPECT_FALSE(PassesFilter(Entry("a.txt"), filter));
}

TEST(FilerEntry, CustomMasksIncludeOrExclude) {
  FilerFilter include = CustomFilter(0);  // ITXT;MAN;DOC
  EXPECT_TRUE(PassesFilter(Entry("a.txt"), include));
  EXPECT_TRUE(PassesFilter(Entry("b.MAN"), include));
  EXPECT_FALSE(PassesFilter(Entry("a.c"), include));
  EXPECT_FALSE(PassesFilter(Entry("README"), include));  // matches no pattern
  EXPECT_FALSE(PassesFilter(Entry("a.tx"), include));
  EXPECT_FALSE(PassesFilter(Entry("a.txtx"), include));
  EXPECT_TRUE(PassesFilter(Folder("sub.c"), include));
  FilerFilter exclude = CustomFilter(1);  // ETXT
  EXPECT_FALSE(PassesFilter(Entry("a.TXT"), exclude));
  EXPECT_TRUE(PassesFilter(Entry("a.c"), exclude));
  EXPECT_TRUE(PassesFilter(Entry("README"), exclude));
  // An entry number past the list falls back to the type filter.
  FilerFilter missing = CustomFilter(7);
  missing.typeFilter = 0x8;
  EXPECT_TRUE(PassesFilter(Entry("a.c"), missing));
  EXPECT_FALSE(PassesFilter(Entry("a.exe"), missing));
}

TEST(FilerEntry, MaskPatternsCompareUpperPatternsWithEitherCase) {
  EXPECT_TRUE(MaskMatches("CPP;C;H", "h"));
  EXPECT_TRUE(MaskMatches("CPP;C;H", "Cpp"));
  EXPECT_FALSE(MaskMatches("CPP;C;H", "CP"));
  EXPECT_TRUE(MaskMatches("TXT", "TXT "));  // a space ends the extension
  EXPECT_FALSE(MaskMatches("", "TXT"));
  EXPECT_FALSE(MaskMatches("TXT", ""));
}

TEST(FilerEntry, TypeCodesPickTheIcon) {
  EXPECT_EQ(TypeCodeOf(Folder("x"), kAssociated, sizeof kAssociated), kTypeFolder);
  EXPECT_EQ(TypeCodeOf(Entry("x.exe"), kAssociated, sizeof kAssociated), kTypeProgram);
  EXPECT_EQ(TypeCodeOf(Entry("x.dll"), kAssociated, sizeof kAssociated), kTypeOther);  // not an icon program
  EXPECT_EQ(TypeCodeOf(Entry("x.lzs"), kAssociated, sizeof kAssociated), kTypeArchive);
  EXPECT_EQ(TypeCodeOf(Entry("x.zip"), kAssociated, sizeof kAssociated), kTypeOther);
  EXPECT_EQ(TypeCodeOf(Entry("x.txt"), kAssociated, sizeof kAssociated), kTypeAssociated);
  EXPECT_EQ(TypeCodeOf(Entry("README"), kAssociated, sizeof kAssociated), kTypeOther);
}

TEST(FilerEntry, SortKeysDirectionsAndFoldersFirst) {
  std::vector<FileEntry> entries = {
      Entry("b.txt", 30, DosDate(2001, 1, 1), 0), Folder("zz"), Entry("a.zip", 10, DosDate(1999, 5, 5), 0),
      Entry("c.c", 20, DosDate(2001, 1, 1), DosTime(1, 0, 0)), Folder("aa"), Entry("a.doc", 10, DosDate(2026, 1, 1), 0)};
  std::vector<FileEntry> sorted = entries;
  SortEntries(sorted, kSortByName, false, std::strcmp);
  EXPECT_EQ(Names(sorted), (std::vector<std::string>{"aa", "zz", "a.doc", "a.zip", "b.txt", "c.c"}));
  SortEntries(sorted, kSortByName, true, std::strcmp);
  EXPECT_EQ(Names(sorted), (std::vector<std::string>{"zz", "aa", "c.c", "b.txt", "a.zip", "a.doc"}));
  SortEntries(sorted, kSortByExtension, false, std::strcmp);
  EXPECT_EQ(Names(sorted), (std::vector<std::string>{"aa", "zz", "c.c", "a.doc", "b.txt", "a.zip"}));
  SortEntries(sorted, kSortByTime, false, std::strcmp);
  EXPECT_EQ(Names(sorted), (std::vector<std::string>{"aa", "zz", "a.zip", "b.txt", "c.c", "a.doc"}));
  SortEntries(sorted, kSortBySize, true, std::strcmp);
  EXPECT_EQ(Names(sorted), (std::vector<std::string>{"zz", "aa", "b.txt", "c.c", "a.zip", "a.doc"}));
  // Unsorted keeps the order the entries came in.
  std::vector<FileEntry> unsorted = entries;
  SortEntries(unsorted, kSortNone, false, std::strcmp);
  EXPECT_EQ(Names(unsorted), Names(entries));
}

TEST(FilerEntry, ItemTextColumns) {
  FileEntry file = Entry("report  .txt", 12345, DosDate(2026, 12, 8), DosTime(23, 59, 58),
                         kAttributeReadOnly | kAttributeArchive | kAttributeHidden | kAttributeSystem);
  EXPECT_EQ(EntryItemText(file, 0), "Lreport|L.txt|");
  EXPECT_EQ(EntryItemText(file, 0xF), "Lreport|L.txt|R   12345|R26-12-08|R23:59:58|RSHRA|");
  EXPECT_EQ(EntryItemText(Entry("old", 0, DosDate(1999, 1, 2), 0), kColumnDate), "Lold|L|R99-01-02|");
  EXPECT_EQ(EntryItemText(Folder("sub"), kColumnSize | kColumnAttributes), "Lsub|L|R<DIR>|R|");
  EXPECT_EQ(EntryItemText(Entry("big", int64_t(5) << 30), kColumnSize), "Lbig|L|R5368709120|");
}

TEST(FilerEntry, ItemDataPacksLevelTypeAndIndentation) {
  uint32_t data = MakeItemData(3, kTypeArchive, 3) | kItemOverlay;
  EXPECT_EQ(ItemLevel(data), 3);
  EXPECT_EQ(ItemTypeCode(data), kTypeArchive);
  EXPECT_EQ(ItemIndentation(data), 3);
  EXPECT_EQ(data, 0x03820003u);
  EXPECT_EQ(MakeItemData(70000, kTypeOther, 0), 0x00041170u);
}

}  // namespace
