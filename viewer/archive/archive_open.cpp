// Choosing and creating the archive reader for a file: the extension rule, then the contents.
#include "viewer/archive/archive_open.h"

#include <cstring>

#include "platform/allocation.h"

#include "viewer/archive/gzip_reader.h"
#include "viewer/archive/tar_header.h"
#include "viewer/archive/tar_reader.h"

namespace {

// An LZH header at the start: its method id at bytes 2 to 6 ("-lh5-", "-lzs-", ...).
bool HasLzhMethodId(const uint8_t* head, int size) {
  return size >= 7 && head[2] == '-' && head[3] == 'l' && head[6] == '-';
}

// A reader of `kind` that reads `file` without fault, as the proof that the contents are one.
bool ContentsAre(ArchiveKind kind, SourceReader& file) {
  std::unique_ptr<ArchiveReader> reader = NewArchiveReader(kind, &file);
  return reader && reader->MemberCount() > 0;
}

}  // namespace

bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = (*a >= 'a' && *a <= 'z') ? char(*a - 32) : *a;
    char y = (*b >= 'a' && *b <= 'z') ? char(*b - 32) : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

const char* PathExtension(const char* path) {
  const char* dot = std::strrchr(path, '.');
  return dot ? dot : path + std::strlen(path);
}

ArchiveKind ArchiveKindForPath(const char* path) {
  const char* extension = PathExtension(path);
  if (EqualsIgnoringCase(extension, ".LZH") || EqualsIgnoringCase(extension, ".LZS")) return ArchiveKind::kLzh;
  if (EqualsIgnoringCase(extension, ".EXE") && CheckLzhArchive(path)) return ArchiveKind::kLzh;
  if (EqualsIgnoringCase(extension, ".ZIP")) return ArchiveKind::kZip;
  return ArchiveKind::kNone;
}

ArchiveResult DetectArchiveKind(const char* path, SourceReader& file, ArchiveKind& kind) {
  kind = ArchiveKindForPath(path);
  if (kind != ArchiveKind::kNone) return ArchiveResult::kOk;
  uint8_t head[kTarBlockSize] = {};
  if (file.Seek(0, 0) != 0) return ArchiveResult::kReadFailed;
  int got = file.Read(head, sizeof head);
  if (got < 0 || file.Seek(0, 0) != 0) return ArchiveResult::kReadFailed;
  if (HasGzipSignature(head, size_t(got))) kind = ArchiveKind::kGzip;
  else if (HasLzhMethodId(head, got) && ContentsAre(ArchiveKind::kLzh, file)) kind = ArchiveKind::kLzh;
  else if (LooksLikeTarHeader(head, size_t(got))) kind = ArchiveKind::kTar;
  else if (ContentsAre(ArchiveKind::kZip, file)) kind = ArchiveKind::kZip;
  return file.Seek(0, 0) == 0 ? ArchiveResult::kOk : ArchiveResult::kReadFailed;
}

std::unique_ptr<ArchiveReader> NewArchiveReader(ArchiveKind kind, SourceReader* file, const char* path) {
  std::unique_ptr<ArchiveReader> reader;
  if (kind == ArchiveKind::kLzh) reader = NewLzhReader(file);
  if (kind == ArchiveKind::kZip) reader = NewZipReader(file);
  if (kind == ArchiveKind::kGzip) reader = NewGzipReader(file, path);
  if (kind == ArchiveKind::kTar) reader = NewTarReader(file);
  if (reader && reader->IsBad()) reader.reset();
  return reader;
}

std::unique_ptr<ArchiveReader> NewGzipReader(SourceReader* file, const char* archivePath) {
  std::unique_ptr<GzipReader> gzip = NewObject<GzipReader>(file, archivePath);
  if (!gzip || gzip->IsBad()) return gzip;
  std::unique_ptr<ArchiveReader> tar = TarReaderOverGzip(gzip);
  if (tar) return tar;
  return gzip;
}

std::unique_ptr<ArchiveReader> TarReaderOverGzip(std::unique_ptr<GzipReader>& gzip) {
  uint8_t head[kTarBlockSize];
  (void)gzip->OpenMember(0);  // damage is judged member by member by the tar reader
  if (gzip->Read(head, sizeof head) != int(sizeof head) || !LooksLikeTarHeader(head, sizeof head) ||
      gzip->Seek(0, 0) != 0)
    return nullptr;
  gzip->CompleteDecoding();  // the tar headers lie all through the stream
  std::unique_ptr<TarReader> tar = NewTarReader(gzip.get());
  if (!tar || tar->IsBad()) return nullptr;
  tar->Adopt(std::move(gzip));
  return tar;
}
