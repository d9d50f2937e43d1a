// ZipReader: the directory at creation, whole-member decoding on OpenMember, and Read/Seek over
// the decoded block.
#include "viewer/archive/zip_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "viewer/archive/archive_open.h"
#include "viewer/archive/little_endian.h"
#include "viewer/archive/zip_crc32.h"
#include "platform/allocation.h"
#include "platform/platform.h"

namespace {

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflate = 8;
// Deflate cannot expand more than 1032 to 1 (a 258-byte match in two bits); a member that claims
// more is damaged, and its size is not worth allocating.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint32_t kLargestMember = 0x7FFFFFFF;  // positions are ints

}  // namespace

std::unique_ptr<ArchiveReader> NewZipReader(SourceReader* file) { return NewObject<ZipReader>(file); }

ZipReader::ZipReader(SourceReader* inner) : ArchiveReader(inner) {
  if (inner_) directoryResult_ = ReadDirectory();
}

ZipReader::~ZipReader() = default;

bool ZipReader::ReadAt(uint32_t position, void* buffer, uint32_t count) {
  if (position > kLargestMember) return false;
  if (inner_->Seek(int32_t(position), 0) != int(position)) return false;
  return count == 0 || inner_->Read(buffer, count) == int(count);
}

// The end record from the file's tail, then the directory it points to.
ArchiveResult ZipReader::ReadDirectory() {
  fileSize_ = inner_->Size();
  if (inner_->IsBad() || fileSize_ == uint32_t(-1)) return ArchiveResult::kReadFailed;
  uint32_t tailSize = std::min(fileSize_, kZipEndSearchSize);
  auto tail = NewArray<uint8_t>(tailSize);
  if (!tail) return ArchiveResult::kNoMemory;
  if (!ReadAt(fileSize_ - tailSize, tail.get(), tailSize)) return ArchiveResult::kReadFailed;
  ArchiveResult result = FindZipEndRecord(tail.get(), tailSize, fileSize_ - tailSize, end_);
  tail.reset();
  if (result == ArchiveResult::kOk && end_.zip64) result = ReadZip64EndRecord();
  if (result != ArchiveResult::kOk) return result;
  result = ReadAndParseDirectory();
  if (result == ArchiveResult::kNoMemory || result == ArchiveResult::kReadFailed) {
    members_.reset();
    memberCount_ = parsedMembers_ = 0;
  }
  return result;
}

ArchiveResult ZipReader::ReadZip64EndRecord() {
  uint8_t record[kZip64EndRecordSize];
  if (end_.zip64RecordPosition + kZip64EndRecordSize > end_.recordPosition) return ArchiveResult::kBadDirectory;
  if (!ReadAt(uint32_t(end_.zip64RecordPosition), record, sizeof record)) return ArchiveResult::kReadFailed;
  return ApplyZip64EndRecord(record, end_);
}

ArchiveResult ZipReader::ReadAndParseDirectory() {
  auto directory = NewArray<uint8_t>(end_.directorySize);
  members_ = NewArray<ZipMember>(end_.totalEntries);
  if (!directory || !members_) return ArchiveResult::kNoMemory;
  if (!ReadAt(end_.directoryOffset, directory.get(), end_.directorySize)) return ArchiveResult::kReadFailed;
  memberCount_ = end_.totalEntries;
  return ParseZipDirectory(directory.get(), end_.directorySize, end_.directoryOffset, members_.get(),
                           memberCount_, &parsedMembers_);
}

int ZipReader::IsBad() { return !inner_ || directoryResult_ != ArchiveResult::kOk; }

int ZipReader::MemberCount() { return memberCount_; }

ArchiveResult ZipReader::GetEntry(int index, ArchiveEntry& entry) {
  if (index < 0 || index >= memberCount_) return ArchiveResult::kNoSuchMember;
  entry = members_[index].entry;
  return ArchiveResult::kOk;
}

uint32_t ZipReader::Size() { return decodedMember_ >= 0 ? decodedSize_ : 0; }

int ZipReader::Read(void* buffer, uint32_t count) {
  if (decodedMember_ < 0) return 0;
  uint32_t n = std::min(count, decodedSize_ - position_);
  std::memcpy(buffer, decoded_.get() + position_, n);
  position_ += n;
  return int(n);
}

int ZipReader::Seek(int32_t offset, int origin) {
  position_ = ClampedSeekPosition(position_, Size(), offset, origin);
  return int(position_);
}

void ZipReader::DropMember() {
  decoded_.reset();
  decodedMember_ = -1;
  decodedSize_ = 0;
  position_ = 0;
  inflateResult_ = InflateResult::kOk;
}

