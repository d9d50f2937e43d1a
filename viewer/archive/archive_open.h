// Which archive reader a file needs, chosen by its extension: ".LZH" and ".LZS" files, and ".EXE"
// files that carry an LZH archive, are read by the LZH reader; ".ZIP" files by the ZIP reader.
// Each reader provides its creation function below.
#pragma once

#include "viewer/archive/archive_reader.h"

enum class ArchiveKind { kNone, kLzh, kZip };

// ASCII letters compare without regard to case.
bool EqualsIgnoringCase(const char* a, const char* b);
// The text from the last "." of the path; an empty string when there is none.
const char* PathExtension(const char* path);
ArchiveKind ArchiveKindForPath(const char* path);
// A new reader of that kind over `file` (not owned), or null when it cannot be created or is bad.
ArchiveReader* NewArchiveReader(ArchiveKind kind, SourceReader* file);

// Provided by the LZH reader: true when the file is a program with an LZH archive appended.
bool CheckLzhArchive(const char* path);
ArchiveReader* NewLzhReader(SourceReader* file);
// Provided by the ZIP reader.
ArchiveReader* NewZipReader(SourceReader* file);
