// ZipReader: the ArchiveReader for ZIP archives.  The central directory is read when the reader
// is created; OpenMember decodes a whole member (stored or deflated) into one block, from which
// Read and Seek serve.  Other methods are listed by name and refused, and so are encrypted
// members.  Sizes and offsets of the archive are untrusted; each decoded member is checked
// against the directory's CRC-32 and the outcome is kept for the caller (LastMemberStatus).
#pragma once

#include <cstdint>
#include <memory>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/inflate.h"
#include "viewer/archive/zip_directory.h"

enum class ZipMemberStatus {
  kNone,               // no member opened yet
  kOk,                 // decoded completely, CRC-32 matches
  kNoSuchMember,
  kUnsupportedMethod,  // a method other than stored and deflate (refused)
  kEncrypted,          // refused: the data cannot be shown without its password
  kBadLocalHeader,     // no local header where the directory says
  kSizeOutOfRange,     // declared sizes that the file cannot hold, or too large to decode
  kNoMemory,
  kReadError,          // the archive file could not be read
  kDamaged,            // deflate data damaged: delivered as far as it decoded, zeros after
  kCrcMismatch,        // decoded to its size, but the bytes do not match the CRC-32
};

class ZipReader : public ArchiveReader {
 public:
  explicit ZipReader(SourceReader* inner);
  ~ZipReader() override;

  int IsBad() override;
  int Read(void* buffer, uint32_t count) override;
  int Seek(int32_t offset, int origin) override;
  uint32_t Size() override;
  int OpenMember(int index) override;
  int GetEntry(int index, ArchiveEntry& entry) override;
  int MemberCount() override;

  // Outcome of the last OpenMember.  A member that decoded but is damaged or fails its CRC
  // is still delivered (OpenMember returns 0); extraction must treat it as an error.
  ZipMemberStatus LastMemberStatus() const { return status_; }
  bool LastMemberCrcOk() const { return status_ == ZipMemberStatus::kOk; }
  int CheckMemberIntegrity() override {
    return status_ == ZipMemberStatus::kCrcMismatch ? kMemberCrcMismatch
           : status_ == ZipMemberStatus::kDamaged   ? kMemberDamaged
                                                    : kMemberIntact;
  }
  // The inflater's result for the last deflated member (kInflateOk otherwise).
  int LastInflateResult() const { return inflateResult_; }
  // Why the directory could not be read (kZipDirectoryOk when it was).
  int DirectoryResult() const { return directoryResult_; }

 private:
  int ReadDirectory();
  bool ReadAt(uint32_t position, void* buffer, uint32_t count);
  ZipMemberStatus LocateData(const ZipMember& member, uint32_t* dataStart);
  ZipMemberStatus Decode(const ZipMember& member, uint32_t dataStart);
  ZipMemberStatus Inflate(const ZipMember& member, uint32_t dataStart);
  void DropMember();

  ZipEndRecord end_;
  std::unique_ptr<ZipMember[]> members_;
  int memberCount_ = 0;
  int parsedMembers_ = 0;
  int directoryResult_ = kZipNoEndRecord;
  uint32_t fileSize_ = 0;

  int decodedMember_ = -1;
  std::unique_ptr<uint8_t[]> decoded_;
  uint32_t decodedSize_ = 0;
  uint32_t position_ = 0;
  std::unique_ptr<Inflater> inflater_;  // created with the first deflated member; keeps the fixed tables
  ZipMemberStatus status_ = ZipMemberStatus::kNone;
  int inflateResult_ = kInflateOk;
};
