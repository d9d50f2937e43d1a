// TarReader: the header walk at creation, and Read/Seek within a member's place in the archive.
#include "viewer/archive/tar_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/allocation.h"
#include "viewer/archive/archive_name.h"
#include "viewer/archive/tar_header.h"

namespace {

constexpr uint32_t kLargestArchive = 0x7FFFFFFF;   // positions are ints
constexpr uint64_t kLargestExtendedHeader = 1u << 20;  // pax records and GNU long names

uint64_t RoundToBlock(uint64_t size) { return (size + kTarBlockSize - 1) / kTarBlockSize * kTarBlockSize; }

TarMemberKind KindOfType(char type, bool sparse) {
  if (sparse) return TarMemberKind::kSparse;
  switch (type) {
    case '1': return TarMemberKind::kHardLink;
    case '2': return TarMemberKind::kSymbolicLink;
    case '3': case '4': case '6': return TarMemberKind::kSpecial;
    case '5': case 'D': return TarMemberKind::kDirectory;
    case 'S': return TarMemberKind::kSparse;
    case 'M': return TarMemberKind::kSpecial;  // the rest of a member from another volume
    default: return TarMemberKind::kFile;       // '0', '7' and unknown types, as POSIX asks
  }
}

// Links, devices and FIFOs have no content in the archive, whatever their size field says.
bool HasContent(TarMemberKind kind) {
  return kind == TarMemberKind::kFile || kind == TarMemberKind::kDirectory || kind == TarMemberKind::kSparse;
}

const char* KindLabel(TarMemberKind kind) {
  switch (kind) {
    case TarMemberKind::kFile: return "Stored ";
    case TarMemberKind::kDirectory: return "Dir    ";
    case TarMemberKind::kHardLink: return "HardLnk";
    case TarMemberKind::kSymbolicLink: return "SymLink";
    case TarMemberKind::kSpecial: return "Special";
    case TarMemberKind::kSparse: return "Sparse ";
  }
  return "Unknown";
}

std::string InCp932(const std::string& stored) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(stored.data());
  return MemberNameInCp932(bytes, stored.size(), LooksLikeUtf8Name(bytes, stored.size()));
}

// The value of one field: the member's own pax record, else a GNU long name, else a global
// pax record, else the header's.
template <class T>
T Pick(bool local, const T& localValue, bool global, const T& globalValue, const T& headerValue) {
  return local ? localValue : global ? globalValue : headerValue;
}

}  // namespace

// What the header walk carries from one block to the next.
struct TarReader::Scan {
  uint64_t position = 0;
  TarOverrides global;
  TarOverrides local;
  bool hasLongName = false, hasLongLink = false;
  std::string longName, longLink;

  void ForgetLocal() {
    local = TarOverrides{};
    hasLongName = hasLongLink = false;
  }
};

std::unique_ptr<TarReader> NewTarReader(SourceReader* file) { return NewObject<TarReader>(file); }

bool LooksLikeTarHeader(const uint8_t* block, size_t size) {
  return size >= kTarBlockSize && TarChecksumMatches(block);
}

TarReader::TarReader(SourceReader* inner) : ArchiveReader(inner) {
  if (!inner_ || inner_->IsBad()) return;
  archiveSize_ = inner_->Size();
  if (archiveSize_ == uint32_t(-1) || archiveSize_ > kLargestArchive) return;
  listingResult_ = ReadHeaders();
  bad_ = memberCount_ == 0 && listingResult_ != ArchiveResult::kOk;
}

TarReader::~TarReader() = default;

bool TarReader::AddMember(TarMember&& member) {
  if (memberCount_ == capacity_) {
    int grown = capacity_ ? capacity_ * 2 : 64;
    auto members = NewArray<TarMember>(size_t(grown));
    if (!members) return false;
    std::move(members_.get(), members_.get() + memberCount_, members.get());
    members_ = std::move(members);
    capacity_ = grown;
  }
  members_[memberCount_++] = std::move(member);
  return true;
}

