// GzipReader: decoding at creation (the whole file, or the first part of a large one) and
// Read/Seek over the decoded bytes.
#include "viewer/archive/gzip_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/allocation.h"
#include "platform/platform.h"
#include "viewer/archive/archive_name.h"
#include "viewer/archive/archive_open.h"
#include "viewer/archive/little_endian.h"
#include "viewer/archive/member_path.h"

namespace {

constexpr uint32_t kLargestContent = 0x7FFFFFFF;  // positions are ints
// What a large stream has decoded before it is shown: several screens, and the kanji sample.
constexpr uint32_t kFirstPartBytes = 1u << 20;

// The member's name from the archive's own: "x.gz" and "x-gz" give "x", "x.tgz" and "x.taz"
// give "x.tar"; any other name is kept.
std::string NameFromArchivePath(const char* archivePath) {
  std::string name = PathBaseName(archivePath);
  const char* extension = PathExtension(name.c_str());
  size_t stem = size_t(extension - name.c_str());
  if (EqualsIgnoringCase(extension, ".gz") || EqualsIgnoringCase(extension, ".z")) return name.substr(0, stem);
  if (EqualsIgnoringCase(extension, ".tgz") || EqualsIgnoringCase(extension, ".taz")) {
    name.replace(stem, std::string::npos, ".tar");
    return name;
  }
  if (name.size() > 3 && EqualsIgnoringCase(name.c_str() + name.size() - 3, "-gz"))
    return name.substr(0, name.size() - 3);
  return name;
}

}  // namespace

GzipReader::GzipReader(SourceReader* inner, const char* archivePath) : ArchiveReader(inner) {
  if (!inner_) return;
  uint32_t size = inner_->Size();
  if (inner_->IsBad() || size == uint32_t(-1) || size > kLargestContent) return;
  compressed_ = NewArray<uint8_t>(size);
  if (!compressed_) {
    headerResult_ = ArchiveResult::kNoMemory;
    return;
  }
  AdviseSequentialFill(compressed_.get(), size);
  compressedSize_ = size;
  if (inner_->Seek(0, 0) != 0 || inner_->Read(compressed_.get(), size) != int(size)) return;
  GzipHeader header;
  headerResult_ = ParseGzipHeader(compressed_.get(), size, header);
  if (headerResult_ == ArchiveResult::kBroken) headerResult_ = ArchiveResult::kBadHeader;
  if (headerResult_ != ArchiveResult::kOk) return;
  FillEntry(header, size, archivePath);
  inflater_ = NewObject<Inflater>();
  if (!inflater_ || !inflater_->IsReady()) {
    decodeResult_ = ArchiveResult::kNoMemory;
    return;
  }
  if (!DecodeFirstPart(header)) DecodeWhole();
}

// A large stream of one member gets only its first part decoded now, and the trailer's size as
// its size.  False when the stream is small, may hold more members (the last trailer then does
// not give the whole size), or its trailer's size cannot be believed: it is decoded whole.
bool GzipReader::DecodeFirstPart(const GzipHeader& header) {
  const uint8_t* data = compressed_.get();
  size_t size = compressedSize_;
  if (size < header.size + kGzipTrailerSize) return false;
  uint32_t promised = LittleEndian32(data + size - 4);
  if (promised <= kFirstPartBytes || promised > kLargestContent ||
      uint64_t(promised) > uint64_t(size) * kDeflateMostExpansion || MayHoldAnotherMember(data, size, header.size))
    return false;
  auto part = NewArray<uint8_t>(kFirstPartBytes);
  if (!part) return false;
  size_t produced = 0;
  InflateResult result =
      inflater_->Inflate(data + header.size, size - header.size, part.get(), kFirstPartBytes, &produced);
  if (result != InflateResult::kOutputFull || produced == 0) return false;
  decoded_ = std::move(part);
  decodedSize_ = uint32_t(produced);  // the inflater may stop short of a match that does not fit
  promisedSize_ = promised;
  entry_.originalSize = promised;
  decodeResult_ = ArchiveResult::kOk;  // as far as it is decoded
  complete_ = false;
  return true;
}

void GzipReader::DecodeWhole() {
  GzipOutput out;
  decodeResult_ = DecodeGzip(compressed_.get(), compressedSize_, kLargestContent, *inflater_, out);
  // The size already given out was the trailer's: a stream that ends elsewhere is not the one
  // the trailer describes.
  if (!complete_ && decodeResult_ == ArchiveResult::kOk && out.size != promisedSize_) decodeResult_ = ArchiveResult::kBroken;
  decoded_ = std::move(out.bytes);
  decodedSize_ = uint32_t(out.size);
  entry_.originalSize = decodedSize_;
  complete_ = true;
  compressed_.reset();
  inflater_.reset();
}

void GzipReader::CompleteDecoding() {
  if (!complete_) DecodeWhole();
}

ArchiveResult GzipReader::CheckMemberIntegrity() {
  CompleteDecoding();
  return decodeResult_;
}

void GzipReader::FillEntry(const GzipHeader& header, uint32_t compressedSize, const char* archivePath) {
  const uint8_t* stored = reinterpret_cast<const uint8_t*>(header.name.data());
  std::string name = header.name.empty()
                         ? NameFromArchivePath(archivePath)
                         : MemberNameInCp932(stored, header.name.size(), LooksLikeUtf8Name(stored, header.name.size()));
  SetEntryName(entry_, name);
  entry_.compressedSize = compressedSize;
  if (header.modificationTime) SetEntryUnixTime(entry_, header.modificationTime);
  char level = header.extraFlags == 2 ? 'X' : header.extraFlags == 4 ? 'F' : 'N';
  std::snprintf(entry_.methodLabel, sizeof entry_.methodLabel, "gzip-%c", level);
}

int GzipReader::IsBad() { return !inner_ || headerResult_ != ArchiveResult::kOk; }

int GzipReader::MemberCount() { return IsBad() ? 0 : 1; }

ArchiveResult GzipReader::GetEntry(int index, ArchiveEntry& entry) {
  if (index != 0 || IsBad()) return ArchiveResult::kNoSuchMember;
  entry = entry_;
  return ArchiveResult::kOk;
}

ArchiveResult GzipReader::OpenMember(int index) {
  currentMember_ = index;
  position_ = 0;
  opened_ = index == 0 && !IsBad() && decoded_ != nullptr;
  if (index != 0 || IsBad()) return ArchiveResult::kNoSuchMember;
  return opened_ ? decodeResult_ : ArchiveResult::kNoMemory;
}

uint32_t GzipReader::Size() {
  if (!opened_) return 0;
  return complete_ ? decodedSize_ : promisedSize_;
}

int GzipReader::Read(void* buffer, uint32_t count) {
  if (!opened_) return 0;
  if (!complete_ && uint64_t(position_) + count > decodedSize_) {
    DecodeWhole();
    withdrawn_ = decodeResult_ != ArchiveResult::kOk;
  }
  if (withdrawn_) return -1;
  uint32_t n = std::min(count, decodedSize_ - position_);
  if (n) std::memcpy(buffer, decoded_.get() + position_, n);
  position_ += n;
  return int(n);
}

std::span<const uint8_t> GzipReader::HeldBytes() {
  if (!opened_ || !complete_ || withdrawn_) return {};
  return {decoded_.get(), decodedSize_};
}

int GzipReader::Seek(int32_t offset, int origin) {
  position_ = ClampedSeekPosition(position_, Size(), offset, origin);
  return int(position_);
}
