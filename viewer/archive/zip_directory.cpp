// The ZIP directory: end record search, central directory records and the entries built from
// them.  All multi-byte fields are little-endian.
#include "viewer/archive/zip_directory.h"

#include <cstring>
#include <string>

#include "viewer/archive/archive_name.h"
#include "viewer/archive/little_endian.h"

namespace {

bool HasSignature(const uint8_t* p, uint8_t third, uint8_t fourth) {
  return p[0] == 'P' && p[1] == 'K' && p[2] == third && p[3] == fourth;
}

ZipEndRecord ParseEndRecord(const uint8_t* p, uint32_t position) {
  ZipEndRecord r;
  r.diskNumber = LittleEndian16(p + 4);
  r.directoryDisk = LittleEndian16(p + 6);
  r.entriesOnDisk = LittleEndian16(p + 8);
  r.totalEntries = LittleEndian16(p + 10);
  r.directorySize = LittleEndian32(p + 12);
  r.directoryOffset = LittleEndian32(p + 16);
  r.recordPosition = position;
  return r;
}

// The ZIP64 extra field (id 1) holds, in this order, the 64-bit values of the fields whose
// 32-bit value is 0xFFFFFFFF: original size, compressed size, local header offset.  A value
// that does not fit 32 bits stays 0xFFFFFFFF, which the reader refuses as out of range.
void ApplyZip64Extra(const uint8_t* extra, size_t length, ZipMember& m) {
  constexpr uint32_t kSaturated = 0xFFFFFFFF;
  uint32_t* fields[] = {&m.entry.originalSize, &m.storedCompressedSize, &m.localHeaderOffset};
  for (size_t at = 0; at + 4 <= length;) {
    size_t blockLength = LittleEndian16(extra + at + 2);
    if (at + 4 + blockLength > length) return;
    if (LittleEndian16(extra + at) == 1) {
      const uint8_t* value = extra + at + 4;
      const uint8_t* end = value + blockLength;
      for (uint32_t* field : fields) {
        if (*field != kSaturated) continue;
        if (end - value < 8) return;
        uint64_t wide = LittleEndian64(value);
        *field = wide < kSaturated ? uint32_t(wide) : kSaturated;
        value += 8;
      }
      m.entry.compressedSize = m.storedCompressedSize;
      return;
    }
    at += 4 + blockLength;
  }
}

void FillEntry(const uint8_t* record, ZipMember& m, uint32_t directoryPosition) {
  m.flags = LittleEndian16(record + 8);
  m.method = LittleEndian16(record + 10);
  m.crc32 = LittleEndian32(record + 16);
  m.storedCompressedSize = LittleEndian32(record + 20);
  m.localHeaderOffset = LittleEndian32(record + 42);
  ArchiveEntry& e = m.entry;
  e = ArchiveEntry{};
  e.originalSize = LittleEndian32(record + 24);
  e.compressedSize = m.storedCompressedSize;
  if (m.flags & kZipFlagEncrypted) e.compressedSize = e.compressedSize >= 12 ? e.compressedSize - 12 : 0;
  SetEntryDosDateTime(e, LittleEndian16(record + 14), LittleEndian16(record + 12));
  ZipMethodLabel(m.method, m.flags, e.methodLabel);
  e.directoryPosition = directoryPosition;
  ApplyZip64Extra(record + kZipDirectoryRecordSize + LittleEndian16(record + 28), LittleEndian16(record + 30), m);
  SetEntryName(e, MemberNameInCp932(record + kZipDirectoryRecordSize, LittleEndian16(record + 28),
                                    (m.flags & kZipFlagUtf8Name) != 0));
}

}  // namespace

