// Buffered output of zvcat and the record of a lost write.
#include "utilities/zvcat/zvcat_output.h"

#include "utilities/zvcat/zvcat_messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kFlushSize = 1 << 16;

// kWritten until a write to standard output fails; after that, output is dropped.
OutputWrite outputState = OutputWrite::kWritten;

void RecordLostOutput(OutputWrite result, int error) {
  if (outputState != OutputWrite::kWritten) return;
  outputState = result;
  if (result != OutputWrite::kFailed) return;
  Report(zvmsg::kCannotWrite, std::strerror(error));
}

}  // namespace

void ZvcatOutput::Text(const char* text, size_t length) {
  if (utf8_) {
    pending_ += SjisToUtf8(text, length);
  } else {
    pending_.append(text, length);
  }
  if (pending_.size() >= kFlushSize) Flush();
}

void ZvcatOutput::Plain(const char* text, size_t length) {
  pending_.append(text, length);
  if (pending_.size() >= kFlushSize) Flush();
}

void ZvcatOutput::Flush() {
  if (!pending_.empty() && outputState == OutputWrite::kWritten) {
    OutputWrite result = WriteStandardOutput(pending_.data(), pending_.size());
    RecordLostOutput(result, errno);
  }
  pending_.clear();
}

int FinishOutput(int status) {
  // zvcat writes standard output past the C library; anything buffered there is flushed too.
  bool closed = std::fflush(stdout) == 0;
  closed = std::fclose(stdout) == 0 && closed;
  if (!closed) RecordLostOutput(errno == EPIPE ? OutputWrite::kPipeClosed : OutputWrite::kFailed, errno);
  return outputState == OutputWrite::kWritten ? status : 1;
}

bool OutputLost() { return outputState != OutputWrite::kWritten; }
