// Member paths of archives as stored (Shift-JIS, "\" or "/" between the parts, where a trail
// byte 0x5C is part of a character and no separator) and their safe form for extraction: a
// relative path with no drive, no leading separator and no "." or ".." part, joined with the
// platform's separator, that can only name a place under the chosen directory.
#pragma once

#include <string>

// True when the last character of `path` is "\" or "/".
bool EndsWithPathSeparator(const char* path);
// The part after the last separator.
const char* PathBaseName(const char* path);
// The safe relative form of `stored` into `relative`; false (and `relative` empty) when nothing
// is left, for example for "..\..".  Characters that no file name may hold become "_".
bool MakeSafeMemberPath(const char* stored, std::string& relative);
// `directory` + separator + `relative` (just `relative` for an empty directory).
std::string JoinMemberPath(const std::string& directory, const std::string& relative);
// Creates every directory of `relative` below `directory` (the last part too when
// `lastIsDirectory`); false when one cannot be made.
bool MakeMemberDirectories(const std::string& directory, const std::string& relative, bool lastIsDirectory);
