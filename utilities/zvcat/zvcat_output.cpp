// Buffered output of zvcat and its messages.
#include "utilities/zvcat/zvcat_output.h"

#include <cstdio>

namespace {
constexpr size_t kFlushSize = 1 << 16;
}

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
  if (!pending_.empty()) std::fwrite(pending_.data(), 1, pending_.size(), stdout);
  pending_.clear();
  std::fflush(stdout);
}

void PrintMessage(const char* sjisMessage) {
  std::string text = MessagesInUtf8() ? SjisToUtf8(sjisMessage, std::char_traits<char>::length(sjisMessage))
                                      : std::string(sjisMessage);
  std::fprintf(stderr, "zvcat: %s\n", text.c_str());
}
