// Linux: standard output written with write(2), and whether it is a UTF-8 terminal.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "utilities/zvcat/zvcat_output.h"

OutputWrite WriteStandardOutput(const char* data, size_t length) {
  while (length > 0) {
    ssize_t n = ::write(STDOUT_FILENO, data, length);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EPIPE) return OutputWrite::kPipeClosed;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return OutputWrite::kFailed;
    }
    data += n;
    length -= size_t(n);
  }
  return OutputWrite::kWritten;
}

namespace {

// The errors of a copy that this output or system cannot do at all (a terminal or a pipe, an
// appended file, another file system on an old kernel, a kernel without the call).
bool CopyNotPossible(int error) {
  return error == EINVAL || error == EBADF || error == EXDEV || error == ENOSYS || error == EOPNOTSUPP;
}

}  // namespace

FileCopy CopyFileToStandardOutput(const char* path, uint64_t size) {
  int file = ::open(path, O_RDONLY | O_CLOEXEC);
  if (file < 0) return FileCopy::kNotPossible;
  loff_t offset = 0;
  FileCopy result = FileCopy::kCopied;
  while (uint64_t(offset) < size) {
    ssize_t n = ::copy_file_range(file, &offset, STDOUT_FILENO, nullptr, size_t(size - uint64_t(offset)), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n > 0) continue;
    if (n == 0) {
      result = FileCopy::kFileEnded;
    } else if (offset == 0 && CopyNotPossible(errno)) {
      result = FileCopy::kNotPossible;
    } else {
      RecordLostOutput(errno == EPIPE ? OutputWrite::kPipeClosed : OutputWrite::kFailed, errno);
      result = FileCopy::kWriteFailed;
    }
    break;
  }
  ::close(file);
  return result;
}

void PrepareTerminal(bool) {}

bool OutputIsUtf8Terminal() { return isatty(STDOUT_FILENO) && LocaleIsUtf8(); }
