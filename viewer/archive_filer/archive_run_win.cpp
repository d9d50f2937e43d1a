// Extracting a member to the temporary folder, finding its program and watching it.
#include "platform/win/owners.h"
#include "viewer/archive_filer/archive_run_win.h"

#include <shellapi.h>

#include <cstring>

#include "viewer/archive_filer/archive_copy_dialog_win.h"
#include "viewer/archive_filer/archive_extract_win.h"
#include "viewer/archive_filer/archive_filer_win.h"
#include "viewer/archive/extract_member.h"
#include "viewer/archive/member_path.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/frame/process_watch_win.h"

namespace {

std::string TemporaryDirectory() {
  char path[MAX_PATH] = "";
  DWORD length = GetTempPathA(sizeof path, path);
  if (length == 0 || length >= sizeof path) return {};
  std::string directory = path;
  if (!EndsWithPathSeparator(path)) directory += '\\';
  return directory;
}

// The copy's name in the temporary folder: the member's file name without its folders.
bool TemporaryTarget(const std::string& fileName, std::string& target) {
  std::string relative;
  std::string directory = TemporaryDirectory();
  if (directory.empty() || !MakeSafeMemberPath(fileName.c_str(), relative)) return false;
  target = directory + PathBaseName(relative.c_str());
  return true;
}

ArchiveResult ExtractToTemporary(HWND window, ArchiveReader& reader, int member, const std::string& fileName,
                                 const std::string& target) {
  ArchiveResult opened = reader.OpenMember(member);
  if (opened != ArchiveResult::kOk) return opened;
  ExtractionProgress progress(window);
  return progress.Extract(reader, target.c_str(), fileName.c_str());
}

// Starts the associated program on the copy and hands it to the process watch; false when no
// program is associated or it could not start.
bool StartWatched(const std::string& target) {
  std::string directory = TemporaryDirectory();
  char program[MAX_PATH] = "";
  if (reinterpret_cast<INT_PTR>(FindExecutableA(target.c_str(), directory.c_str(), program)) <= 32) return false;
  // Quoted, so that folders with blanks (the temporary folder often has them) stay one argument.
  std::string commandLine = "\"" + std::string(program) + "\" \"" + target + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                      &process))
    return false;
  win::Handle thread(process.hThread), running(process.hProcess);
  WatchedProcess record;
  record.ProcessHandle = running;
  record.Kind = kWatchDeleteCopy;
  std::strncpy(record.Path, target.c_str(), sizeof record.Path - 1);
  // A full table keeps the copy on disk: nothing would delete it later.
  if (WatchProcess(record)) (void)running.Take();  // the watch table closes it when the program ends
  return true;
}

}  // namespace

void RunArchiveMember(HWND window, int member, const std::string& fileName) {
  if (!DocumentArchive()) return;
  ArchiveCopy archive;
  std::string target;
  ArchiveResult result = archive.get() && TemporaryTarget(fileName, target)
                             ? ExtractToTemporary(window, *archive.get(), member, fileName, target)
                             : ArchiveResult::kCannotCreate;
  if (result == ArchiveResult::kCancelled) return;
  if (result != ArchiveResult::kOk) {
    ShowError(window, "ファイルの展開に失敗しました");
    return;
  }
  if (StartWatched(target)) return;
  ShowError(window, "実行に失敗しました");
  DeleteFileA(target.c_str());
}
