// The archive filer: the top-level window "ZelkoView!ArchFiler" that lists the members of the
// archive the viewer shows, beside the viewer.  Selecting a line shows that member, a double
// click runs it from a temporary copy, and the checked members can be extracted into a folder.
// The document loader opens it; opening another file or closing the viewer destroys it.
#pragma once

#include <windows.h>

#include "viewer/archive/archive_reader.h"

LRESULT CALLBACK ArchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the archive filer for the document's archive and selects the line of `member`.
void OpenArchiveFiler(int member);
// Destroys this process's archive filer, if any.
void CloseArchiveFiler();
// Command 104: shows and activates the archive filer; without one, Zelko Filer, and without
// that too, opens Zelko Filer (command 100).
void ArchiveFilerCommand(HWND mainWindow);
// Menu item 104 is enabled while the archive filer exists.
void UpdateArchiveFilerMenuItem(HMENU menu);
// The reader the archive filer lists: the document's source while it shows a member.
ArchiveReader* DocumentArchive();
