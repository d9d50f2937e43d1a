// The tar format's 512-byte header blocks (v7, ustar with its name prefix, GNU) and the pax
// extended-header records, parsed from bytes in memory.  Numeric fields are octal text or,
// for large values, GNU's base-256 form; every field is checked before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "viewer/archive/archive_result.h"

constexpr size_t kTarBlockSize = 512;

// One header block as stored.
struct TarHeader {
  std::string name;      // ustar: prefix + "/" + name
  std::string linkName;
  uint64_t size = 0;
  int64_t modificationTime = 0;
  char type = '0';       // the typeflag; '\0' of old archives is given as '0'
};

// What pax records (and GNU's long-name members) say of the member that follows them, or of
// every later member (global records).
struct TarOverrides {
  bool hasPath = false, hasLinkPath = false, hasSize = false, hasTime = false;
  bool sparse = false;   // GNU's sparse records
  std::string path, linkPath;
  uint64_t size = 0;
  int64_t modificationTime = 0;
};

// True for a block of zeros (two of them end an archive).
bool IsZeroTarBlock(const uint8_t* block);
// True when the block's checksum field matches its bytes (summed as unsigned or as signed
// bytes, as old tools did) and the block is not all zeros.
bool TarChecksumMatches(const uint8_t* block);
// kOk, or kBadHeader for a checksum that fails or a numeric field that is not a number.
[[nodiscard]] ArchiveResult ParseTarHeader(const uint8_t* block, TarHeader& header);
// Applies the "LENGTH KEY=VALUE\n" records of a pax extended header to `overrides`; false
// when a record is malformed (the records before it are applied).
[[nodiscard]] bool ApplyPaxRecords(const uint8_t* data, size_t size, TarOverrides& overrides);
