// Extracting the archive filer's checked members into a folder the user chooses: the folder
// chooser "UnPackTo", the same-name question "SameName" with its run-wide answers, the new-name
// dialog "UnpackRename", and the messages of failed members.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/archive/archive_reader.h"

// Keeps the reader's open member and position across an extraction or a run.
class ReaderPlaceScope {
 public:
  explicit ReaderPlaceScope(ArchiveReader& reader)
      : reader_(reader), member_(reader.CurrentMember()), position_(reader.Tell()) {}
  ~ReaderPlaceScope() {
    reader_.OpenMember(member_);
    if (position_ > 0) reader_.Seek(position_, 0);
  }
  ReaderPlaceScope(const ReaderPlaceScope&) = delete;
  ReaderPlaceScope& operator=(const ReaderPlaceScope&) = delete;

 private:
  ArchiveReader& reader_;
  int member_;
  int position_;
};

// Tool button 100 and the key "U": nothing when no line is checked.
void ExtractCheckedMembers(HWND window, HWND list, const std::string& startDirectory);

INT_PTR CALLBACK SameNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK UnpackRenameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK UnpackToDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
