// Zelko Filer's refresh: re-arms the change notification of the current directory, reads the
// directory into one block of entries (filtered while reading, every entry that passes, then
// sorted in place) and fills the list with the path ladder and the entries, redrawing off.
#include <algorithm>

#include "platform/win/owners.h"
#include "viewer/filer/filer_entry.h"
#include "viewer/filer/filer_parts_win.h"
#include "viewer/filer/filer_text.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/viewer_globals_win.h"

std::vector<int> FilerColumnPositions;

namespace {

constexpr DWORD kChangeFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                FILE_NOTIFY_CHANGE_LAST_WRITE;

// The current directory; when it is gone (removed while shown), the nearest existing parent
// becomes current first.
std::string ExistingCurrentDirectory() {
  std::string directory = CurrentDirectory();
  for (size_t level = PathLadder(directory).size(); level-- > 1;) {
    DWORD attributes = GetFileAttributesA(directory.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) break;
    std::string parent = PathAtLevel(directory, level - 1);
    if (SetCurrentDirectoryA(parent.c_str())) directory = CurrentDirectory();
  }
  return directory;
}

void RearmChangeNotification(const std::string& directory) {
  DirChangeHandle.Reset();
  if (directory.empty()) return;
  DirChangeHandle.Reset(FindFirstChangeNotificationA(directory.c_str(), FALSE, kChangeFilter));
}

// The platform's name comparison (a WINAPI function on 32-bit Windows, so not itself a
// NameComparison).
int PlatformCompare(const char* a, const char* b) { return lstrcmpA(a, b); }

bool ToEntry(const WIN32_FIND_DATAA& found, FileEntry& entry) {
  if (!SetEntryName(entry, found.cFileName)) return false;
  entry.size = (int64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  entry.attributes = found.dwFileAttributes;
  FILETIME local;
  WORD date = 0, time = 0;
  if (FileTimeToLocalFileTime(&found.ftLastWriteTime, &local)) FileTimeToDosDateTime(&local, &date, &time);
  entry.date = date;
  entry.time = time;
  return true;
}

FilerFilter CurrentFilter() {
  FilerFilter filter;
  filter.customType = FilerCustomType;
  filter.typeFilter = FilerTypeFilter;
  filter.masks = FilerMask;
  filter.masksSize = kFilerMaskSize;
  filter.associated = AssociatedExtensions;
  filter.associatedSize = kAssociatedExtensionsSize;
  return filter;
}

// Every entry of the directory that passes the filter; names beginning with "." are left out.
std::vector<FileEntry> ReadEntries(const std::string& directory) {
  std::vector<FileEntry> entries;
  std::string pattern = JoinPath(directory, "*.*");
  if (pattern.empty()) return entries;
  WIN32_FIND_DATAA found;
  win::FindHandle find(FindFirstFileA(pattern.c_str(), &found));
  if (!find) return entries;
  const FilerFilter filter = CurrentFilter();
  FileEntry entry;
  do {
    if (found.cFileName[0] == '.' || !ToEntry(found, entry)) continue;
    if (PassesFilter(entry, filter)) entries.push_back(entry);
  } while (FindNextFileA(find, &found));
  return entries;
}

int TextWidth(HDC dc, std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
  return size.cx;
}

class ListFiller {
 public:
  ListFiller(HWND list, HDC dc) : list_(list), dc_(dc) {}

  void Add(const std::string& text, uint32_t data) {
    LRESULT index = SendMessageA(list_, LB_ADDSTRING, 0, LPARAM(text.c_str()));
    if (index >= 0) SendMessageA(list_, LB_SETITEMDATA, WPARAM(index), LPARAM(data));
  }
  void AddPathItems(const std::vector<std::string>& ladder) {
    for (size_t level = 0; level < ladder.size(); ++level) {
      int indentation = FilerVertical ? int(level) : 0;
      Add("L" + ladder[level], MakeItemData(int(level), kTypeFolder, indentation));
      widestName_ = std::max(widestName_, TextWidth(dc_, ladder[level]));
    }
  }
  void AddEntries(const std::vector<FileEntry>& entries, int level) {
    int indentation = FilerVertical ? level : 0;
    for (const FileEntry& entry : entries) {
      Add(EntryItemText(entry, FilerInfoColumns),
          MakeItemData(level, TypeCodeOf(entry, AssociatedExtensions, kAssociatedExtensionsSize), indentation));
      widestName_ = std::max(widestName_, TextWidth(dc_, entry.Base()));
      widestExtension_ = std::max(widestExtension_, TextWidth(dc_, entry.Extension()));
    }
  }
  ColumnLayout Columns() const {
    ColumnWidths widths;
    widths.u = TextWidth(dc_, "1234567890");
    widths.widestName = widestName_;
    widths.widestExtension = widestExtension_;
    widths.dot = TextWidth(dc_, ".");
    widths.date = TextWidth(dc_, "  98-76-54");
    widths.time = TextWidth(dc_, "  98:76:54");
    return ColumnPositions(widths, FilerInfoColumns);
  }

 private:
  HWND list_;
  HDC dc_;
  int widestName_ = 0;
  int widestExtension_ = 0;
};

}  // namespace

void RefreshFiler(HWND filer, int select) {
  win::BusyScope<SetBusy> busy;
  HWND list = FilerList(filer);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  if (select == -1) select = int(SendMessageA(list, LB_GETCURSEL, 0, 0));
  SendMessageA(list, LB_RESETCONTENT, 0, 0);

  // A directory too long to be had lists nothing (JoinPath refuses it) and is not watched.
  const std::string directory = ExistingCurrentDirectory();
  RearmChangeNotification(directory);
  const std::vector<std::string> ladder = PathLadder(directory);
  std::vector<FileEntry> entries = ReadEntries(directory);
  SortEntries(entries, FilerSortKey, FilerSortDescending != 0, PlatformCompare);

  win::WindowDC dc(list);
  win::Selection font(dc, FilerFontObject());
  ListFiller filler(list, dc);
  SendMessageA(list, LB_INITSTORAGE, WPARAM(ladder.size() + entries.size()), LPARAM(64 * entries.size()));
  filler.AddPathItems(ladder);
  const int level = int(ladder.size());
  filler.AddEntries(entries, level);

  SetPropA(filer, kLevelProperty, HANDLE(INT_PTR(level)));
  ColumnLayout columns = filler.Columns();
  FilerColumnPositions = columns.positions;
  SetPropA(filer, kPositionsProperty, FilerColumnPositions.data());
  if (!FilerVertical) SendMessageA(list, LB_SETCOLUMNWIDTH, WPARAM(columns.total + 18), 0);

  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  SendMessageA(list, LB_SETCURSEL, WPARAM(select), 0);
  InvalidateRect(list, nullptr, TRUE);
  if (HWND bar = GetDlgItem(filer, IDC_FILER_DRIVE_BAR)) InvalidateRect(bar, nullptr, TRUE);
}
