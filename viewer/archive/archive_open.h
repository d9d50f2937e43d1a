// Which archive reader a file needs, chosen by its extension: ".LZH" and ".LZS" files, and ".EXE"
// files that carry an LZH archive, are read by the LZH reader; ".ZIP" files by the ZIP reader.
// Each reader provides its creation function below.
#pragma once

#include <memory>

#include "viewer/archive/archive_reader.h"

enum class ArchiveKind { kNone, kLzh, kZip };

// ASCII letters compare without regard to case.
[[nodiscard]] bool EqualsIgnoringCase(const char* a, const char* b);
// The text from the last "." of the path; an empty string when there is none.
const char* PathExtension(const char* path);
ArchiveKind ArchiveKindForPath(const char* path);
// A new reader of that kind over `file` (not owned, and to outlive the reader), or null when it
// cannot be created (memory) or is bad.
[[nodiscard]] std::unique_ptr<ArchiveReader> NewArchiveReader(ArchiveKind kind, SourceReader* file);

// Provided by the LZH reader: true when the file is a program with an LZH archive appended.
[[nodiscard]] bool CheckLzhArchive(const char* path);
// Each null only when memory is short; a reader that cannot read its archive is bad (IsBad).
[[nodiscard]] std::unique_ptr<ArchiveReader> NewLzhReader(SourceReader* file);
// Provided by the ZIP reader.
[[nodiscard]] std::unique_ptr<ArchiveReader> NewZipReader(SourceReader* file);
