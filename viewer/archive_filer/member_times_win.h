// Extracted files and folders take the date and time the archive stores for their member, as
// every archiver restores them.
#pragma once

#include <string>

#include "viewer/archive/archive_reader.h"

// Sets the last-write (and creation) time of `path` to the member's stamp, read as local time;
// `folder` opens a directory.  False when the stamp is not a date or the time cannot be set.
bool SetMemberTime(const std::string& path, const ArchiveEntry& entry, bool folder);