ArchiveResult ZipReader::OpenMember(int index) {
  DropMember();
  currentMember_ = index;
  if (!inner_ || index < 0 || index >= parsedMembers_) {
    status_ = ArchiveResult::kNoSuchMember;
    return status_;
  }
  const ZipMember& member = members_[index];
  uint32_t dataStart = 0;
  status_ = Refusal(member);
  if (status_ == ArchiveResult::kOk) status_ = LocateData(member, &dataStart);
  if (status_ == ArchiveResult::kOk) status_ = Decode(member, dataStart);
  if (status_ != ArchiveResult::kOk && !IsDamage(status_)) {
    DropMember();
    return status_;
  }
  decodedMember_ = index;
  return ArchiveResult::kOk;
}

// Why a member is not decoded at all: encryption, or a method other than stored and deflate.
ArchiveResult ZipReader::Refusal(const ZipMember& member) {
  if (member.flags & kZipFlagEncrypted) return ArchiveResult::kEncrypted;
  if (member.method != kMethodStored && member.method != kMethodDeflate) return ArchiveResult::kUnsupportedMethod;
  return ArchiveResult::kOk;
}

ArchiveResult ZipReader::LocateData(const ZipMember& member, uint32_t* dataStart) {
  uint8_t header[kZipLocalHeaderSize];
  uint64_t headerEnd = uint64_t(member.localHeaderOffset) + kZipLocalHeaderSize;
  if (headerEnd > fileSize_) return ArchiveResult::kBadHeader;
  if (!ReadAt(member.localHeaderOffset, header, sizeof header)) return ArchiveResult::kReadFailed;
  if (!(header[0] == 'P' && header[1] == 'K' && header[2] == 3 && header[3] == 4))
    return ArchiveResult::kBadHeader;
  uint64_t start = headerEnd + LittleEndian16(header + 26) + LittleEndian16(header + 28);
  uint32_t original = member.entry.originalSize;
  uint64_t stored = member.storedCompressedSize;
  bool fits = start + stored <= fileSize_ && original <= kLargestMember &&
              (member.method == kMethodStored ? original <= stored
                                              : original <= stored * kMaxDeflateRatio + 1024);
  if (!fits) return ArchiveResult::kSizeOutOfRange;
  *dataStart = uint32_t(start);
  return ArchiveResult::kOk;
}

ArchiveResult ZipReader::Decode(const ZipMember& member, uint32_t dataStart) {
  decodedSize_ = member.entry.originalSize;
  decoded_ = NewArray<uint8_t>(decodedSize_);
  if (!decoded_) return ArchiveResult::kNoMemory;
  AdviseSequentialFill(decoded_.get(), decodedSize_);
  ArchiveResult status = ArchiveResult::kOk;
  if (member.method == kMethodStored) {
    if (!ReadAt(dataStart, decoded_.get(), decodedSize_)) status = ArchiveResult::kReadFailed;
  } else {
    status = Inflate(member, dataStart);
  }
  if (status != ArchiveResult::kOk) return status;
  // The inflater computed the CRC-32 of what it decoded as it went.
  uint32_t crc =
      member.method == kMethodStored ? UpdateCrc32(0, decoded_.get(), decodedSize_) : inflater_->OutputCrc32();
  return crc == member.crc32 ? ArchiveResult::kOk : ArchiveResult::kCrcMismatch;
}

ArchiveResult ZipReader::Inflate(const ZipMember& member, uint32_t dataStart) {
  uint32_t inputSize = member.storedCompressedSize;
  auto input = NewArray<uint8_t>(inputSize);
  if (inflater_ && !inflater_->IsReady()) inflater_.reset();  // its tables failed: try again
  if (!inflater_) inflater_ = NewObject<Inflater>();
  if (!input || !inflater_ || !inflater_->IsReady()) return ArchiveResult::kNoMemory;
  inflater_->ComputeOutputCrc32(true);
  AdviseSequentialFill(input.get(), inputSize);
  if (!ReadAt(dataStart, input.get(), inputSize)) return ArchiveResult::kReadFailed;
  size_t produced = 0;
  inflateResult_ = inflater_->Inflate(input.get(), inputSize, decoded_.get(), decodedSize_, &produced);
  std::memset(decoded_.get() + produced, 0, decodedSize_ - produced);
  if (inflateResult_ == InflateResult::kNoMemory) return ArchiveResult::kNoMemory;
  if (inflateResult_ != InflateResult::kOk || produced != decodedSize_) return ArchiveResult::kBroken;
  return ArchiveResult::kOk;
}
