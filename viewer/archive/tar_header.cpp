// tar header blocks and pax records.
#include "viewer/archive/tar_header.h"

#include <cstring>

namespace {

constexpr size_t kNameField = 0, kNameWidth = 100;
constexpr size_t kSizeField = 124, kSizeWidth = 12;
constexpr size_t kTimeField = 136, kTimeWidth = 12;
constexpr size_t kChecksumField = 148, kChecksumWidth = 8;
constexpr size_t kTypeField = 156;
constexpr size_t kLinkField = 157, kLinkWidth = 100;
constexpr size_t kMagicField = 257;
constexpr size_t kPrefixField = 345, kPrefixWidth = 155;

// A field's text up to its first NUL (or all of it).
std::string FieldText(const uint8_t* block, size_t offset, size_t width) {
  const char* start = reinterpret_cast<const char*>(block + offset);
  const void* nul = std::memchr(start, 0, width);
  return std::string(start, nul ? static_cast<const char*>(nul) - start : width);
}

// An octal field (leading spaces, then digits, ended by NUL or space) or a base-256 one (first
// byte 0x80; 0xFF for negative values, which are refused).
bool ParseNumber(const uint8_t* field, size_t width, uint64_t& value) {
  value = 0;
  if (field[0] == 0x80) {
    for (size_t i = 1; i < width; ++i) {
      if (value >> 55) return false;
      value = value << 8 | field[i];
    }
    return true;
  }
  size_t i = 0;
  while (i < width && field[i] == ' ') ++i;
  bool digits = false;
  for (; i < width && field[i] >= '0' && field[i] <= '7'; ++i) {
    if (value >> 60) return false;
    value = value * 8 + (field[i] - '0');
    digits = true;
  }
  for (; i < width; ++i) {
    if (field[i] != ' ' && field[i] != 0) return false;
  }
  return digits || field[0] == 0 || field[0] == ' ';
}

bool IsPosixUstar(const uint8_t* block) { return std::memcmp(block + kMagicField, "ustar\0", 6) == 0; }

// Decimal digits, with a fraction after "." ignored (pax times); false when none.
bool ParseDecimal(const std::string& text, int64_t& value) {
  size_t i = 0;
  bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  uint64_t magnitude = 0;
  size_t first = i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude > (uint64_t(1) << 60)) return false;
    magnitude = magnitude * 10 + uint64_t(text[i] - '0');
  }
  if (i == first || (i < text.size() && text[i] != '.')) return false;
  value = negative ? -int64_t(magnitude) : int64_t(magnitude);
  return true;
}

void ApplyRecord(const std::string& key, const std::string& value, TarOverrides& o) {
  int64_t number = 0;
  if (key == "path") {
    o.path = value, o.hasPath = true;
  } else if (key == "linkpath") {
    o.linkPath = value, o.hasLinkPath = true;
  } else if (key == "size" && ParseDecimal(value, number) && number >= 0) {
    o.size = uint64_t(number), o.hasSize = true;
  } else if (key == "mtime" && ParseDecimal(value, number)) {
    o.modificationTime = number, o.hasTime = true;
  } else if (key.compare(0, 11, "GNU.sparse.") == 0) {
    o.sparse = true;
  }
}

}  // namespace

bool IsZeroTarBlock(const uint8_t* block) {
  for (size_t i = 0; i < kTarBlockSize; ++i) {
    if (block[i]) return false;
  }
  return true;
}

bool TarChecksumMatches(const uint8_t* block) {
  uint64_t stored = 0;
  if (IsZeroTarBlock(block) || !ParseNumber(block + kChecksumField, kChecksumWidth, stored)) return false;
  int64_t unsignedSum = 0, signedSum = 0;
  for (size_t i = 0; i < kTarBlockSize; ++i) {
    bool inField = i >= kChecksumField && i < kChecksumField + kChecksumWidth;
    uint8_t byte = inField ? uint8_t(' ') : block[i];
    unsignedSum += byte;
    signedSum += int8_t(byte);
  }
  return int64_t(stored) == unsignedSum || int64_t(stored) == signedSum;
}

ArchiveResult ParseTarHeader(const uint8_t* block, TarHeader& header) {
  header = TarHeader{};
  if (!TarChecksumMatches(block)) return ArchiveResult::kBadHeader;
  uint64_t time = 0;
  if (!ParseNumber(block + kSizeField, kSizeWidth, header.size) || !ParseNumber(block + kTimeField, kTimeWidth, time))
    return ArchiveResult::kBadHeader;
  header.modificationTime = int64_t(time);
  header.type = block[kTypeField] ? char(block[kTypeField]) : '0';
  header.name = FieldText(block, kNameField, kNameWidth);
  header.linkName = FieldText(block, kLinkField, kLinkWidth);
  if (IsPosixUstar(block)) {
    std::string prefix = FieldText(block, kPrefixField, kPrefixWidth);
    if (!prefix.empty()) header.name = prefix + "/" + header.name;
  }
  return ArchiveResult::kOk;
}

bool ApplyPaxRecords(const uint8_t* data, size_t size, TarOverrides& overrides) {
  size_t at = 0;
  while (at < size && data[at] != 0) {
    size_t length = 0, i = at;
    for (; i < size && data[i] >= '0' && data[i] <= '9' && length < size; ++i) length = length * 10 + (data[i] - '0');
    if (i == at || i >= size || data[i] != ' ' || length < i - at + 3 || length > size - at) return false;
    const char* record = reinterpret_cast<const char*>(data + i + 1);
    size_t recordLength = at + length - (i + 1);
    if (record[recordLength - 1] != '\n') return false;
    const char* equals = static_cast<const char*>(std::memchr(record, '=', recordLength - 1));
    if (!equals) return false;
    ApplyRecord(std::string(record, equals), std::string(equals + 1, record + recordLength - 1), overrides);
    at += length;
  }
  return true;
}
