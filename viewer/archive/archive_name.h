// Member names of archives in the program's own code (CP932): names stored in UTF-8 are
// converted as they are read, and every name is cut to fit an ArchiveEntry at a character
// boundary.  Shared by the ZIP, gzip and tar readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "viewer/archive/archive_reader.h"

// True when `name` is well-formed UTF-8 holding at least one non-ASCII character (a name that
// today's tools wrote in UTF-8, not one in Shift-JIS).
bool LooksLikeUtf8Name(const uint8_t* name, size_t length);
// The stored name in CP932: a UTF-8 name is converted (a character CP932 lacks becomes "〓", a
// broken sequence "?"), never longer than it was stored; other names are kept as they are.
std::string MemberNameInCp932(const uint8_t* name, size_t length, bool utf8);
// Puts `name` into the entry's name and path fields, cut at a Shift-JIS character boundary when
// it is longer than they hold.
void SetEntryName(ArchiveEntry& entry, const std::string& name);
