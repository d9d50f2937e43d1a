// LzhReader: the ArchiveReader of LZH archives.  It finds the first header (also behind a
// self-extracting program), reads the member list at once, and delivers the open member's
// bytes through the decoder's sliding dictionary: Read copies from the dictionary, Seek moves
// within it, decodes forward, or restarts the member for a target before it.
#pragma once

#include <cstdint>
#include <vector>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/lzh_decoder.h"
#include "viewer/archive/lzh_header.h"

class LzhReader : public ArchiveReader {
 public:
  // The farthest the first header may begin after offset 2: self-extracting programs for
  // Windows carry stubs of several hundred kilobytes.
  static constexpr uint32_t kScanLimit = 0x100000;

  explicit LzhReader(SourceReader* inner);

  int IsBad() override { return inner_ == nullptr; }
  int Read(void* buffer, uint32_t count) override;
  int Seek(int32_t offset, int origin) override;
  // The content: the member's bytes, or the data fork of a MacLHA member stored with its
  // MacBinary header (as other LHA tools deliver it).
  uint32_t Size() override { return open_ ? viewSize_ : 0; }
  int GetByte() override;
  int Tell() override { return int(position_ - viewStart_); }
  // kOk; kNoSuchMember (also for a bad reader), kUnsupportedMethod, or kReadFailed when the
  // archive cannot be positioned at the member's data.
  [[nodiscard]] ArchiveResult OpenMember(int index) override;
  [[nodiscard]] ArchiveResult GetEntry(int index, ArchiveEntry& entry) override;
  int MemberCount() override { return int(members_.size()); }

  const LzhMember* Member(int index) const;
  // Decodes whatever of the open member is not decoded yet and says whether it is sound: kOk
  // (complete, CRC-16 matches), kCrcMismatch, kBroken (the data ended early or is corrupt) or
  // kReadFailed (the archive could not be read).  The position is kept.
  [[nodiscard]] ArchiveResult CheckMemberIntegrity() override;

 private:
  bool FindFirstHeader();
  bool FindHeaderInBlock(const uint8_t* bytes, uint32_t count, uint32_t at, uint32_t& header);
  void ReadMemberList();
  void Fill();
  void NoteMemberEnd();
  [[nodiscard]] bool SkipTo(uint32_t target);
  [[nodiscard]] ArchiveResult StartMember(int index);
  [[nodiscard]] ArchiveResult SkipMacBinaryHeader(const LzhMember& member);
  [[nodiscard]] bool SeekWithin(uint32_t wanted);
  uint32_t MemberSize() const { return members_[size_t(currentMember_)].originalSize; }

  std::vector<LzhMember> members_;
  LzhDecoder decoder_;
  int checkedMember_ = -1;    // the member whose decoding last reached its end, and how
  ArchiveResult checkResult_ = ArchiveResult::kBroken;
  bool open_ = false;
  uint32_t position_ = 0;     // bytes of the member delivered
  uint32_t windowStart_ = 0;  // member position of the dictionary's first byte
  uint32_t windowFill_ = 0;   // member bytes in the dictionary
  uint32_t readOffset_ = 0;   // dictionary index of the next byte delivered
  uint32_t viewStart_ = 0;    // member bytes before the content (a MacBinary header), and
  uint32_t viewSize_ = 0;     // the content's size
};
