// Copying standard input into a temporary file for the commands that read a file.
#include "utilities/zvcat/zvcat_stdin.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_output.h"

namespace {

constexpr unsigned kChunk = 1u << 16;
// A plain word rather than "-": extracted, it names an ordinary file that the shell does not
// take for standard input again.
constexpr char kStandardInputName[] = "stdin";

}  // namespace

StandardInputCopy::~StandardInputCopy() {
  if (!path_.empty()) RemoveInputCopy(path_, handle_);
}

bool StandardInputCopy::Replace(ZvcatOptions& options) {
  if (options.operands.empty() || options.operands.back() != "-") return true;
  if (!CreateInputCopy(path_, handle_)) {
    Report(zvmsg::kStdinNoCopy, SystemReason().c_str());
    path_.clear();
    return false;
  }
  auto buffer = std::make_unique<char[]>(kChunk);
  for (;;) {
    long long got = ReadStandardInput(buffer.get(), kChunk);
    if (got < 0) {
      Report(zvmsg::kStdinUnreadable, SystemReason().c_str());
      return false;
    }
    if (got == 0) break;
    if (WriteInputCopy(handle_, buffer.get(), unsigned(got)) != got) {
      Report(zvmsg::kStdinCopyFailed, SystemReason().c_str());
      return false;
    }
  }
  options.operands.back() = path_;
  options.inputName = kStandardInputName;
  return true;
}
