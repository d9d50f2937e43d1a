// ZIP archives built in memory for tests: stored and deflated members (fixed-code literals),
// with overrides for the CRC and the original size, and the offsets of every record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/archive/inflate_test_writer.h"
#include "viewer/archive/zip_crc32.h"
#include "viewer/archive/zip_directory.h"

namespace zip_test {

inline std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

struct TestMember {
  std::string name;
  std::vector<uint8_t> original;
  std::vector<uint8_t> payload;  // the bytes after the local header
  uint16_t method = 0;
  uint16_t flags = 0;
  uint16_t dosDate = (19 << 9) | (3 << 5) | 14;  // 1999-03-14
  uint16_t dosTime = (13 << 11) | (45 << 5) | 15;  // 13:45:30
  int64_t crcOverride = -1;
  int64_t originalSizeOverride = -1;
  bool zip64Extra = false;  // the directory's sizes and offset given in a ZIP64 extra field
};

inline TestMember Stored(const std::string& name, const std::string& text) {
  TestMember m{name, Bytes(text), Bytes(text)};
  return m;
}

inline TestMember Deflated(const std::string& name, const std::string& text) {
  inflate_test::DeflateWriter w;
  std::vector<inflate_test::Token> tokens;
  for (unsigned char c : text) tokens.push_back(inflate_test::Token::Literal(c));
  w.FixedBlock(tokens, true);
  TestMember m{name, Bytes(text), w.Finish(), 8};
  return m;
}

inline void Put16(std::vector<uint8_t>& b, uint32_t v) { b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8)); }
inline void Put32(std::vector<uint8_t>& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }
inline void Set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

struct BuiltZip {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> localOffsets;
  std::vector<uint32_t> recordOffsets;  // central directory records
  uint32_t endOffset = 0;
};

// Fields shared by the local header and the central record, from "version needed" on.
inline void PutCommonFields(std::vector<uint8_t>& b, const TestMember& m) {
  uint32_t crc = m.crcOverride >= 0 ? uint32_t(m.crcOverride)
                                    : UpdateCrc32(0, m.original.data(), m.original.size());
  Put16(b, 20), Put16(b, m.flags), Put16(b, m.method), Put16(b, m.dosTime), Put16(b, m.dosDate);
  Put32(b, crc), Put32(b, uint32_t(m.payload.size()));
  Put32(b, m.originalSizeOverride >= 0 ? uint32_t(m.originalSizeOverride) : uint32_t(m.original.size()));
  Put16(b, uint32_t(m.name.size()));
}

inline void Put64(std::vector<uint8_t>& b, uint64_t v) { Put32(b, uint32_t(v)), Put32(b, uint32_t(v >> 32)); }

// With `zip64End` the end record's fields are all 0xFFFF... and the true ones are in a ZIP64
// end record and its locator before it.
inline BuiltZip BuildZip(const std::vector<TestMember>& members, const std::string& comment = "",
                         bool zip64End = false) {
  BuiltZip z;
  std::vector<uint8_t>& b = z.bytes;
  for (const TestMember& m : members) {
    z.localOffsets.push_back(uint32_t(b.size()));
    Put32(b, 0x04034B50), PutCommonFields(b, m), Put16(b, 0);
    b.insert(b.end(), m.name.begin(), m.name.end());
    b.insert(b.end(), m.payload.begin(), m.payload.end());
  }
  uint32_t directoryOffset = uint32_t(b.size());
  for (size_t i = 0; i < members.size(); ++i) {
    z.recordOffsets.push_back(uint32_t(b.size()));
    const TestMember& m = members[i];
    size_t start = b.size();
    Put32(b, 0x02014B50), Put16(b, 20), PutCommonFields(b, m);
    Put16(b, m.zip64Extra ? 4 + 4 + 28 : 4), Put16(b, 3);  // extra field and comment lengths
    Put16(b, 0), Put16(b, 0), Put32(b, 0), Put32(b, m.zip64Extra ? 0xFFFFFFFF : z.localOffsets[i]);
    b.insert(b.end(), m.name.begin(), m.name.end());
    b.insert(b.end(), {0xCA, 0xFE, 0, 0});
    if (m.zip64Extra) {
      Set32(b, start + 20, 0xFFFFFFFF), Set32(b, start + 24, 0xFFFFFFFF);
      Put16(b, 1), Put16(b, 24 + 4);
      Put64(b, m.original.size()), Put64(b, m.payload.size()), Put64(b, z.localOffsets[i]), Put32(b, 0);
    }
    b.insert(b.end(), {'c', 'm', 't'});
  }
  uint32_t directorySize = uint32_t(b.size()) - directoryOffset;
  uint32_t count = uint32_t(members.size());
  if (zip64End) {
    uint64_t recordOffset = b.size();
    Put32(b, 0x06064B50), Put64(b, kZip64EndRecordSize - 12), Put16(b, 45), Put16(b, 45), Put32(b, 0), Put32(b, 0);
    Put64(b, count), Put64(b, count), Put64(b, directorySize), Put64(b, directoryOffset);
    Put32(b, 0x07064B50), Put32(b, 0), Put64(b, recordOffset), Put32(b, 1);
  }
  z.endOffset = uint32_t(b.size());
  Put32(b, 0x06054B50), Put16(b, 0), Put16(b, 0);
  Put16(b, zip64End ? 0xFFFF : count), Put16(b, zip64End ? 0xFFFF : count);
  Put32(b, zip64End ? 0xFFFFFFFF : directorySize), Put32(b, zip64End ? 0xFFFFFFFF : directoryOffset);
  Put16(b, uint32_t(comment.size()));
  b.insert(b.end(), comment.begin(), comment.end());
  return z;
}

}  // namespace zip_test
