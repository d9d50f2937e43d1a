// LzhReader: the member list, opening a member, and reading and seeking its decoded bytes.
#include "viewer/archive/lzh_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "viewer/archive/archive_open.h"
#include "viewer/archive/file_reader.h"
#include "viewer/archive/lzh_method_table.h"
#include "platform/allocation.h"

LzhReader::LzhReader(SourceReader* inner) : ArchiveReader(inner) {
  if (!inner_ || !decoder_.Allocate()) {
    inner_ = nullptr;
    return;
  }
  decoder_.input.Attach(inner_);
  if (!FindFirstHeader()) {
    inner_ = nullptr;
    return;
  }
  ReadMemberList();
}

// Looks for "-lz?-" or "-lh?-" from offset 2 on; the header starts two bytes before it, and
// less than kScanLimit bytes after offset 2.  A hit whose header checksum does not match is a
// method id inside a program, and the search goes on.  The file is scanned in blocks that
// overlap by four bytes, so a method id across two blocks is seen once.
bool LzhReader::FindFirstHeader() {
  constexpr uint32_t kBlock = 0x8000;
  constexpr uint32_t kIdLength = 5;
  constexpr uint32_t kScanEnd = 2 + kScanLimit + 6;  // one past the last id of a header in range
  std::vector<uint8_t> block(kBlock);
  for (uint32_t at = 2; at + kIdLength <= kScanEnd;) {
    uint32_t want = std::min(kBlock, kScanEnd - at);
    if (inner_->Seek(int32_t(at), 0) != int(at)) return false;
    int got = inner_->Read(block.data(), want);
    if (got < int(kIdLength)) return false;
    uint32_t header = 0;
    if (FindHeaderInBlock(block.data(), uint32_t(got), at, header)) return decoder_.input.SeekTo(header);
    if (uint32_t(got) < want) return false;
    at += uint32_t(got) - (kIdLength - 1);
  }
  return false;
}

// The first method id in `bytes` (which stand at archive position `at`) whose header checks out.
bool LzhReader::FindHeaderInBlock(const uint8_t* bytes, uint32_t count, uint32_t at, uint32_t& header) {
  const uint8_t* end = bytes + count - 4;
  for (const uint8_t* p = bytes; p < end; ++p) {
    p = static_cast<const uint8_t*>(std::memchr(p, '-', size_t(end - p)));
    if (!p) return false;
    if (p[1] != 'l' || (p[2] != 'z' && p[2] != 'h') || p[4] != '-') continue;
    header = at + uint32_t(p - bytes) - 2;
    if (LzhHeaderChecksumMatches(decoder_.input, header)) return true;
  }
  return false;
}

// Reads headers up to the end mark.  A broken header stays in the list and makes the reader bad.
void LzhReader::ReadMemberList() {
  while (true) {
    members_.emplace_back();
    LzhHeaderResult result = ReadLzhHeader(decoder_.input, members_.back());
    if (result == LzhHeaderResult::kEnd) {
      members_.pop_back();
      return;
    }
    if (result == LzhHeaderResult::kBroken) {
      inner_ = nullptr;
      return;
    }
  }
}

const LzhMember* LzhReader::Member(int index) const {
  return index >= 0 && index < int(members_.size()) ? &members_[size_t(index)] : nullptr;
}

ArchiveResult LzhReader::GetEntry(int index, ArchiveEntry& entry) {
  const LzhMember* member = Member(index);
  if (!member) return ArchiveResult::kNoSuchMember;
  entry = ArchiveEntry();
  std::strcpy(entry.name, member->name);
  std::strcpy(entry.path, member->path);
  std::strcpy(entry.methodLabel, member->methodId);
  entry.originalSize = member->originalSize;
  entry.compressedSize = member->packedSize;
  SetEntryDosDateTime(entry, member->dosDate, member->dosTime);
  return ArchiveResult::kOk;
}

ArchiveResult LzhReader::OpenMember(int index) {
  ArchiveResult result = StartMember(index);
  return result == ArchiveResult::kOk ? SkipMacBinaryHeader(members_[size_t(index)]) : result;
}

ArchiveResult LzhReader::StartMember(int index) {
  open_ = false;
  const LzhMember* member = Member(index);
  if (!inner_ || !member) return ArchiveResult::kNoSuchMember;
  if (index != currentMember_) checkedMember_ = -1;
  currentMember_ = index;
  if (member->method < 0) return ArchiveResult::kUnsupportedMethod;
  decoder_.input.readError = false;
  if (!decoder_.input.SeekTo(member->dataOffset)) return ArchiveResult::kReadFailed;
  decoder_.input.LimitTo(member->packedSize);
  decoder_.Start(MethodTable[member->method], member->originalSize);
  open_ = true;
  position_ = windowStart_ = windowFill_ = readOffset_ = 0;
  viewStart_ = 0;
  viewSize_ = member->originalSize;
  return ArchiveResult::kOk;
}

