// Zelko Filer's entries: names, filter, sort and item text (see filer_entry.h).
#include "viewer/filer/filer_entry.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "text/sjis.h"

namespace {

// The fixed extension lists of the type filter and of the icons.
constexpr std::string_view kFilterPrograms[] = {"COM", "EXE", "PIF", "BAT", "DLL", "SYS", "DRV"};
constexpr std::string_view kFilterArchives[] = {"LZH", "LZS", "ZIP", "ARJ", "PAK"};
constexpr std::string_view kIconPrograms[] = {"EXE", "PIF", "COM", "BAT"};
constexpr std::string_view kIconArchives[] = {"LZH", "LZS"};

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

template <size_t N>
bool InFixedList(const std::string_view (&list)[N], std::string_view extension) {
  return std::any_of(std::begin(list), std::end(list),
                     [&](std::string_view item) { return SameIgnoringAsciiCase(item, extension); });
}

// The extension without its dot.
std::string_view BareExtension(const FileEntry& entry) {
  std::string_view extension = entry.Extension();
  return extension.empty() ? extension : extension.substr(1);
}

// Entry n of a NUL-separated list, or null when the list has fewer entries.
const char* NthEntry(const char* list, size_t size, int n) {
  size_t at = 0;
  while (at < size && list[at] != '\0') {
    if (n-- == 0) return list + at;
    at += strnlen(list + at, size - at) + 1;
  }
  return nullptr;
}

bool PassesTypeFilter(const FileEntry& entry, const FilerFilter& filter) {
  std::string_view extension = BareExtension(entry);
  int bit = 3;
  if (InFixedList(kFilterPrograms, extension)) bit = 0;
  else if (InFixedList(kFilterArchives, extension)) bit = 2;
  else if (!extension.empty() && ListHasExtension(filter.associated, filter.associatedSize, extension)) bit = 1;
  return (filter.typeFilter >> bit) & 1;
}

template <typename T>
int Sign(T a, T b) { return a < b ? -1 : (a > b ? 1 : 0); }

int CompareByKey(const FileEntry& a, const FileEntry& b, int key, NameComparison compare) {
  switch (key) {
    case kSortByName: {
      int result = compare(a.Base(), b.Base());
      return result ? result : compare(a.Extension(), b.Extension());
    }
    case kSortByExtension:
      return compare(a.Extension(), b.Extension());
    case kSortByTime:
      return a.date != b.date ? Sign(a.date, b.date) : Sign(a.time, b.time);
    case kSortBySize:
      return Sign(a.size, b.size);
  }
  return 0;
}

// Appends a formatted column.
template <typename... Args>
void AppendColumn(std::string& text, const char* format, Args... args) {
  char column[48];
  std::snprintf(column, sizeof column, format, args...);
  text += column;
}

}  // namespace

const char* FileEntry::Extension() const { return name + std::strlen(name) + 1; }

bool SetEntryName(FileEntry& entry, std::string_view fileName) {
  if (fileName.size() + 2 > sizeof entry.name || fileName.find('\0') != std::string_view::npos) return false;
  size_t separator = LastPathSeparator(fileName);
  size_t dot = fileName.rfind('.');  // '.' is never the second byte of a double-byte character
  if (dot != std::string_view::npos && separator != std::string_view::npos && dot < separator) dot = std::string_view::npos;
  std::string_view base = fileName.substr(0, dot);
  std::string_view extension = dot == std::string_view::npos ? std::string_view() : fileName.substr(dot);
  std::memcpy(entry.name, base.data(), base.size());
  entry.name[base.size()] = '\0';
  std::memcpy(entry.name + base.size() + 1, extension.data(), extension.size());
  entry.name[base.size() + 1 + extension.size()] = '\0';
  return true;
}

bool ListHasExtension(const char* list, size_t size, std::string_view extension) {
  if (!list) return false;
  for (int n = 0; const char* item = NthEntry(list, size, n); ++n) {
    if (SameIgnoringAsciiCase(std::string_view(item, strnlen(item, size - size_t(item - list))), extension)) return true;
  }
  return false;
}