ArchiveResult FindZipEndRecord(const uint8_t* tail, size_t tailSize, uint32_t tailStart,
                               ZipEndRecord& record) {
  if (tailSize < kZipEndRecordSize) return ArchiveResult::kNoEndRecord;
  for (size_t at = tailSize - kZipEndRecordSize + 1; at-- > 0;) {
    if (!HasSignature(tail + at, 5, 6)) continue;
    ZipEndRecord candidate = ParseEndRecord(tail + at, uint32_t(tailStart + at));
    if (at >= kZip64LocatorSize && HasSignature(tail + at - kZip64LocatorSize, 6, 7)) {
      const uint8_t* locator = tail + at - kZip64LocatorSize;
      candidate.zip64 = true;
      candidate.zip64RecordPosition = LittleEndian64(locator + 8);
      record = candidate;
      return LittleEndian32(locator + 4) == 0 ? ArchiveResult::kOk : ArchiveResult::kMultiDisk;
    }
    if (uint64_t(candidate.directoryOffset) + candidate.directorySize > candidate.recordPosition)
      continue;  // not a record of this file (a signature inside a comment, or damage)
    record = candidate;
    if (record.diskNumber != 0) return ArchiveResult::kMultiDisk;
    if (record.directorySize == 0 && record.directoryOffset == 0) return ArchiveResult::kEmptyDirectory;
    if (uint64_t(record.totalEntries) * kZipDirectoryRecordSize > record.directorySize)
      return ArchiveResult::kBadDirectory;
    return ArchiveResult::kOk;
  }
  return ArchiveResult::kNoEndRecord;
}

ArchiveResult ApplyZip64EndRecord(const uint8_t* p, ZipEndRecord& record) {
  constexpr uint64_t kLargestPosition = 0x7FFFFFFF;
  if (!HasSignature(p, 6, 6)) return ArchiveResult::kBadDirectory;
  uint64_t entries = LittleEndian64(p + 32), size = LittleEndian64(p + 40), offset = LittleEndian64(p + 48);
  if (LittleEndian32(p + 16) != 0) return ArchiveResult::kMultiDisk;
  if (size == 0 && offset == 0) return ArchiveResult::kEmptyDirectory;
  if (entries > kLargestPosition || size > kLargestPosition || offset > kLargestPosition)
    return ArchiveResult::kSizeOutOfRange;
  if (offset + size > record.zip64RecordPosition || entries * kZipDirectoryRecordSize > size)
    return ArchiveResult::kBadDirectory;
  record.diskNumber = LittleEndian32(p + 16);
  record.directoryDisk = LittleEndian32(p + 20);
  record.entriesOnDisk = uint32_t(LittleEndian64(p + 24));
  record.totalEntries = uint32_t(entries);
  record.directorySize = uint32_t(size);
  record.directoryOffset = uint32_t(offset);
  return ArchiveResult::kOk;
}

ArchiveResult ParseZipDirectory(const uint8_t* directory, size_t size, uint32_t directoryOffset,
                                ZipMember* members, int count, int* parsed) {
  size_t at = 0;
  *parsed = 0;
  for (int i = 0; i < count; ++i) {
    if (size - at < kZipDirectoryRecordSize) return ArchiveResult::kBadDirectory;
    const uint8_t* record = directory + at;
    if (!HasSignature(record, 1, 2)) return ArchiveResult::kBadDirectory;
    size_t length = kZipDirectoryRecordSize + size_t(LittleEndian16(record + 28)) + LittleEndian16(record + 30) +
                    LittleEndian16(record + 32);
    if (size - at < length) return ArchiveResult::kBadDirectory;
    FillEntry(record, members[i], uint32_t(directoryOffset + at + 4));
    at += length;
    *parsed = i + 1;
  }
  return ArchiveResult::kOk;
}

void ZipMethodLabel(uint16_t method, uint16_t flags, char* label) {
  static const char* const kLabels[] = {"Stored ", "Shrunk ", "Reduce1", "Reduce2", "Reduce3",
                                        "Reduce4", "Implode", "Token  ", "Defl<#>", "Unknown"};
  std::strcpy(label, kLabels[method < 9 ? method : 9]);
  if (method == 8) label[5] = "NXFS"[(flags >> 1) & 3];
}
