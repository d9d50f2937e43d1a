// The extraction run of the checked members and its dialogs.
#include "platform/win/owners.h"
#include "viewer/archive_filer/archive_extract_win.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "viewer/archive_filer/archive_copy_dialog_win.h"
#include "viewer/archive_filer/archive_filer_win.h"
#include "viewer/archive/archive_list.h"
#include "viewer/archive_filer/archive_list_box_win.h"
#include "viewer/archive_filer/member_times_win.h"
#include "viewer/archive/extract_member.h"
#include "viewer/archive/member_path.h"
#include "text/sjis.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/frame/dialogs_win.h"

namespace {

constexpr char kChooserTitle[] = "解凍先のディレクトリを指定してください";
constexpr char kExtractFailed[] = "%sの展開に失敗しました";
constexpr char kRunStopped[] = "展開を中止しました。%d個のファイルを展開しました。";
constexpr int kNewNameSize = 256;

// The same-name answers; the dialog's buttons end it with these values.
enum SameNameAnswer { kOverwrite = 0, kRename = 1, kStopRun = 2, kOverwriteAll = 3, kSkip = 4 };
enum ClashOutcome { kExtract, kSkipMember, kStop };

struct SameNameTexts {
  std::string existingName, existingStamp, memberName, memberStamp;
};

// The names each target folder holds, read once per folder and run: under Wine asking for one
// missing name reads the whole folder (names differ in case only there), so asking for every
// member of a large archive would read a growing folder thousands of times.
class FolderIndex {
 public:
  bool Contains(const std::string& path) {
    auto [folder, name] = Split(path);
    return Names(folder).count(Key(name)) != 0;
  }
  void Add(const std::string& path) {
    auto [folder, name] = Split(path);
    Names(folder).insert(Key(name));
  }

 private:
  static std::pair<std::string, std::string> Split(const std::string& path) {
    size_t base = size_t(PathBaseName(path.c_str()) - path.c_str());
    return {path.substr(0, base), path.substr(base)};
  }
  // Names compare without regard to the case of their single-byte letters.
  static std::string Key(const std::string& name) {
    std::string key = name;
    for (size_t i = 0; i < key.size(); ++i) {
      if (IsSjisLead(uint8_t(key[i])) && i + 1 < key.size()) {
        ++i;
      } else if (key[i] >= 'a' && key[i] <= 'z') {
        key[i] = char(key[i] - 32);
      }
    }
    return key;
  }
  // Hidden and system items are not looked for.
  std::set<std::string>& Names(const std::string& folder) {
    auto [at, added] = folders_.try_emplace(folder);
    if (!added) return at->second;
    WIN32_FIND_DATAA found;
    win::FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search) return at->second;
    do {
      if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        at->second.insert(Key(found.cFileName));
    } while (FindNextFileA(search, &found));
    return at->second;
  }
  std::map<std::string, std::set<std::string>> folders_;
};

// The run: the chosen folder, the member being extracted, the run-wide "overwrite all" and
// what the target folders hold.
struct ExtractionRun {
  HWND window = nullptr;
  std::string directory;
  ArchiveEntry entry;
  bool overwriteAll = false;
  FolderIndex existing;
  ExtractionProgress* progress = nullptr;
  // Folder entries made, stamped once the run is over (files written into a folder afterwards
  // would move its time again).
  std::vector<std::pair<std::string, ArchiveEntry>> folders;
  int extracted = 0;             // members written so far
  bool stoppedByAnswer = false;  // the same-name question was answered with stop (or Esc)
};

// The folder the last extraction went to: the chooser opens there next time, so a second OK
// extracts where the first one did.
std::string LastExtractionFolder;

void StampFolders(const ExtractionRun& run) {
  for (auto it = run.folders.rbegin(); it != run.folders.rend(); ++it) SetMemberTime(it->first, it->second, true);
}

void ShowMemberFailure(HWND window, const std::string& name) {
  char text[400];
  std::snprintf(text, sizeof text, kExtractFailed, name.c_str());
  ShowError(window, text);
}

// A file or directory of that name (hidden and system items are not looked for), and what the
// same-name question shows of it.
bool FindItem(ExtractionRun& run, const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& found) {
  return run.existing.Contains(path) && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &found);
}