namespace {

constexpr uint32_t kMacBinaryHeaderSize = 128;
uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint64_t RoundTo128(uint32_t n) { return (uint64_t(n) + 127) / 128 * 128; }

// A MacBinary header whose two forks account for the rest of a member of `size` bytes.
bool IsMacBinaryHeader(const uint8_t* header, uint32_t size, uint32_t& dataSize) {
  uint32_t data = BigEndian32(header + 83);
  uint32_t resource = BigEndian32(header + 87);
  bool fields = header[0] == 0 && header[74] == 0 && header[82] == 0 && header[1] >= 1 && header[1] <= 63;
  bool sizes = kMacBinaryHeaderSize + uint64_t(data) <= size &&
               size <= kMacBinaryHeaderSize + RoundTo128(data) + RoundTo128(resource);
  dataSize = data;
  return fields && sizes;
}

}  // namespace

// MacLHA stores a member as a MacBinary file: a 128-byte header, the data fork and the resource
// fork.  The content is then the data fork alone.  Otherwise the member starts again.
ArchiveResult LzhReader::SkipMacBinaryHeader(const LzhMember& member) {
  if (member.osId != 'm' || member.originalSize < kMacBinaryHeaderSize) return ArchiveResult::kOk;
  uint8_t header[kMacBinaryHeaderSize];
  uint32_t dataSize = 0;
  if (Read(header, sizeof header) == int(sizeof header) && IsMacBinaryHeader(header, member.originalSize, dataSize)) {
    viewStart_ = kMacBinaryHeaderSize;
    viewSize_ = dataSize;
    return ArchiveResult::kOk;
  }
  return StartMember(currentMember_);
}

void LzhReader::Fill() {
  windowStart_ = decoder_.Decoded();
  windowFill_ = decoder_.FillWindow();
  readOffset_ = 0;
  NoteMemberEnd();
}

// Remembers how the member's decoding ended once it has, for CheckMemberIntegrity.
void LzhReader::NoteMemberEnd() {
  bool complete = decoder_.Decoded() == MemberSize();
  if (!decoder_.Corrupt() && !complete && windowFill_ > 0) return;
  checkedMember_ = currentMember_;
  if (decoder_.input.readError) {
    checkResult_ = ArchiveResult::kReadFailed;
  } else if (decoder_.Corrupt() || !complete) {
    checkResult_ = ArchiveResult::kBroken;
  } else {
    bool crcMatches = decoder_.Crc() == members_[size_t(currentMember_)].crc;
    checkResult_ = crcMatches ? ArchiveResult::kOk : ArchiveResult::kCrcMismatch;
  }
}

int LzhReader::Read(void* buffer, uint32_t count) {
  if (!inner_) return -1;
  if (!open_) return 0;
  count = std::min(count, viewStart_ + viewSize_ - position_);
  auto* out = static_cast<uint8_t*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    if (readOffset_ == windowFill_) {
      if (decoder_.Ended()) break;
      Fill();
      if (windowFill_ == 0) break;
    }
    uint32_t n = std::min(count - done, windowFill_ - readOffset_);
    std::memcpy(out + done, decoder_.Dictionary() + readOffset_, n);
    readOffset_ += n;
    done += n;
  }
  position_ += done;
  return int(done);
}

int LzhReader::GetByte() {
  if (open_ && readOffset_ < windowFill_ && position_ < viewStart_ + viewSize_) {
    ++position_;
    return decoder_.Dictionary()[readOffset_++];
  }
  uint8_t byte = 0;
  return Read(&byte, 1) == 1 ? byte : -1;
}

// Decodes forward from the current position to `target`, discarding the bytes.
bool LzhReader::SkipTo(uint32_t target) {
  while (position_ < target) {
    if (readOffset_ == windowFill_) {
      if (decoder_.Ended()) return false;
      Fill();
      if (windowFill_ == 0) return false;
    }
    uint32_t n = std::min(target - position_, windowFill_ - readOffset_);
    readOffset_ += n;
    position_ += n;
  }
  return true;
}

int LzhReader::Seek(int32_t offset, int origin) {
  if (!inner_ || !open_) return -1;
  int64_t target = offset;
  if (origin == 1) target += Tell();
  if (origin == 2) target += viewSize_;
  if (origin < 0 || origin > 2 || target < 0 || target > int64_t(viewSize_)) return -1;
  return SeekWithin(viewStart_ + uint32_t(target)) ? int(target) : -1;
}

// Moves to member byte `wanted`: within the dictionary, by decoding forward, or by restarting.
bool LzhReader::SeekWithin(uint32_t wanted) {
  if (wanted >= windowStart_ && wanted <= windowStart_ + windowFill_) {
    readOffset_ = wanted - windowStart_;
    position_ = wanted;
    return true;
  }
  if (wanted < position_ && OpenMember(currentMember_) != ArchiveResult::kOk) return false;
  return SkipTo(wanted);
}

ArchiveResult LzhReader::CheckMemberIntegrity() {
  if (!open_) return ArchiveResult::kBroken;
  if (checkedMember_ != currentMember_) {
    uint32_t saved = position_;
    if (SeekWithin(MemberSize())) NoteMemberEnd();
    if (!SeekWithin(saved)) return ArchiveResult::kReadFailed;  // the position is lost
  }
  return checkedMember_ == currentMember_ ? checkResult_ : ArchiveResult::kBroken;
}

std::unique_ptr<ArchiveReader> NewLzhReader(SourceReader* file) { return NewObject<LzhReader>(file); }

bool CheckLzhArchive(const char* path) {
  FileReader file(path, fileapi::kReadOnly);
  LzhReader reader(&file);
  return !reader.IsBad() && reader.MemberCount() > 0;
}
