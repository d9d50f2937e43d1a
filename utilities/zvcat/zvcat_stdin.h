// zvcat reading standard input: `zvcat -`, or no file operand while standard input is not a
// terminal.  The input is copied into a temporary file first, so that every command reads it
// as it reads a file (detection, conversion, gzip and tar by their contents, seeks); the file
// is gone when zvcat ends.
#pragma once

#include <string>

#include "utilities/zvcat/zvcat_options.h"

// True when standard input is a terminal (nothing is piped or redirected into zvcat).
bool StandardInputIsTerminal();

// The temporary copy of standard input; removed on destruction.
class StandardInputCopy {
 public:
  StandardInputCopy() = default;
  ~StandardInputCopy();
  StandardInputCopy(const StandardInputCopy&) = delete;
  StandardInputCopy& operator=(const StandardInputCopy&) = delete;

  // When the file operand is "-", copies standard input and puts the copy's path in its place.
  // False, after a message, when the copy cannot be made.
  [[nodiscard]] bool Replace(ZvcatOptions& options);

 private:
  std::string path_;
  int handle_ = -1;  // kept open where the copy is reached through it
};

// The platform's half: a new temporary file for the copy (its path, and a handle that may be
// kept), standard input read in binary, and the removal.
[[nodiscard]] bool CreateInputCopy(std::string& path, int& handle);
[[nodiscard]] long long ReadStandardInput(void* buffer, unsigned count);
[[nodiscard]] long long WriteInputCopy(int handle, const void* buffer, unsigned count);
void RemoveInputCopy(const std::string& path, int handle);
