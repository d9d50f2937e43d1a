// The archive filer's list in portable form: one column-coded line per member ("L"/"R" marks
// a left- or right-aligned column, "|" ends each), the totals of the summary line, the column
// positions the list drawing reads, and the texts the same-name question shows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "viewer/archive/archive_reader.h"

// Bytes of `name` before the first "." of its last part (the whole name when that has none).
size_t ArchiveNameStemLength(const char* name);
// The name a member is listed and extracted under: its path with folders (LZH keeps the
// directory apart from the name; ZIP stores one path), or the name when there is no path.
const char* ArchiveShownName(const ArchiveEntry& entry);
// A folder entry: LZH's "-lhd-" method, or a path ending in a separator.
bool IsArchiveFolderEntry(const ArchiveEntry& entry);
// Compressed bytes per hundred original bytes; 0 when the original size is 0.
int CompressionPercent(uint64_t compressed, uint64_t original);
// "L" stem "|L" rest "|R" size "|L(|R" ratio "%)|R" yy-mm-dd "|R" hh:mm:ss.
std::string FormatArchiveListLine(const ArchiveEntry& entry);

struct ArchiveTotals {
  int members = 0;
  uint64_t original = 0;
  uint64_t compressed = 0;
  void Add(const ArchiveEntry& entry) {
    ++members;
    original += entry.originalSize;
    compressed += entry.compressedSize;
  }
};
// "  %dﾌｧｲﾙ : 総圧縮率 %3d%% ( %ld/ %ld )" with the count, the total ratio and both totals.
std::string FormatArchiveSummary(const ArchiveTotals& totals);
// What the summary line starts with when the member list ends early (`listing` is the reader's
// ListingResult): why the list stops there, short enough to be seen in a narrow window.  Empty
// when the whole archive was read.
std::string ArchiveListingNote(ArchiveResult listing);

constexpr int kArchiveColumnCount = 7;
// Pixel positions of the seven columns after the 16-pixel icon, from the widest stem, the widest
// rest of a name (from its first "."), the width of "1234567890" and the width of "(%)" in the
// list's font.  A rest wider than the 4/5 of "1234567890" the column has moves the columns after
// it right by the difference, so a name such as "a..long.name" never runs into the size.
std::array<int, kArchiveColumnCount> ArchiveColumnPositions(int widestStem, int widestRest, int digitsWidth,
                                                            int percentWidth);

// The same-name question's size-and-time line: "サイズ %12d byte  %4d-%2d-%2d  %2d-%2d-%2d", or
// "   dir   %4d-%2d-%2d  %2d-%2d-%2d" for a directory.  `year` is the full year.
struct ItemStamp {
  bool directory = false;
  uint32_t size = 0;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
std::string FormatItemStamp(const ItemStamp& stamp);
// A member's stamp (ArchiveEntry years count from 1900).
ItemStamp MemberStamp(const ArchiveEntry& entry, bool directory);
// A name padded to 25 columns ("%-25s").
std::string FormatItemName(const char* name);
