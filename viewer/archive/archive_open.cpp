// Choosing and creating the archive reader for a path.
#include "viewer/archive/archive_open.h"

#include <cstring>

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

std::unique_ptr<ArchiveReader> NewArchiveReader(ArchiveKind kind, SourceReader* file) {
  std::unique_ptr<ArchiveReader> reader;
  if (kind == ArchiveKind::kLzh) reader = NewLzhReader(file);
  if (kind == ArchiveKind::kZip) reader = NewZipReader(file);
  if (reader && reader->IsBad()) reader.reset();
  return reader;
}
