// The file API on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_api.h"

namespace fileapi {

Handle system::Open(const char* path, int) {
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kInvalidHandle;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return kInvalidHandle;
  }
  return fd;
}

Handle system::Create(const char* path) {
  int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return fd < 0 ? kInvalidHandle : fd;
}

void Close(Handle handle) {
  if (handle != kInvalidHandle) ::close(int(handle));
}

int64_t system::Read(Handle handle, void* buffer, uint32_t count) {
  auto* out = static_cast<char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    ssize_t n = ::read(int(handle), out + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return done > 0 ? done : -1;
    if (n == 0) break;
    done += n;
  }
  return done;
}

int64_t system::Write(Handle handle, const void* buffer, uint32_t count) {
  auto* in = static_cast<const char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    ssize_t n = ::write(int(handle), in + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return done > 0 ? done : -1;
    done += n;
  }
  return done;
}

int64_t system::Seek(Handle handle, int64_t offset, int origin) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (origin < 0 || origin > 2) return -1;
  off_t position = ::lseek(int(handle), off_t(offset), kWhence[origin]);
  return position < 0 ? -1 : int64_t(position);
}

int64_t Size(Handle handle) {
  struct stat st;
  return ::fstat(int(handle), &st) == 0 ? int64_t(st.st_size) : -1;
}

bool IsRegularFile(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsDirectory(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool Identify(const char* path, FileIdentity& identity) {
  struct stat st;
  if (::stat(path, &st) != 0) return false;
  identity.volume = uint64_t(st.st_dev);
  identity.number = uint64_t(st.st_ino);
  identity.size = int64_t(st.st_size);
  identity.plain = S_ISREG(st.st_mode);
  return true;
}

bool Delete(const char* path) { return ::unlink(path) == 0; }

bool MakeDirectory(const char* path) { return ::mkdir(path, 0755) == 0 || IsDirectory(path); }

}  // namespace fileapi
