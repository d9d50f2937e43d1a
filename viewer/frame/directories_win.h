// Paths on the command line and in the filer: whether a path is a directory, and changing
// the current drive and directory.
#pragma once

// True for a drive root "X:\" and for an existing directory.
bool IsDirectoryPath(const char* path);
// Switches to the drive of a leading "X:" first, then to the directory.  True on success.
bool ChangeDirectory(const char* path);