ItemStamp StampOf(const WIN32_FILE_ATTRIBUTE_DATA& found) {
  FILETIME local{};
  SYSTEMTIME time{};
  FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &time);
  bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return {directory, found.nFileSizeLow, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

int AskSameName(const ExtractionRun& run, const WIN32_FILE_ATTRIBUTE_DATA& existing, const std::string& name) {
  ItemStamp existingStamp = StampOf(existing);
  SameNameTexts texts{FormatItemName(name.c_str()), FormatItemStamp(existingStamp), FormatItemName(name.c_str()),
                      FormatItemStamp(MemberStamp(run.entry, existingStamp.directory))};
  return int(RunDialog(IDD_SAME_NAME, run.window, SameNameDialogProc, reinterpret_cast<LPARAM>(&texts)));
}

// The new name the user types for a member; false when cancelled.
bool AskNewName(HWND window, std::string& name) {
  char text[kNewNameSize] = "";
  std::strncpy(text, name.c_str(), sizeof text - 1);
  if (RunDialog(IDD_UNPACK_RENAME, window, UnpackRenameDialogProc, reinterpret_cast<LPARAM>(text)) != 0) return false;
  name = text;
  return true;
}

// Asks what to do while the target exists; `name` and `relative` follow a rename.
ClashOutcome ResolveNameClash(ExtractionRun& run, std::string& name, std::string& relative) {
  WIN32_FILE_ATTRIBUTE_DATA existing;
  while (FindItem(run, JoinMemberPath(run.directory, relative), existing)) {
    if (run.progress) run.progress->ShowMember(name.c_str());  // the member asked about, behind the question
    switch (AskSameName(run, existing, name)) {
      case kOverwrite:
        return kExtract;
      case kRename: {
        std::string proposed = name;
        std::string safe;
        if (!AskNewName(run.window, proposed) || !MakeSafeMemberPath(proposed.c_str(), safe)) break;
        name = proposed;
        relative = safe;
        break;
      }
      case kOverwriteAll:
        run.overwriteAll = true;
        return kExtract;
      case kSkip:
        return kSkipMember;
      default:
        return kStop;
    }
  }
  return kExtract;
}

// Extracts the member of one checked line; false when the run stops.
bool ExtractLine(ExtractionRun& run, ArchiveReader& reader, ExtractionProgress& progress, HWND list, int line) {
  int member = MemberOfLine(list, line);
  std::string name = FileNameOfLine(list, line);
  std::string relative;
  if (reader.GetEntry(member, run.entry) != ArchiveResult::kOk || !MakeSafeMemberPath(name.c_str(), relative)) {
    ShowMemberFailure(run.window, name);
    return true;
  }
  if (IsArchiveFolderEntry(run.entry)) {
    if (!MakeMemberDirectories(run.directory, relative, true)) {
      ShowMemberFailure(run.window, name);
    } else {
      run.folders.emplace_back(JoinMemberPath(run.directory, relative), run.entry);
    }
    return true;
  }
  if (!run.overwriteAll) {
    ClashOutcome outcome = ResolveNameClash(run, name, relative);
    run.stoppedByAnswer = outcome == kStop;
    if (outcome != kExtract) return outcome == kSkipMember;
  }
  std::string target = JoinMemberPath(run.directory, relative);
  ArchiveResult result = ArchiveResult::kCannotCreate;
  if (reader.OpenMember(member) == ArchiveResult::kOk && MakeMemberDirectories(run.directory, relative, false))
    result = progress.Extract(reader, target.c_str(), name.c_str());
  if (progress.Cancelled()) return false;
  if (result != ArchiveResult::kOk) {
    ShowMemberFailure(run.window, name);
    return true;
  }
  run.existing.Add(target);
  SetMemberTime(target, run.entry, false);
  ++run.extracted;
  return true;
}

// The folder chooser: the file-open dialog with the template "UnPackTo"; false when cancelled.
bool AskTargetDirectory(HWND window, const std::string& start, std::string& directory) {
  char saved[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof saved, saved);
  char file[MAX_PATH] = "";
  char chosen[MAX_PATH] = "";
  OPENFILENAMEA dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = window;
  dialog.hInstance = GetModuleHandleA(nullptr);
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  dialog.lpstrTitle = kChooserTitle;
  dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_NOVALIDATE;
  dialog.lpTemplateName = IDD_UNPACK_TO;
  dialog.lpfnHook = UnpackToDialogProc;
  dialog.lCustData = reinterpret_cast<LPARAM>(chosen);
  GetOpenFileNameA(&dialog);
  if (saved[0]) SetCurrentDirectoryA(saved);
  if (!chosen[0]) return false;
  directory = chosen;
  if (!EndsWithPathSeparator(chosen)) directory += '\\';
  return true;
}

void OnSameNameInit(HWND dialog, const SameNameTexts* texts) {
  SetDlgItemTextA(dialog, IDC_SAME_NAME_EXISTING, texts->existingName.c_str());
  SetDlgItemTextA(dialog, IDC_SAME_NAME_EXISTING_STAMP, texts->existingStamp.c_str());
  SetDlgItemTextA(dialog, IDC_SAME_NAME_MEMBER, texts->memberName.c_str());
  SetDlgItemTextA(dialog, IDC_SAME_NAME_MEMBER_STAMP, texts->memberStamp.c_str());
}

int SameNameAnswerOf(int button) {
  switch (button) {
    case IDC_SAME_NAME_OVERWRITE: return kOverwrite;
    case IDC_SAME_NAME_RENAME: return kRename;
    case IDC_SAME_NAME_ALL: return kOverwriteAll;
    case IDC_SAME_NAME_SKIP: return kSkip;
    case IDC_CANCEL: return kStopRun;
    default: return -1;
  }
}

}  // namespace

