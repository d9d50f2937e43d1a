// Reading a ZIP archive's directory from bytes in memory: the end-of-central-directory record,
// found by scanning backwards (so a trailing comment is stepped over), and the central
// directory records, turned into ArchiveEntry records with method labels.  Every count, size
// and offset comes from the file and is checked against the bytes before it is used.
#pragma once

#include <cstddef>
#include <cstdint>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/archive_result.h"

// The ZIP reader searches this many bytes at the end of the file for the end record.
constexpr uint32_t kZipEndSearchSize = 30000;
constexpr uint32_t kZipEndRecordSize = 22;
constexpr uint32_t kZipDirectoryRecordSize = 46;
constexpr uint32_t kZipLocalHeaderSize = 30;

constexpr uint16_t kZipFlagEncrypted = 1u << 0;
constexpr uint16_t kZipFlagUtf8Name = 1u << 11;

constexpr uint32_t kZip64LocatorSize = 20;
constexpr uint32_t kZip64EndRecordSize = 56;

// The fields that follow the end record's signature, and where the record lies.  With a ZIP64
// end record the counts, size and offset are that record's (ApplyZip64EndRecord).
struct ZipEndRecord {
  uint32_t diskNumber = 0;
  uint32_t directoryDisk = 0;
  uint32_t entriesOnDisk = 0;
  uint32_t totalEntries = 0;
  uint32_t directorySize = 0;
  uint32_t directoryOffset = 0;
  uint32_t recordPosition = 0;
  bool zip64 = false;               // a ZIP64 locator lies just before the record
  uint64_t zip64RecordPosition = 0; // where the locator says the ZIP64 end record lies
};

// One member: the entry that is shown, and what reading its data needs.
struct ZipMember {
  ArchiveEntry entry;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint32_t crc32 = 0;
  uint32_t storedCompressedSize = 0;  // as in the directory (the entry drops an encryption header)
  uint32_t localHeaderOffset = 0;
};

// Looks for the end record in `tail`, the last bytes of the file; tailStart is the file position
// of tail[0].  The last signature whose directory lies before it wins.  kOk, kNoEndRecord,
// kMultiDisk, kEmptyDirectory or kBadDirectory.
[[nodiscard]] ArchiveResult FindZipEndRecord(const uint8_t* tail, size_t tailSize, uint32_t tailStart,
                                                 ZipEndRecord& record);

// Reads the ZIP64 end record (kZip64EndRecordSize bytes at record.zip64RecordPosition) into
// `record`: kOk; kBadDirectory (no signature, or a directory that does not lie before it);
// kMultiDisk; kEmptyDirectory; kSizeOutOfRange (more members than an int counts, or a
// directory beyond the 2 GiB that positions reach).
[[nodiscard]] ArchiveResult ApplyZip64EndRecord(const uint8_t* bytes, ZipEndRecord& record);

// Parses `count` central directory records from `directory` (read from file position
// `directoryOffset`) into members[0..count); *parsed receives how many were read.  On failure
// the records from the failing one on are left as they were.
[[nodiscard]] ArchiveResult ParseZipDirectory(const uint8_t* directory, size_t size, uint32_t directoryOffset,
                                                  ZipMember* members, int count, int* parsed);

// The 7-character method label: "Stored ", "Defl<N>", "Unknown" and so on.
void ZipMethodLabel(uint16_t method, uint16_t flags, char* label);
