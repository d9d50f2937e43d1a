// The file API on Windows: ANSI paths (the code page is Shift-JIS on a Japanese system).
#include <windows.h>

#include "platform/file_api.h"

namespace fileapi {
namespace {

HANDLE ToWin(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

Handle FromWin(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kInvalidHandle : reinterpret_cast<Handle>(handle);
}

}  // namespace

Handle system::Open(const char* path, int mode) {
  DWORD share = (mode & kShareDenyNone) ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                                        : FILE_SHARE_READ;
  if (IsDirectory(path)) return kInvalidHandle;
  return FromWin(CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
}

Handle system::Create(const char* path) {
  return FromWin(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
}

void Close(Handle handle) {
  if (handle != kInvalidHandle) CloseHandle(ToWin(handle));
}

int64_t system::Read(Handle handle, void* buffer, uint32_t count) {
  DWORD done = 0;
  if (!ReadFile(ToWin(handle), buffer, count, &done, nullptr)) return -1;
  return done;
}

int64_t system::Write(Handle handle, const void* buffer, uint32_t count) {
  DWORD done = 0;
  if (!WriteFile(ToWin(handle), buffer, count, &done, nullptr)) return -1;
  return done;
}

int64_t system::Seek(Handle handle, int64_t offset, int origin) {
  static const DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  if (origin < 0 || origin > 2) return -1;
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(ToWin(handle), distance, &position, kMethod[origin])) return -1;
  return position.QuadPart;
}

int64_t Size(Handle handle) {
  LARGE_INTEGER size;
  return GetFileSizeEx(ToWin(handle), &size) ? size.QuadPart : -1;
}

bool IsRegularFile(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Identify(const char* path, FileIdentity& identity) {
  // Opened as the document is, shared for reading, writing and deletion: the writer is never
  // refused anything.  (A directory does not open.)
  Handle file = system::Open(path, kShareDenyNone);
  if (file == kInvalidHandle) return false;
  BY_HANDLE_FILE_INFORMATION information;
  bool known = GetFileInformationByHandle(ToWin(file), &information) != 0;
  if (known) {
    identity.volume = information.dwVolumeSerialNumber;
    identity.number = (uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    identity.size = (int64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    identity.plain = GetFileType(ToWin(file)) == FILE_TYPE_DISK;
  }
  Close(file);
  return known;
}

bool Delete(const char* path) { return DeleteFileA(path) != 0; }

bool MakeDirectory(const char* path) { return CreateDirectoryA(path, nullptr) || IsDirectory(path); }

}  // namespace fileapi
