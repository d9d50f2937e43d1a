// zvcat's output: Shift-JIS bytes as they are, or converted for a UTF-8 terminal (iconv on
// Linux, the code-page calls on Windows).
// A write to standard output that fails is remembered: the first one prints the system's message,
// later output is dropped, and FinishOutput turns the command's status into 1.  A closed pipe
// ends the output quietly (status 1, no message) where the system does not stop zvcat by SIGPIPE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Converts Shift-JIS (CP932) text to UTF-8; bytes that do not convert become U+FFFD.
std::string SjisToUtf8(const char* text, size_t length);

class ZvcatOutput {
 public:
  // Pending output is written once it reaches this size; a piece this large is written at once,
  // without a copy.
  static constexpr size_t kDirectWriteBytes = size_t(1) << 16;

  explicit ZvcatOutput(bool utf8) : utf8_(utf8) {}
  ~ZvcatOutput() { Flush(); }
  ZvcatOutput(const ZvcatOutput&) = delete;
  ZvcatOutput& operator=(const ZvcatOutput&) = delete;
  // Shift-JIS text, converted when the output is UTF-8.
  void Text(const char* text, size_t length);
  // ASCII (numbers, tabs, newlines), or Shift-JIS for a Shift-JIS output: written as it is.
  void Plain(const char* text, size_t length);
  void Plain(const std::string& text) { Plain(text.data(), text.size()); }
  // Writes what is pending; a failure is remembered for FinishOutput.
  void Flush();

 private:
  void WriteNow(const char* data, size_t length);

  bool utf8_;
  std::string pending_;
};

// How a write to standard output ended.
enum class OutputWrite { kWritten, kPipeClosed, kFailed };
// Writes all `length` bytes to standard output at once (no buffer of the C library between).
[[nodiscard]] OutputWrite WriteStandardOutput(const char* data, size_t length);
// How copying a file's bytes to standard output inside the system ended.
enum class FileCopy {
  kCopied,       // all of them
  kNotPossible,  // nothing written: the system cannot copy to this output; write them yourself
  kFileEnded,    // the file ended (or its reading failed) before all of them; what came is written
  kWriteFailed,  // written in part: recorded as a lost output, as WriteStandardOutput's failures
};
// Copies the first `size` bytes of the file `path` to standard output without passing them
// through zvcat, where the system can (Linux, to a file); elsewhere kNotPossible.
[[nodiscard]] FileCopy CopyFileToStandardOutput(const char* path, uint64_t size);
// Records a write to standard output that failed (`error`: the system's error number).
void RecordLostOutput(OutputWrite result, int error);

// The last step of every command: flushes and closes standard output and returns `status`, or 1
// when any output was lost (with the system's message, unless the pipe was closed).
[[nodiscard]] int FinishOutput(int status);

// True once output was lost (a failed write or a closed pipe): nothing more is written.
[[nodiscard]] bool OutputLost();

// Sets up standard output for exact bytes and chooses how messages are written: UTF-8 on
// Linux; on Windows in the console's code page unless the output is asked for in UTF-8.
void PrepareTerminal(bool utf8Output);
// Windows: messages are converted from CP932 to UTF-8 (chosen by PrepareTerminal).
bool MessagesInUtf8();
// The locale's codeset is UTF-8 (Linux; on Windows arguments arrive in the ANSI code page).
bool LocaleIsUtf8();
// Standard output is a terminal that shows UTF-8.
bool OutputIsUtf8Terminal();
