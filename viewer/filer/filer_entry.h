// Zelko Filer's directory entries: one record per file or folder as the directory listing
// gives it, the filter that decides which are listed, the sort order, and the list item each
// becomes (its column text and its item data).  Portable: the window code reads the directory
// and draws; everything it decides about entries is here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Attribute bits of an entry.
constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeHidden = 0x02;
constexpr uint32_t kAttributeSystem = 0x04;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;

// Room for a 255-byte name split into base, NUL, extension, NUL.
constexpr size_t kEntryNameSize = 258;

struct FileEntry {
  int64_t size = 0;     // bytes
  uint32_t attributes = 0;
  uint16_t time = 0;    // DOS format: hour 11-15, minute 5-10, seconds / 2 in 0-4
  uint16_t date = 0;    // DOS format: year - 1980 in 9-15, month 5-8, day 0-4
  // The base name, a NUL, then the extension with its dot (or nothing) and a NUL.
  char name[kEntryNameSize] = {};

  bool IsFolder() const { return (attributes & kAttributeDirectory) != 0; }
  const char* Base() const { return name; }
  const char* Extension() const;  // ".TXT" or ""
};

// Stores `fileName` split at its extension: what follows the last '.' that comes after every
// folder separator ('\' bytes inside double-byte characters are not separators).  False when
// the name does not fit.
bool SetEntryName(FileEntry& entry, std::string_view fileName);

// Type codes of list items (also the icon cell).
enum FilerTypeCode : int { kTypeFolder = 0, kTypeAssociated = 1, kTypeArchive = 2, kTypeProgram = 3, kTypeOther = 4 };

// What the filter looks at: the settings, passed in so that tests can set them.
struct FilerFilter {
  int32_t customType = -1;         // -1: the type filter; n: entry n of masks
  uint8_t typeFilter = 0xF;        // bit 0 programs, 1 associated, 2 archives, 3 others
  const char* masks = nullptr;     // FilerMask: "I"/"E" + extensions, a NUL-separated list
  size_t masksSize = 0;
  const char* associated = nullptr;  // associated extensions (no dot), a NUL-separated list
  size_t associatedSize = 0;
};

// True when `extension` (without its dot) is in the NUL-separated list, ignoring ASCII case.
bool ListHasExtension(const char* list, size_t size, std::string_view extension);
// One ";"-separated custom pattern list against an extension without its dot.
bool MaskMatches(std::string_view patterns, std::string_view extension);
bool PassesFilter(const FileEntry& entry, const FilerFilter& filter);
int TypeCodeOf(const FileEntry& entry, const char* associated, size_t associatedSize);

// Sort keys.
enum FilerSortKeyCode : int { kSortByName = 0, kSortByExtension = 1, kSortByTime = 2, kSortBySize = 3, kSortNone = 4 };
// The platform's string comparison (lstrcmpA on Windows).
using NameComparison = int (*)(const char*, const char*);
// Folders first, then by key; ties by name then extension; `descending` reverses all but the
// folder rule.
int CompareEntries(const FileEntry& a, const FileEntry& b, int key, bool descending, NameComparison compare);
// Sorts in place (nothing for kSortNone).
void SortEntries(std::vector<FileEntry>& entries, int key, bool descending, NameComparison compare);

// Column bits of FilerInfoColumns.
constexpr uint8_t kColumnSize = 1;
constexpr uint8_t kColumnDate = 2;
constexpr uint8_t kColumnTime = 4;
constexpr uint8_t kColumnAttributes = 8;

// The item text: "L" + name, "|L" + extension + "|", then the chosen columns.  Dates show the
// year's last two digits, so every date reads "yy-mm-dd".
std::string EntryItemText(const FileEntry& entry, uint8_t infoColumns);

// Item data: level in bits 0-15, type code 16-22, overlay bit 23, indentation 24-31.
constexpr uint32_t kItemOverlay = 1u << 23;
constexpr uint32_t MakeItemData(int level, int typeCode, int indentation) {
  return (uint32_t(level) & 0xFFFF) | ((uint32_t(typeCode) & 0x7F) << 16) | ((uint32_t(indentation) & 0xFF) << 24);
}
constexpr int ItemLevel(uint32_t data) { return int(data & 0xFFFF); }
constexpr int ItemTypeCode(uint32_t data) { return int((data >> 16) & 0x7F); }
constexpr int ItemIndentation(uint32_t data) { return int(data >> 24); }
