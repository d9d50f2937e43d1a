// The LZH member header of levels 0, 1 and 2 with the extension headers of levels 1 and 2, read
// into an LzhMember record.
#pragma once

#include <cstdint>

#include "viewer/archive/lzh_input.h"

struct LzhMember {
  char name[13] = {};          // base name, upper case, at most 12 characters
  char methodId[6] = {};       // the method as stored, non-printable bytes shown as "?"
  int method = -1;             // its MethodTable row, -1 when unknown
  uint32_t originalSize = 0;
  uint32_t dataOffset = 0;     // archive position of the first compressed byte
  uint32_t packedSize = 0;     // compressed bytes, extension headers excluded
  uint16_t dosDate = 0;
  uint16_t dosTime = 0;
  uint16_t crc = 0;            // CRC-16 of the original bytes
  int level = 0;
  uint8_t osId = 0;            // the system that made the member (levels 1 and 2); 'm' for MacLHA
  char path[256] = {};         // stored path: directory extension and name, "\" between parts
};

// What the header reader found: a member, the end of the list (the end mark or the end of the
// file), or a header that is broken or could not be read.
enum class LzhHeaderResult { kOk, kEnd, kBroken };

// Reads the header at the input's position; on success the input stands at the next header.
[[nodiscard]] LzhHeaderResult ReadLzhHeader(LzhInput& in, LzhMember& member);
// True when the level 0 or 1 header at `position` has a matching checksum byte (level 2: true).
// Used to tell a real first header from a method id that occurs in a program.
[[nodiscard]] bool LzhHeaderChecksumMatches(LzhInput& in, uint32_t position);
