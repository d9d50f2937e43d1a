// Formatting the archive filer's list lines, summary line and same-name texts.
#include "viewer/archive/archive_list.h"

#include <cstdio>
#include <cstring>

#include "viewer/archive/member_path.h"

size_t ArchiveNameStemLength(const char* name) {
  const char* base = PathBaseName(name);
  const char* dot = std::strchr(base, '.');  // "." is never the trail byte of a character
  return dot ? size_t(dot - name) : std::strlen(name);
}

const char* ArchiveShownName(const ArchiveEntry& entry) { return entry.path[0] ? entry.path : entry.name; }

bool IsArchiveFolderEntry(const ArchiveEntry& entry) {
  return std::strcmp(entry.methodLabel, "-lhd-") == 0 || EndsWithPathSeparator(entry.path);
}

int CompressionPercent(uint64_t compressed, uint64_t original) {
  return original == 0 ? 0 : int(compressed * 100 / original);
}

std::string FormatArchiveListLine(const ArchiveEntry& entry) {
  const char* name = ArchiveShownName(entry);
  size_t stem = ArchiveNameStemLength(name);
  char figures[96];
  std::snprintf(figures, sizeof figures, "|R%8lu|L(|R%3d%%)|R%02d-%02d-%02d|R%02d:%02d:%02d",
                static_cast<unsigned long>(entry.originalSize),
                CompressionPercent(entry.compressedSize, entry.originalSize), int(entry.year % 100),
                entry.month, entry.day, entry.hour, entry.minute, entry.second);
  return "L" + std::string(name, stem) + "|L" + std::string(name + stem) + figures;
}

std::string FormatArchiveSummary(const ArchiveTotals& totals) {
  char text[128];
  std::snprintf(text, sizeof text, "  %dﾌｧｲﾙ : 総圧縮率 %3d%% ( %llu/ %llu )", totals.members,
                CompressionPercent(totals.compressed, totals.original),
                static_cast<unsigned long long>(totals.compressed), static_cast<unsigned long long>(totals.original));
  return text;
}

std::string ArchiveListingNote(ArchiveResult listing) {
  switch (listing) {
    case ArchiveResult::kOk:
      return {};
    case ArchiveResult::kBadHeader:
      return " ※壊れたヘッダの前まで";
    case ArchiveResult::kNoMemory:
      return " ※メモリ不足で途中まで";
    case ArchiveResult::kCrcMismatch:
      return " ※CRCが一致しません";
    default:
      return " ※壊れているか途中で切れています";
  }
}

std::array<int, kArchiveColumnCount> ArchiveColumnPositions(int widestStem, int widestRest, int digitsWidth,
                                                            int percentWidth) {
  int b = digitsWidth;
  int e = digitsWidth * 4 / 5;
  int d = percentWidth;
  int w = widestStem > e ? widestStem : e;
  // The size's eight digits start about 7/10 b after the rest column; a wider rest keeps a
  // space's room (1/10 b) before them.
  int extra = widestRest + b / 10 > b * 7 / 10 ? widestRest + b / 10 - b * 7 / 10 : 0;
  int x = w + extra;
  int sizeEnd = x + b * 3 / 2;
  return {0, w, sizeEnd, sizeEnd, x + e + b + d, x + e + 2 * b + d, x + e + 3 * b + d};
}

std::string FormatItemStamp(const ItemStamp& s) {
  char text[96];
  if (s.directory) {
    std::snprintf(text, sizeof text, "   dir   %4d-%2d-%2d  %2d-%2d-%2d", s.year, s.month, s.day, s.hour, s.minute,
                  s.second);
  } else {
    std::snprintf(text, sizeof text, "サイズ %12lu byte  %4d-%2d-%2d  %2d-%2d-%2d", static_cast<unsigned long>(s.size),
                  s.year, s.month, s.day, s.hour, s.minute, s.second);
  }
  return text;
}

ItemStamp MemberStamp(const ArchiveEntry& entry, bool directory) {
  return {directory, entry.originalSize, entry.year + 1900, entry.month, entry.day, entry.hour, entry.minute,
          entry.second};
}

std::string FormatItemName(const char* name) {
  char text[300];
  std::snprintf(text, sizeof text, "%-25s", name);
  return text;
}
