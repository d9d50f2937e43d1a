// ZipReader: the ArchiveReader for ZIP archives.  The central directory is read when the reader
// is created; OpenMember decodes a whole member (stored or deflated) into one block, from which
// Read and Seek serve.  Other methods are listed by name and refused, and so are encrypted
// members.  Sizes and offsets of the archive are untrusted; each decoded member is checked
// against the directory's CRC-32 and the outcome is kept for the caller (LastMemberStatus):
// kOk, or why the member was refused (kNoSuchMember, kUnsupportedMethod, kEncrypted, kBadHeader
// for no local header where the directory says, kSizeOutOfRange, kNoMemory, kReadFailed), or
// why its delivered bytes are unsound (kBroken: deflate data damaged, delivered as far as it
// decoded and zeros after; kCrcMismatch).
#pragma once

#include <cstdint>
#include <memory>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/inflate.h"
#include "viewer/archive/zip_directory.h"

class ZipReader : public ArchiveReader {
 public:
  explicit ZipReader(SourceReader* inner);
  ~ZipReader() override;

  int IsBad() override;
  int Read(void* buffer, uint32_t count) override;
  int Seek(int32_t offset, int origin) override;
  uint32_t Size() override;
  [[nodiscard]] ArchiveResult OpenMember(int index) override;
  [[nodiscard]] ArchiveResult GetEntry(int index, ArchiveEntry& entry) override;
  int MemberCount() override;

  // Outcome of the last OpenMember.  A member that decoded but is damaged or fails its CRC
  // is still delivered (OpenMember returns kOk); extraction must treat it as an error.
  ArchiveResult LastMemberStatus() const { return status_; }
  bool LastMemberCrcOk() const { return status_ == ArchiveResult::kOk; }
  [[nodiscard]] ArchiveResult CheckMemberIntegrity() override {
    return IsDamage(status_) ? status_ : ArchiveResult::kOk;
  }
  // The inflater's result for the last deflated member (kOk otherwise).
  InflateResult LastInflateResult() const { return inflateResult_; }
  // Why the directory could not be read (kOk when it was).
  ArchiveResult DirectoryResult() const { return directoryResult_; }

 private:
  ArchiveResult ReadDirectory();
  [[nodiscard]] bool ReadAt(uint32_t position, void* buffer, uint32_t count);
  ArchiveResult ReadAndParseDirectory();
  ArchiveResult ReadZip64EndRecord();
  ArchiveResult Refusal(const ZipMember& member);
  ArchiveResult LocateData(const ZipMember& member, uint32_t* dataStart);
  ArchiveResult Decode(const ZipMember& member, uint32_t dataStart);
  ArchiveResult Inflate(const ZipMember& member, uint32_t dataStart);
  void DropMember();

  ZipEndRecord end_;
  std::unique_ptr<ZipMember[]> members_;
  int memberCount_ = 0;
  int parsedMembers_ = 0;
  ArchiveResult directoryResult_ = ArchiveResult::kNoEndRecord;
  uint32_t fileSize_ = 0;

  int decodedMember_ = -1;
  std::unique_ptr<uint8_t[]> decoded_;
  uint32_t decodedSize_ = 0;
  uint32_t position_ = 0;
  std::unique_ptr<Inflater> inflater_;  // created with the first deflated member; keeps the fixed tables
  ArchiveResult status_ = ArchiveResult::kNoSuchMember;  // none opened yet
  InflateResult inflateResult_ = InflateResult::kOk;
};
