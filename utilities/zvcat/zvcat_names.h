// Archive member names as zvcat writes them on disk.  The readers give Shift-JIS names; on
// Linux they are converted to the locale's codeset (UTF-8 in a UTF-8 locale; bytes that do not
// convert become "%XX"), and kept as they are in any other locale.  On Windows they stay
// Shift-JIS, the ANSI code page the file calls take.  The safe-name rules run on the Shift-JIS
// path, and each converted part is checked again.
#pragma once

#include <string>
#include <vector>

// One Shift-JIS name (or path part) as it is written on disk.
std::string DiskName(const std::string& sjisName);

// The parts of the path `stored` is extracted to below the output folder, each converted and
// safe (not empty, no separator, not "." or ".."); false when nothing safe is left.
[[nodiscard]] bool DiskPartsOfMember(const char* stored, std::vector<std::string>& parts);
