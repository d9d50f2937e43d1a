// Shift-JIS to UTF-8 through iconv(3) on Linux, the locale's and terminal's codeset, and
// standard output written with write(2).
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>

#include "utilities/zvcat/zvcat_output.h"

namespace {

class Converter {
 public:
  Converter() : handle_(iconv_open("UTF-8", "CP932")) {}
  ~Converter() {
    if (handle_ != iconv_t(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Convert(const char* text, size_t length) {
    std::string out;
    if (handle_ == iconv_t(-1)) return std::string(text, length);
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, sizeof buffer - outLeft);
      if (result == size_t(-1) && outLeft == sizeof buffer && inLeft > 0) {
        out += "\xEF\xBF\xBD";  // U+FFFD for a byte that does not convert
        ++in;
        --inLeft;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string SjisToUtf8(const char* text, size_t length) {
  static Converter converter;
  return converter.Convert(text, length);
}

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
bool MessagesInUtf8() { return true; }

bool LocaleIsUtf8() {
  // Asked once and put back: the core's byte classes stay those of the "C" locale.
  static const bool utf8 = [] {
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    std::string saved = previous ? previous : "C";
    bool answer = std::setlocale(LC_CTYPE, "") && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_CTYPE, saved.c_str());
    return answer;
  }();
  return utf8;
}

bool OutputIsUtf8Terminal() { return isatty(STDOUT_FILENO) && LocaleIsUtf8(); }