ArchiveResult TarReader::ReadHeaders() {
  Scan scan;
  uint8_t block[kTarBlockSize];
  for (;;) {
    if (archiveSize_ - scan.position < kTarBlockSize) {
      // Archives that end without their zero blocks are read to their last member.
      return scan.position == archiveSize_ && memberCount_ > 0 ? ArchiveResult::kOk : ArchiveResult::kBroken;
    }
    if (inner_->Seek(int32_t(scan.position), 0) != int(scan.position) || inner_->Read(block, kTarBlockSize) != int(kTarBlockSize))
      return ArchiveResult::kReadFailed;
    if (IsZeroTarBlock(block)) return ArchiveResult::kOk;
    TarHeader header;
    if (ParseTarHeader(block, header) != ArchiveResult::kOk) return ArchiveResult::kBadHeader;
    uint64_t dataStart = scan.position + kTarBlockSize;
    uint64_t available = archiveSize_ - dataStart;
    bool extended = header.type == 'x' || header.type == 'g' || header.type == 'L' || header.type == 'K';
    if (extended) {
      if (header.size > kLargestExtendedHeader || header.size > available) return ArchiveResult::kBroken;
      auto data = NewArray<uint8_t>(size_t(header.size));
      if (!data) return ArchiveResult::kNoMemory;
      if (header.size && inner_->Read(data.get(), uint32_t(header.size)) != int(header.size))
        return ArchiveResult::kReadFailed;
      const char* text = reinterpret_cast<const char*>(data.get());
      size_t textLength = strnlen(text, size_t(header.size));
      if (header.type == 'x' && !ApplyPaxRecords(data.get(), size_t(header.size), scan.local)) return ArchiveResult::kBadHeader;
      if (header.type == 'g' && !ApplyPaxRecords(data.get(), size_t(header.size), scan.global)) return ArchiveResult::kBadHeader;
      if (header.type == 'L') scan.longName.assign(text, textLength), scan.hasLongName = true;
      if (header.type == 'K') scan.longLink.assign(text, textLength), scan.hasLongLink = true;
      scan.position = dataStart + RoundToBlock(header.size);
      continue;
    }
    if (header.type == 'V') {  // the volume label: no member
      scan.position = dataStart;
      scan.ForgetLocal();
      continue;
    }
    TarMember member;
    const TarOverrides& local = scan.local;
    const TarOverrides& global = scan.global;
    std::string name = Pick(local.hasPath || scan.hasLongName, local.hasPath ? local.path : scan.longName,
                            global.hasPath, global.path, header.name);
    std::string link = Pick(local.hasLinkPath || scan.hasLongLink, local.hasLinkPath ? local.linkPath : scan.longLink,
                            global.hasLinkPath, global.linkPath, header.linkName);
    uint64_t size = Pick(local.hasSize, local.size, global.hasSize, global.size, header.size);
    int64_t time = Pick(local.hasTime, local.modificationTime, global.hasTime, global.modificationTime,
                        header.modificationTime);
    member.kind = KindOfType(header.type, local.sparse || global.sparse);
    if (!HasContent(member.kind)) size = 0;
    if (member.kind == TarMemberKind::kDirectory && (name.empty() || name.back() != '/')) name += '/';
    SetEntryName(member.entry, InCp932(name));
    SetEntryUnixTime(member.entry, time);
    std::snprintf(member.entry.methodLabel, sizeof member.entry.methodLabel, "%s", KindLabel(member.kind));
    member.dataStart = uint32_t(dataStart);
    member.complete = size <= available;
    member.size = uint32_t(std::min<uint64_t>(size, available));
    member.entry.originalSize = member.entry.compressedSize = member.size;
    if (member.kind == TarMemberKind::kHardLink) {
      std::string target = InCp932(link);
      for (int i = memberCount_; i-- > 0;) {
        if (members_[i].kind == TarMemberKind::kFile && target == members_[i].entry.path) {
          member.linkTarget = i;
          member.entry.originalSize = members_[i].entry.originalSize;
          break;
        }
      }
    }
    bool complete = member.complete;
    if (!AddMember(std::move(member))) return ArchiveResult::kNoMemory;
    if (!complete) return ArchiveResult::kBroken;
    scan.position = dataStart + RoundToBlock(size);
    scan.ForgetLocal();
  }
}

int TarReader::IsBad() { return !inner_ || bad_; }

int TarReader::MemberCount() { return memberCount_; }

ArchiveResult TarReader::ListingResult() {
  if (listingResult_ != ArchiveResult::kOk) return listingResult_;
  return adopted_ ? adopted_->ListingResult() : ArchiveResult::kOk;
}

TarMemberKind TarReader::MemberKind(int index) const {
  return index >= 0 && index < memberCount_ ? members_[index].kind : TarMemberKind::kSpecial;
}

ArchiveResult TarReader::GetEntry(int index, ArchiveEntry& entry) {
  if (index < 0 || index >= memberCount_) return ArchiveResult::kNoSuchMember;
  entry = members_[index].entry;
  return ArchiveResult::kOk;
}

ArchiveResult TarReader::OpenMember(int index) {
  currentMember_ = index;
  open_ = nullptr;
  position_ = 0;
  if (index < 0 || index >= memberCount_) return ArchiveResult::kNoSuchMember;
  const TarMember* member = &members_[index];
  if (member->kind == TarMemberKind::kSymbolicLink) return ArchiveResult::kSymbolicLink;
  if (member->kind == TarMemberKind::kSpecial || member->kind == TarMemberKind::kSparse)
    return ArchiveResult::kUnsupportedMethod;
  if (member->kind == TarMemberKind::kHardLink) {
    if (member->linkTarget < 0) return ArchiveResult::kNoSuchMember;
    member = &members_[member->linkTarget];
  }
  if (!member->complete) return ArchiveResult::kBroken;
  open_ = member;
  return ArchiveResult::kOk;
}

ArchiveResult TarReader::CheckMemberIntegrity() {
  GzipReader* gzip = adopted_.get();
  if (!open_ || !gzip || gzip->CheckMemberIntegrity() == ArchiveResult::kOk) return ArchiveResult::kOk;
  // Damage in the compressed stream: what decoded before it is sound, a CRC that fails is not.
  bool before = uint64_t(open_->dataStart) + open_->size <= gzip->SoundBytes();
  return before ? ArchiveResult::kOk : gzip->CheckMemberIntegrity();
}

uint32_t TarReader::Size() { return open_ ? open_->size : 0; }

int TarReader::Read(void* buffer, uint32_t count) {
  if (!open_) return 0;
  uint32_t n = std::min(count, open_->size - position_);
  if (n == 0) return 0;
  int32_t at = int32_t(open_->dataStart + position_);
  if (inner_->Seek(at, 0) != at) return -1;
  int got = inner_->Read(buffer, n);
  if (got < 0) return -1;
  position_ += uint32_t(got);
  return got;
}

int TarReader::Seek(int32_t offset, int origin) {
  position_ = ClampedSeekPosition(position_, Size(), offset, origin);
  return int(position_);
}

void TarReader::Adopt(std::unique_ptr<GzipReader> gzip) { adopted_ = std::move(gzip); }
