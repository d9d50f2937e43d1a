// Which archive reader a file needs.  By its extension first, as always: ".LZH" and ".LZS"
// files, and ".EXE" files that carry an LZH archive, are read by the LZH reader; ".ZIP" files
// by the ZIP reader.  Any other file by its contents: the gzip signature (a gzip file, or a
// tar archive inside one), an LZH header at the start whose checksum holds, a tar header
// whose checksum holds, or a ZIP end record (".jar", ".docx", ".epub" and the like).
// Each reader provides its creation function below.
#pragma once

#include <memory>

#include "viewer/archive/archive_reader.h"

enum class ArchiveKind { kNone, kLzh, kZip, kGzip, kTar };

// ASCII letters compare without regard to case.
[[nodiscard]] bool EqualsIgnoringCase(const char* a, const char* b);
// The text from the last "." of the path; an empty string when there is none.
const char* PathExtension(const char* path);
// The kind by the extension rule alone (kNone when the extension names no archive).
ArchiveKind ArchiveKindForPath(const char* path);
// The kind by the extension rule, else by the contents of `file` (the file at `path`).
// kOk with the kind (kNone for a file that is no archive), or kReadFailed when the file could
// not be read (the contents then say nothing).
[[nodiscard]] ArchiveResult DetectArchiveKind(const char* path, SourceReader& file, ArchiveKind& kind);
// A new reader of that kind over `file` (not owned, and to outlive the reader), or null when it
// cannot be created (memory) or is bad.  `path` names a gzip file's member when its header
// does not.
[[nodiscard]] std::unique_ptr<ArchiveReader> NewArchiveReader(ArchiveKind kind, SourceReader* file,
                                                              const char* path = "");

// Provided by the LZH reader: true when the file is a program with an LZH archive appended.
[[nodiscard]] bool CheckLzhArchive(const char* path);
// Each null only when memory is short; a reader that cannot read its archive is bad (IsBad).
[[nodiscard]] std::unique_ptr<ArchiveReader> NewLzhReader(SourceReader* file);
// Provided by the ZIP reader.
[[nodiscard]] std::unique_ptr<ArchiveReader> NewZipReader(SourceReader* file);