bool MaskMatches(std::string_view patterns, std::string_view extension) {
  size_t space = extension.find(' ');
  if (space != std::string_view::npos) extension = extension.substr(0, space);
  while (!patterns.empty()) {
    size_t end = patterns.find(';');
    std::string_view pattern = patterns.substr(0, end);
    if (pattern.size() == extension.size()) {
      bool same = true;
      for (size_t i = 0; i < pattern.size() && same; ++i) {
        char p = pattern[i], e = extension[i];
        same = e == p || (p >= 'A' && p <= 'Z' && e == p + 32);
      }
      if (same) return true;
    }
    if (end == std::string_view::npos) break;
    patterns.remove_prefix(end + 1);
  }
  return false;
}

bool PassesFilter(const FileEntry& entry, const FilerFilter& filter) {
  if (entry.IsFolder()) return true;
  const char* mask = filter.customType >= 0 && filter.masks ? NthEntry(filter.masks, filter.masksSize, filter.customType)
                                                           : nullptr;
  // A custom type whose entry is gone falls back to the type filter.
  if (!mask) return PassesTypeFilter(entry, filter);
  bool include = mask[0] == 'I';
  bool matches = MaskMatches(mask + 1, BareExtension(entry));
  return matches == include;
}

int TypeCodeOf(const FileEntry& entry, const char* associated, size_t associatedSize) {
  if (entry.IsFolder()) return kTypeFolder;
  std::string_view extension = BareExtension(entry);
  if (InFixedList(kIconPrograms, extension)) return kTypeProgram;
  if (InFixedList(kIconArchives, extension)) return kTypeArchive;
  if (!extension.empty() && ListHasExtension(associated, associatedSize, extension)) return kTypeAssociated;
  return kTypeOther;
}

int CompareEntries(const FileEntry& a, const FileEntry& b, int key, bool descending, NameComparison compare) {
  if (a.IsFolder() != b.IsFolder()) return a.IsFolder() ? -1 : 1;
  int result = CompareByKey(a, b, key, compare);
  if (result == 0 && key != kSortByName) result = CompareByKey(a, b, kSortByName, compare);
  if (result == 0) result = std::strcmp(a.Base(), b.Base());  // names the platform calls equal
  if (result == 0) result = std::strcmp(a.Extension(), b.Extension());
  return descending ? -result : result;
}

void SortEntries(std::vector<FileEntry>& entries, int key, bool descending, NameComparison compare) {
  if (key < kSortByName || key > kSortBySize) return;
  std::sort(entries.begin(), entries.end(), [&](const FileEntry& a, const FileEntry& b) {
    return CompareEntries(a, b, key, descending, compare) < 0;
  });
}

std::string EntryItemText(const FileEntry& entry, uint8_t infoColumns) {
  std::string_view base = entry.Base();
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  std::string text = "L";
  text.append(base);
  text += "|L";
  text += entry.Extension();
  text += '|';
  if (infoColumns & kColumnSize) {
    if (entry.IsFolder()) text += "R<DIR>|";
    else AppendColumn(text, "R%8" PRId64 "|", entry.size);
  }
  if (infoColumns & kColumnDate) {
    int year = ((entry.date >> 9) + 80) % 100;
    AppendColumn(text, "R%02d-%02d-%02d|", year, (entry.date >> 5) & 0xF, entry.date & 0x1F);
  }
  if (infoColumns & kColumnTime)
    AppendColumn(text, "R%02d:%02d:%02d|", entry.time >> 11, (entry.time >> 5) & 0x3F, (entry.time & 0x1F) * 2);
  if (infoColumns & kColumnAttributes) {
    text += 'R';
    if (entry.attributes & kAttributeSystem) text += 'S';
    if (entry.attributes & kAttributeHidden) text += 'H';
    if (entry.attributes & kAttributeReadOnly) text += 'R';
    if (entry.attributes & kAttributeArchive) text += 'A';
    text += '|';
  }
  return text;
}
