// The gzip format (RFC 1952) in memory: member headers with every flag field (FTEXT, FHCRC
// checked, FEXTRA skipped, FNAME, FCOMMENT), and the decoding of one or more members one after
// another into a single output, each checked against its CRC-32 and length.  Everything in the
// input is untrusted; the output grows as the members need, up to a limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "viewer/archive/archive_result.h"
#include "viewer/archive/inflate.h"

constexpr uint8_t kGzipFlagText = 1u << 0;
constexpr uint8_t kGzipFlagHeaderCrc = 1u << 1;
constexpr uint8_t kGzipFlagExtra = 1u << 2;
constexpr uint8_t kGzipFlagName = 1u << 3;
constexpr uint8_t kGzipFlagComment = 1u << 4;
constexpr size_t kGzipFixedHeaderSize = 10;
constexpr size_t kGzipTrailerSize = 8;
// Deflate cannot expand more than 1032 to 1: an output size beyond that is not believed.
constexpr size_t kDeflateMostExpansion = 1032;

struct GzipHeader {
  uint8_t flags = 0;
  uint8_t extraFlags = 0;  // XFL: 2 maximum compression, 4 fastest
  uint32_t modificationTime = 0;
  std::string name;        // FNAME as stored (no terminator); empty without the flag
  std::string comment;
  size_t size = 0;         // header bytes up to the deflate data
};

// True when `data` starts with the gzip signature and the deflate method.
bool HasGzipSignature(const uint8_t* data, size_t size);

// True when bytes that could start another member (the signature, deflate, no reserved flag)
// lie anywhere from `from` on.  False proves the file is one member (and what follows it is no
// member); true may be chance bytes inside the compressed data.
bool MayHoldAnotherMember(const uint8_t* data, size_t size, size_t from);

// kOk; kBadHeader (no signature, reserved flags, a header CRC that fails); kUnsupportedMethod
// (a method other than deflate); kBroken (the header is cut off).
[[nodiscard]] ArchiveResult ParseGzipHeader(const uint8_t* data, size_t size, GzipHeader& header);

// What decoding a whole gzip file gave: the bytes of every member that decoded, in order.
struct GzipOutput {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
  size_t capacity = 0;
  int members = 0;                           // members decoded and checked
  InflateResult inflate = InflateResult::kOk;  // the inflater's word on the member that failed
};

// Decodes the members of `data` (trailing bytes that do not start another member are ignored,
// as gzip ignores padding).  kOk; or the first member's header result; kBroken for damaged or
// cut-off deflate data or a missing trailer; kCrcMismatch for a CRC-32 or length that does not
// match; kSizeOutOfRange when the output would pass `limit`; kNoMemory.  On failure `out` holds
// the members before the failing one and what of that one decoded.
[[nodiscard]] ArchiveResult DecodeGzip(const uint8_t* data, size_t size, size_t limit, Inflater& inflater,
                                       GzipOutput& out);
