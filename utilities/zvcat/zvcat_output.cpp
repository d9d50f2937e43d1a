// Buffered output of zvcat and the record of a lost write.
#include "utilities/zvcat/zvcat_output.h"

#include "utilities/zvcat/zvcat_messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// kWritten until a write to standard output fails; after that, output is dropped.
OutputWrite outputState = OutputWrite::kWritten;

}  // namespace

void RecordLostOutput(OutputWrite result, int error) {
  if (outputState != OutputWrite::kWritten) return;
  outputState = result;
  if (result != OutputWrite::kFailed) return;
  Report(zvmsg::kCannotWrite, std::strerror(error));
}

void ZvcatOutput::Text(const char* text, size_t length) {
  if (!utf8_) return Plain(text, length);
  pending_ += SjisToUtf8(text, length);
  if (pending_.size() >= kDirectWriteBytes) Flush();
}

void ZvcatOutput::Plain(const char* text, size_t length) {
  if (length >= kDirectWriteBytes) {
    // A large piece goes out as it is, without a copy into the buffer.
    Flush();
    WriteNow(text, length);
    return;
  }
  pending_.append(text, length);
  if (pending_.size() >= kDirectWriteBytes) Flush();
}

void ZvcatOutput::Flush() {
  WriteNow(pending_.data(), pending_.size());
  pending_.clear();
}

void ZvcatOutput::WriteNow(const char* data, size_t length) {
  if (length == 0 || outputState != OutputWrite::kWritten) return;
  OutputWrite result = WriteStandardOutput(data, length);
  RecordLostOutput(result, errno);
}

int FinishOutput(int status) {
  // zvcat writes standard output past the C library; anything buffered there is flushed too.
  bool closed = std::fflush(stdout) == 0;
  closed = std::fclose(stdout) == 0 && closed;
  if (!closed) RecordLostOutput(errno == EPIPE ? OutputWrite::kPipeClosed : OutputWrite::kFailed, errno);
  return outputState == OutputWrite::kWritten ? status : 1;
}

bool OutputLost() { return outputState != OutputWrite::kWritten; }
