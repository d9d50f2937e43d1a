// The tiny file API the portable core reads and writes files through.  Two implementations:
// file_api_posix.cpp (Linux) and file_api_win.cpp (Windows, ANSI paths in the code page);
// the calls that can fail go through file_api.cpp, where a test's fault plan can fail them.
#pragma once

#include <cstdint>

namespace fileapi {

using Handle = intptr_t;
constexpr Handle kInvalidHandle = -1;

// Open modes, as the viewer's callers pass them.
constexpr int kReadOnly = 0;          // plain read access
constexpr int kShareDenyNone = 0x40;  // read access, shared with other readers and writers

[[nodiscard]] Handle Open(const char* path, int mode);
// Creates (or truncates) a file for writing; kInvalidHandle on failure.
[[nodiscard]] Handle Create(const char* path);
void Close(Handle handle);
// Bytes read or written; -1 on failure.
[[nodiscard]] int64_t Read(Handle handle, void* buffer, uint32_t count);
[[nodiscard]] int64_t Write(Handle handle, const void* buffer, uint32_t count);
// origin 0 start, 1 current, 2 end; the new position or -1.
[[nodiscard]] int64_t Seek(Handle handle, int64_t offset, int origin);
[[nodiscard]] int64_t Size(Handle handle);

// True when `path` names an existing file that is not a directory.
[[nodiscard]] bool IsRegularFile(const char* path);
[[nodiscard]] bool IsDirectory(const char* path);
[[nodiscard]] bool Delete(const char* path);
// Creates one directory level; true when it exists afterwards.
[[nodiscard]] bool MakeDirectory(const char* path);

// What tells a file apart from another that takes its name later (a log rotated by rename or
// delete and create): its volume and its number there, which stay with the file, and its size.
struct FileIdentity {
  uint64_t volume = 0;
  uint64_t number = 0;
  int64_t size = -1;
  bool plain = false;  // a regular disk file (not a device, a pipe or a directory)
  bool operator==(const FileIdentity&) const = default;
  bool SameFile(const FileIdentity& other) const { return volume == other.volume && number == other.number; }
};
// Looks at the file at `path` without disturbing its writer; false when there is none.
[[nodiscard]] bool Identify(const char* path, FileIdentity& identity);

// The system's own calls under Open, Create, Read, Write and Seek.
namespace system {
[[nodiscard]] Handle Open(const char* path, int mode);
[[nodiscard]] Handle Create(const char* path);
[[nodiscard]] int64_t Read(Handle handle, void* buffer, uint32_t count);
[[nodiscard]] int64_t Write(Handle handle, const void* buffer, uint32_t count);
[[nodiscard]] int64_t Seek(Handle handle, int64_t offset, int origin);
}  // namespace system

}  // namespace fileapi
