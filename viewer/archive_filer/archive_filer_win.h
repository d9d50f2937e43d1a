// The archive filer: the top-level window "ZelkoView!ArchFiler" that lists the members of the
// archive the viewer shows, beside the viewer.  Selecting a line shows that member, a double
// click runs it from a temporary copy, and the checked members can be extracted into a folder.
// The document loader opens it; opening another file or closing the viewer destroys it.
#pragma once

#include <windows.h>

#include <memory>

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

// A reader of its own over the shown archive, for an extraction or a run: the document's
// reader, which the viewer may still be loading from (a repaint loads rows), is never moved.
class ArchiveCopy {
 public:
  ArchiveCopy();
  ~ArchiveCopy();
  ArchiveCopy(const ArchiveCopy&) = delete;
  ArchiveCopy& operator=(const ArchiveCopy&) = delete;
  // Null when the archive cannot be read again.
  ArchiveReader* get() const { return reader_.get(); }

 private:
  std::unique_ptr<SourceReader> file_;
  std::unique_ptr<ArchiveReader> reader_;  // deleted before the file it reads
};
