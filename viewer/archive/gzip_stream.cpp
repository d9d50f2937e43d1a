// gzip member headers and the decoding of a whole gzip file through the inflater.
#include "viewer/archive/gzip_stream.h"

#include <algorithm>
#include <cstring>

#include "platform/allocation.h"
#include "platform/platform.h"
#include "viewer/archive/little_endian.h"
#include "viewer/archive/zip_crc32.h"

namespace {

constexpr uint8_t kMethodDeflate = 8;
constexpr uint8_t kReservedFlags = 0xE0;
constexpr size_t kSmallestCapacity = 4096;

// Steps over a zero-terminated field at `at`, keeping its text; false when it is cut off.
bool TakeTerminatedField(const uint8_t* data, size_t size, size_t& at, std::string& text) {
  const void* end = at < size ? std::memchr(data + at, 0, size - at) : nullptr;
  if (!end) return false;
  size_t length = size_t(static_cast<const uint8_t*>(end) - (data + at));
  text.assign(reinterpret_cast<const char*>(data + at), length);
  at += length + 1;
  return true;
}

// Makes room for at least `wanted` bytes, keeping the first `keep`; false when it cannot.
ArchiveResult Grow(GzipOutput& out, size_t keep, size_t wanted, size_t limit) {
  if (wanted > limit) return ArchiveResult::kSizeOutOfRange;
  auto bytes = NewArray<uint8_t>(wanted);
  if (!bytes) return ArchiveResult::kNoMemory;
  AdviseSequentialFill(bytes.get(), wanted);
  if (keep) std::memcpy(bytes.get(), out.bytes.get(), keep);
  out.bytes = std::move(bytes);
  out.capacity = wanted;
  return ArchiveResult::kOk;
}

// The first guess of the output size: the last member's length field, which is the whole
// output for the usual single member, within what deflate can produce from the input.
size_t FirstCapacity(const uint8_t* data, size_t size, size_t limit) {
  size_t last = size >= 4 ? LittleEndian32(data + size - 4) : 0;
  size_t most = size * kDeflateMostExpansion + 1024;
  return std::min({std::max(last, kSmallestCapacity), most, std::max(limit, size_t(1))});
}

// Inflates one member's deflate data into `out` after its first `start` bytes, growing the
// output and starting the member again whenever it runs out of room.
ArchiveResult InflateMember(const uint8_t* data, size_t size, size_t start, size_t limit, Inflater& inflater,
                            GzipOutput& out, size_t* consumed) {
  for (;;) {
    size_t produced = 0;
    out.inflate = inflater.Inflate(data, size, out.bytes.get() + start, out.capacity - start, &produced, consumed);
    out.size = start + produced;
    if (out.inflate != InflateResult::kOutputFull) break;
    if (out.capacity >= limit) return ArchiveResult::kSizeOutOfRange;
    ArchiveResult grown = Grow(out, start, out.capacity > limit / 2 ? limit : out.capacity * 2, limit);
    if (grown != ArchiveResult::kOk) return grown;
  }
  if (out.inflate == InflateResult::kNoMemory) return ArchiveResult::kNoMemory;
  return out.inflate == InflateResult::kOk ? ArchiveResult::kOk : ArchiveResult::kBroken;
}

}  // namespace

bool HasGzipSignature(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0x1F && data[1] == 0x8B && data[2] == kMethodDeflate;
}

bool MayHoldAnotherMember(const uint8_t* data, size_t size, size_t from) {
  for (size_t at = from; at + 4 <= size;) {
    const void* found = std::memchr(data + at, 0x1F, size - 3 - at);
    if (!found) return false;
    at = size_t(static_cast<const uint8_t*>(found) - data);
    if (HasGzipSignature(data + at, size - at) && !(data[at + 3] & kReservedFlags)) return true;
    ++at;
  }
  return false;
}

ArchiveResult ParseGzipHeader(const uint8_t* data, size_t size, GzipHeader& header) {
  header = GzipHeader{};
  if (size < 2 || data[0] != 0x1F || data[1] != 0x8B) return size < 2 ? ArchiveResult::kBroken : ArchiveResult::kBadHeader;
  if (size < kGzipFixedHeaderSize) return ArchiveResult::kBroken;
  if (data[2] != kMethodDeflate) return ArchiveResult::kUnsupportedMethod;
  header.flags = data[3];
  if (header.flags & kReservedFlags) return ArchiveResult::kBadHeader;
  header.modificationTime = LittleEndian32(data + 4);
  header.extraFlags = data[8];
  size_t at = kGzipFixedHeaderSize;
  if (header.flags & kGzipFlagExtra) {
    if (size - at < 2 || size - at - 2 < LittleEndian16(data + at)) return ArchiveResult::kBroken;
    at += 2 + size_t(LittleEndian16(data + at));
  }
  if ((header.flags & kGzipFlagName) && !TakeTerminatedField(data, size, at, header.name)) return ArchiveResult::kBroken;
  if ((header.flags & kGzipFlagComment) && !TakeTerminatedField(data, size, at, header.comment))
    return ArchiveResult::kBroken;
  if (header.flags & kGzipFlagHeaderCrc) {
    if (size - at < 2) return ArchiveResult::kBroken;
    if (LittleEndian16(data + at) != (UpdateCrc32(0, data, at) & 0xFFFF)) return ArchiveResult::kBadHeader;
    at += 2;
  }
  header.size = at;
  return ArchiveResult::kOk;
}

ArchiveResult DecodeGzip(const uint8_t* data, size_t size, size_t limit, Inflater& inflater, GzipOutput& out) {
  out = GzipOutput{};
  ArchiveResult result = Grow(out, 0, FirstCapacity(data, size, limit), limit);
  inflater.ComputeOutputCrc32(true);
  size_t at = 0;
  while (result == ArchiveResult::kOk && (out.members == 0 || HasGzipSignature(data + at, size - at))) {
    GzipHeader header;
    result = ParseGzipHeader(data + at, size - at, header);
    if (result != ArchiveResult::kOk) break;
    at += header.size;
    size_t start = out.size;
    size_t consumed = 0;
    result = InflateMember(data + at, size - at, start, limit, inflater, out, &consumed);
    if (result != ArchiveResult::kOk) break;
    at += consumed;
    if (size - at < kGzipTrailerSize) return ArchiveResult::kBroken;
    size_t length = out.size - start;
    bool sound = LittleEndian32(data + at) == inflater.OutputCrc32() &&
                 LittleEndian32(data + at + 4) == uint32_t(length);
    if (!sound) return ArchiveResult::kCrcMismatch;
    at += kGzipTrailerSize;
    ++out.members;
  }
  return result;
}