void ExtractCheckedMembers(HWND window, HWND list, const std::string& startDirectory) {
  std::vector<int> lines = CheckedLines(list);
  if (lines.empty() || !DocumentArchive()) return;
  ExtractionRun run;
  run.window = window;
  if (!AskTargetDirectory(window, LastExtractionFolder.empty() ? startDirectory : LastExtractionFolder, run.directory))
    return;
  LastExtractionFolder = run.directory;
  ArchiveCopy archive;
  ArchiveReader* reader = archive.get();
  if (!reader) {
    ShowMemberFailure(window, FileNameOfLine(list, lines.front()));
    return;
  }
  {
    ExtractionProgress progress(window);
    run.progress = &progress;
    for (int line : lines)
      if (!ExtractLine(run, *reader, progress, list, line)) break;
    run.progress = nullptr;
  }
  StampFolders(run);
  // A stop asked for at a same-name question is said, once the filer is usable again.
  if (run.stoppedByAnswer) {
    char text[120];
    std::snprintf(text, sizeof text, kRunStopped, run.extracted);
    ShowInformation(window, text);
  }
}

INT_PTR CALLBACK SameNameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnSameNameInit(dialog, reinterpret_cast<const SameNameTexts*>(lParam));
      return TRUE;
    case WM_COMMAND: {
      int answer = SameNameAnswerOf(LOWORD(wParam));
      if (answer >= 0) EndDialog(dialog, answer);
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK UnpackRenameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetPropA(dialog, "Name", reinterpret_cast<HANDLE>(lParam));
      SetDlgItemTextA(dialog, IDC_UNPACK_RENAME_NAME, reinterpret_cast<const char*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_OK) {
        GetDlgItemTextA(dialog, IDC_UNPACK_RENAME_NAME, static_cast<char*>(GetPropA(dialog, "Name")), kNewNameSize);
        EndDialog(dialog, 0);
      } else if (LOWORD(wParam) == IDC_CANCEL) {
        EndDialog(dialog, 1);
      }
      return TRUE;
    case WM_DESTROY:
      RemovePropA(dialog, "Name");
      return FALSE;
  }
  return FALSE;
}

UINT_PTR CALLBACK UnpackToDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetPropA(dialog, "Chosen", reinterpret_cast<HANDLE>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData));
      SetDlgItemTextA(dialog, IDC_UNPACK_TO_FILE_NAME, "Dummy");
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_OK) return FALSE;
      GetDlgItemTextA(dialog, IDC_UNPACK_TO_FOLDER, static_cast<char*>(GetPropA(dialog, "Chosen")), MAX_PATH);
      EndDialog(dialog, IDC_OK);
      return TRUE;
    case WM_DESTROY:
      RemovePropA(dialog, "Chosen");
      return FALSE;
  }
  return FALSE;
}
