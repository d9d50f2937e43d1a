/* A fault injector for zvcat's tests on Linux, loaded with LD_PRELOAD.  It counts the calls of
 * one family (open, read, lseek, fstat, stat, write) and makes the n-th fail, or makes every
 * read deliver only a few bytes.  Driven by the environment:
 *   ZV_FAULT_CALL=read ZV_FAULT_AT=3 ZV_FAULT_ERRNO=5   the 3rd read fails with EIO
 *   ZV_FAULT_SHORT=1                                     reads deliver at most 1 byte each
 *   ZV_FAULT_COUNTS=FILE                                 at exit, "family count" lines to FILE
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

enum Family { kOpen, kRead, kSeek, kFstat, kStat, kWrite, kFamilies };
static const char* const kFamilyNames[kFamilies] = {"open", "read", "lseek", "fstat", "stat", "write"};

static long calls[kFamilies];

/* True when this call of `family` is the one to fail (errno is then set). */
static int ShouldFail(enum Family family) {
  long n = ++calls[family];
  const char* name = getenv("ZV_FAULT_CALL");
  const char* at = getenv("ZV_FAULT_AT");
  if (!name || !at || strcmp(name, kFamilyNames[family]) != 0 || atol(at) != n) return 0;
  const char* error = getenv("ZV_FAULT_ERRNO");
  errno = error ? atoi(error) : EIO;
  return 1;
}

static size_t ShortenRead(size_t count) {
  const char* limit = getenv("ZV_FAULT_SHORT");
  size_t most = limit ? (size_t)atol(limit) : 0;
  return most > 0 && count > most ? most : count;
}

static void* Next(const char* symbol) { return dlsym(RTLD_NEXT, symbol); }

static int OpenWithMode(const char* symbol, int dirfd, const char* path, int flags, mode_t mode) {
  if (ShouldFail(kOpen)) return -1;
  if (dirfd == AT_FDCWD && strncmp(symbol, "openat", 6) != 0) {
    int (*real)(const char*, int, ...) = Next(symbol);
    return real(path, flags, mode);
  }
  int (*real)(int, const char*, int, ...) = Next(symbol);
  return real(dirfd, path, flags, mode);
}

static mode_t ModeArgument(int flags, va_list arguments) {
  return (flags & (O_CREAT | O_TMPFILE)) ? (mode_t)va_arg(arguments, int) : 0;
}

int open(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  mode_t mode = ModeArgument(flags, arguments);
  va_end(arguments);
  return OpenWithMode("open", AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  mode_t mode = ModeArgument(flags, arguments);
  va_end(arguments);
  return OpenWithMode("open64", AT_FDCWD, path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  mode_t mode = ModeArgument(flags, arguments);
  va_end(arguments);
  return OpenWithMode("openat", dirfd, path, flags, mode);
}

ssize_t read(int fd, void* buffer, size_t count) {
  if (ShouldFail(kRead)) return -1;
  ssize_t (*real)(int, void*, size_t) = Next("read");
  return real(fd, buffer, ShortenRead(count));
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
  if (ShouldFail(kRead)) return -1;
  ssize_t (*real)(int, void*, size_t, off_t) = Next("pread");
  return real(fd, buffer, ShortenRead(count), offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off64_t offset) {
  if (ShouldFail(kRead)) return -1;
  ssize_t (*real)(int, void*, size_t, off64_t) = Next("pread64");
  return real(fd, buffer, ShortenRead(count), offset);
}

off_t lseek(int fd, off_t offset, int whence) {
  if (ShouldFail(kSeek)) return -1;
  off_t (*real)(int, off_t, int) = Next("lseek");
  return real(fd, offset, whence);
}

off64_t lseek64(int fd, off64_t offset, int whence) {
  if (ShouldFail(kSeek)) return -1;
  off64_t (*real)(int, off64_t, int) = Next("lseek64");
  return real(fd, offset, whence);
}

int fstat(int fd, struct stat* status) {
  if (ShouldFail(kFstat)) return -1;
  int (*real)(int, struct stat*) = Next("fstat");
  return real(fd, status);
}

int fstat64(int fd, struct stat64* status) {
  if (ShouldFail(kFstat)) return -1;
  int (*real)(int, struct stat64*) = Next("fstat64");
  return real(fd, status);
}

int stat(const char* path, struct stat* status) {
  if (ShouldFail(kStat)) return -1;
  int (*real)(const char*, struct stat*) = Next("stat");
  return real(path, status);
}

ssize_t write(int fd, const void* buffer, size_t count) {
  if (ShouldFail(kWrite)) return -1;
  ssize_t (*real)(int, const void*, size_t) = Next("write");
  return real(fd, buffer, count);
}

/* A copy between files inside the system writes the output: it counts as a write, and comes
 * back short as reads do. */
ssize_t copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t count, unsigned flags) {
  if (ShouldFail(kWrite)) return -1;
  ssize_t (*real)(int, off64_t*, int, off64_t*, size_t, unsigned) = Next("copy_file_range");
  return real(in, inOffset, out, outOffset, ShortenRead(count), flags);
}

/* The counts of a run, so that a test knows how many points each family has. */
__attribute__((destructor)) static void WriteCounts(void) {
  const char* path = getenv("ZV_FAULT_COUNTS");
  if (!path) return;
  FILE* file = fopen(path, "w");
  if (!file) return;
  for (int family = 0; family < kFamilies; ++family) fprintf(file, "%s %ld\n", kFamilyNames[family], calls[family]);
  fclose(file);
}
