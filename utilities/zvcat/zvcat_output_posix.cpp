// Linux: standard output written with write(2), and whether it is a UTF-8 terminal.
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

void PrepareTerminal(bool) {}

bool OutputIsUtf8Terminal() { return isatty(STDOUT_FILENO) && LocaleIsUtf8(); }
