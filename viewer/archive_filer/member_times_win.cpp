// Restoring a member's stored date and time on what extraction wrote.
#include "viewer/archive_filer/member_times_win.h"

#include <windows.h>

#include "platform/win/owners.h"

namespace {

// The stamp as a UTC file time; archives store local times (DOS dates) or are read as such.
bool MemberFileTime(const ArchiveEntry& entry, FILETIME& utc) {
  SYSTEMTIME local{};
  local.wYear = WORD(entry.year + 1900);
  local.wMonth = entry.month;
  local.wDay = entry.day;
  local.wHour = entry.hour;
  local.wMinute = entry.minute;
  local.wSecond = entry.second;
  FILETIME localTime{};
  return SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, &utc);
}

}  // namespace

bool SetMemberTime(const std::string& path, const ArchiveEntry& entry, bool folder) {
  FILETIME stamp{};
  if (!MemberFileTime(entry, stamp)) return false;
  win::Handle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, folder ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr));
  if (!file) return false;
  return SetFileTime(file.get(), &stamp, nullptr, &stamp) != 0;
}
