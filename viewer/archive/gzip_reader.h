// GzipReader: a gzip file read as an archive of one member, named by the header's FNAME or by
// the file's own name without ".gz".  Every member is decoded one after another, as `gzip -d`
// writes them, and Read and Seek serve the decoded bytes.  A damaged, cut-off or mismatching
// stream makes OpenMember fail with its reason, while the bytes that did decode stay readable
// for a tar reader on top (which judges each of its members by where the damage lies).
//
// A large file of one member is shown before it is decoded: the reader decodes only its first
// part when it is created and takes the size from the trailer, so the document can show the
// first screen at once.  The first Read beyond that part (or CheckMemberIntegrity) decodes and
// checks the whole stream; if the check fails, Read fails from then on and the member reports
// the damage (WithdrawsOnDamage), so that nothing of it passes for the file.
#pragma once

#include <cstdint>
#include <memory>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/gzip_stream.h"

class GzipReader : public ArchiveReader {
 public:
  // `archivePath` names the member when the header carries no name.
  GzipReader(SourceReader* inner, const char* archivePath);

  int IsBad() override;
  int Read(void* buffer, uint32_t count) override;
  int Seek(int32_t offset, int origin) override;
  uint32_t Size() override;
  [[nodiscard]] ArchiveResult OpenMember(int index) override;
  [[nodiscard]] ArchiveResult GetEntry(int index, ArchiveEntry& entry) override;
  int MemberCount() override;
  [[nodiscard]] ArchiveResult CheckMemberIntegrity() override;
  // The decoded content once the whole stream is decoded and not withdrawn.
  [[nodiscard]] std::span<const uint8_t> HeldBytes() override;
  // The stream's damage once it has been decoded; a stream still to be decoded beyond its first
  // part counts as sound until then (its one member is listed from the header either way).
  [[nodiscard]] ArchiveResult ListingResult() override { return complete_ ? decodeResult_ : ArchiveResult::kOk; }
  bool WithdrawsOnDamage() const override { return true; }

  // Decodes the whole stream if only its first part is decoded yet.
  void CompleteDecoding();
  // How many leading bytes of the content decoded before any damage (all of them when sound).
  uint32_t SoundBytes() const { return decodeResult_ == ArchiveResult::kOk || decodeResult_ == ArchiveResult::kBroken ? decodedSize_ : 0; }

 private:
  void FillEntry(const GzipHeader& header, uint32_t compressedSize, const char* archivePath);
  bool DecodeFirstPart(const GzipHeader& header);
  void DecodeWhole();

  ArchiveResult headerResult_ = ArchiveResult::kReadFailed;
  ArchiveResult decodeResult_ = ArchiveResult::kReadFailed;
  ArchiveEntry entry_;
  std::unique_ptr<Inflater> inflater_;
  std::unique_ptr<uint8_t[]> compressed_;  // kept while only the first part is decoded
  uint32_t compressedSize_ = 0;
  std::unique_ptr<uint8_t[]> decoded_;
  uint32_t decodedSize_ = 0;
  uint32_t promisedSize_ = 0;  // the trailer's size, which Size gives before the whole is decoded
  uint32_t position_ = 0;
  bool complete_ = true;  // false while only the first part is decoded
  bool opened_ = false;
  bool withdrawn_ = false;  // the check failed after the first part was delivered
};

// A gzip reader over `file`, or, when what it holds is a tar archive, a tar reader over that
// (owning the gzip reader).  Null only when memory is short; a reader that cannot read its
// archive is bad (IsBad).
[[nodiscard]] std::unique_ptr<ArchiveReader> NewGzipReader(SourceReader* file, const char* archivePath);
// The content of an opened gzip reader as a tar archive: a tar reader that owns the gzip
// reader, or null (the gzip reader back in `gzip`) when the content is no tar archive.
[[nodiscard]] std::unique_ptr<ArchiveReader> TarReaderOverGzip(std::unique_ptr<GzipReader>& gzip);
