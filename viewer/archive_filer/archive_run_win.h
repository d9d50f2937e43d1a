// Running an archive member: it is extracted into the temporary folder and started with the
// program associated with its type; the process watch deletes the copy when that program ends.
#pragma once

#include <windows.h>

#include <string>

// A double click on a line: `fileName` is the line's name.
void RunArchiveMember(HWND window, int member, const std::string& fileName);
