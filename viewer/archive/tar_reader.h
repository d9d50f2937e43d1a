// TarReader: the ArchiveReader for tar archives (v7, ustar, GNU long names, pax records local
// and global), plain or on top of a GzipReader.  The headers are read when the reader is
// created; a member's content is read straight from the archive at its place.  Names in UTF-8
// are converted to CP932, others taken as Shift-JIS; directories are listed with a trailing
// "/".  A hard link delivers the content of the member it names; a symbolic link is listed and
// refused (kSymbolicLink), and so are devices, FIFOs and sparse members (kUnsupportedMethod).
// A header that fails its checksum, or a member cut off, ends the list there (ListingResult);
// the members before it stay usable.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/gzip_reader.h"

enum class TarMemberKind { kFile, kDirectory, kHardLink, kSymbolicLink, kSpecial, kSparse };

struct TarMember {
  ArchiveEntry entry;
  TarMemberKind kind = TarMemberKind::kFile;
  uint32_t dataStart = 0;
  uint32_t size = 0;
  int linkTarget = -1;      // hard links: the member whose content they deliver
  bool complete = true;     // false when the archive ends inside the content
};

class TarReader : public ArchiveReader {
 public:
  explicit TarReader(SourceReader* inner);
  ~TarReader() override;

  int IsBad() override;
  int Read(void* buffer, uint32_t count) override;
  int Seek(int32_t offset, int origin) override;
  uint32_t Size() override;
  [[nodiscard]] ArchiveResult OpenMember(int index) override;
  [[nodiscard]] ArchiveResult GetEntry(int index, ArchiveEntry& entry) override;
  int MemberCount() override;
  [[nodiscard]] ArchiveResult CheckMemberIntegrity() override;
  [[nodiscard]] ArchiveResult ListingResult() override;

  // The gzip reader this reader reads the archive through (under a .tar.gz) becomes this
  // reader's: deleted with it, and its damage judges the members (CheckMemberIntegrity).
  void Adopt(std::unique_ptr<GzipReader> gzip);
  TarMemberKind MemberKind(int index) const;

 private:
  struct Scan;
  ArchiveResult ReadHeaders();
  bool AddMember(TarMember&& member);

  std::unique_ptr<TarMember[]> members_;
  int memberCount_ = 0;
  int capacity_ = 0;
  ArchiveResult listingResult_ = ArchiveResult::kOk;
  bool bad_ = true;
  uint32_t archiveSize_ = 0;

  const TarMember* open_ = nullptr;  // the member whose content is delivered
  uint32_t position_ = 0;
  std::unique_ptr<GzipReader> adopted_;
};

// True when `block` (512 bytes) is a tar header whose checksum holds.
bool LooksLikeTarHeader(const uint8_t* block, size_t size);
[[nodiscard]] std::unique_ptr<TarReader> NewTarReader(SourceReader* file);
