// The temporary copy of standard input on Linux: a file removed from its folder as soon as it
// is made and reached through /dev/fd, so nothing is left behind however zvcat ends.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "utilities/zvcat/zvcat_stdin.h"

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) != 0; }

bool CreateInputCopy(std::string& path, int& handle) {
  const char* folder = std::getenv("TMPDIR");
  std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/zvcat-stdin-XXXXXX";
  handle = mkstemp(pattern.data());
  if (handle < 0) return false;
  (void)unlink(pattern.c_str());
  path = "/dev/fd/" + std::to_string(handle);
  return true;
}

long long ReadStandardInput(void* buffer, unsigned count) {
  for (;;) {
    ssize_t got = read(STDIN_FILENO, buffer, count);
    if (got >= 0 || errno != EINTR) return got;
  }
}

long long WriteInputCopy(int handle, const void* buffer, unsigned count) {
  const char* at = static_cast<const char*>(buffer);
  unsigned left = count;
  while (left) {
    ssize_t put = write(handle, at, left);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return -1;
    at += put;
    left -= unsigned(put);
  }
  return count;
}

void RemoveInputCopy(const std::string&, int handle) {
  if (handle >= 0) close(handle);
}
