// Following a file that grows (a log still being written): each look compares the file at the
// document's path with what was loaded, appends what it gained, and says when it must be loaded
// afresh because it shrank or its name now holds another file (a rotated log).
#pragma once

#include "platform/file_api.h"
#include "viewer/document/document.h"

struct FollowedFile {
  fileapi::FileIdentity identity;  // the file as the last look found it
};

// Whether the shown document can be followed: a plain file on the disk, not an archive member.
[[nodiscard]] bool CanFollowDocument();
// Remembers the file at the document's path.  kOk; kNotFound when there is none;
// kCannotOpen when the document cannot be followed (see CanFollowDocument).
[[nodiscard]] DocumentResult StartFollowing(FollowedFile& followed);
// One look.  kOk: nothing new, or the new bytes are appended (RowCount grew); kReplaced: load
// the file afresh and start following again; kNotFound: the name holds no file for the moment
// (a rotation under way), nothing changes; kTooLarge or kNoMemory: following must stop, the
// rows so far are kept; kCannotOpen: the document cannot be followed.
[[nodiscard]] DocumentResult LookAtFollowedFile(FollowedFile& followed);
// After kReplaced: loads the file now at the document's name, whole, with its codes detected.
// A new log that so far holds only plain ASCII lines tells no kanji code (detection would take
// it for Shift-JIS); it keeps the code the replaced one was shown in, so that the lines its
// writer appends later are converted as before.  OpenDocument's result.
[[nodiscard]] DocumentResult LoadFollowedFileAfresh();
