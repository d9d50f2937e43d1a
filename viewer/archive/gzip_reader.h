// GzipReader: a gzip file read as an archive of one member, named by the header's FNAME or by
// the file's own name without ".gz".  The whole file is decoded when the reader is created
// (every member one after another, as `gzip -d` writes them), so the entry shows the true size;
// Read and Seek then serve the decoded bytes.  A damaged, cut-off or mismatching stream makes
// OpenMember fail with its reason, while the bytes that did decode stay readable for a tar
// reader on top (which judges each of its members by where the damage lies).
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
  [[nodiscard]] ArchiveResult CheckMemberIntegrity() override { return decodeResult_; }
  [[nodiscard]] ArchiveResult ListingResult() override { return decodeResult_; }

  // How many leading bytes of the content decoded before any damage (all of them when sound).
  uint32_t SoundBytes() const { return decodeResult_ == ArchiveResult::kOk || decodeResult_ == ArchiveResult::kBroken ? decodedSize_ : 0; }

 private:
  void FillEntry(const GzipHeader& header, uint32_t compressedSize, const char* archivePath);

  ArchiveResult headerResult_ = ArchiveResult::kReadFailed;
  ArchiveResult decodeResult_ = ArchiveResult::kReadFailed;
  ArchiveEntry entry_;
  std::unique_ptr<uint8_t[]> decoded_;
  uint32_t decodedSize_ = 0;
  uint32_t position_ = 0;
  bool opened_ = false;
};

// A gzip reader over `file`, or, when what it holds is a tar archive, a tar reader over that
// (owning the gzip reader).  Null only when memory is short; a reader that cannot read its
// archive is bad (IsBad).
[[nodiscard]] std::unique_ptr<ArchiveReader> NewGzipReader(SourceReader* file, const char* archivePath);
// The content of an opened gzip reader as a tar archive: a tar reader that owns the gzip
// reader, or null (the gzip reader back in `gzip`) when the content is no tar archive.
[[nodiscard]] std::unique_ptr<ArchiveReader> TarReaderOverGzip(std::unique_ptr<GzipReader>& gzip);
