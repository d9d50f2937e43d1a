// Shift-JIS to UTF-8 through iconv(3), and the locale's codeset.
#include "utilities/zvcat/zvcat_convert_posix.h"

#include <iconv.h>
#include <langinfo.h>

#include <clocale>
#include <cstdio>
#include <cstring>

#include "text/sjis.h"
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

  std::string Convert(const char* text, size_t length, Unconvertible unconvertible) {
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
        size_t skipped = Skip(in, inLeft, unconvertible, out);
        in += skipped;
        inLeft -= skipped;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  // Writes the stand-in for the character at `at` that does not convert; returns its bytes:
  // one, or two for a lead byte with a trail byte after it (a code CP932 leaves unassigned).
  static size_t Skip(const char* at, size_t left, Unconvertible unconvertible, std::string& out) {
    if (unconvertible == Unconvertible::kReplacementCharacter) {
      out += "\xEF\xBF\xBD";
      return 1;
    }
    size_t bytes = IsSjisLead(uint8_t(at[0])) && left > 1 && IsSjisTrail(uint8_t(at[1])) ? 2 : 1;
    for (size_t i = 0; i < bytes; ++i) {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", unsigned(uint8_t(at[i])));
      out += escape;
    }
    return bytes;
  }

  iconv_t handle_;
};

}  // namespace

std::string ConvertSjisToUtf8(const char* text, size_t length, Unconvertible unconvertible) {
  static Converter converter;
  return converter.Convert(text, length, unconvertible);
}

std::string SjisToUtf8(const char* text, size_t length) {
  return ConvertSjisToUtf8(text, length, Unconvertible::kReplacementCharacter);
}

const std::string& LocaleCodeset() {
  // Asked once and put back: the core's byte classes stay those of the "C" locale.
  static const std::string codeset = [] {
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    std::string saved = previous ? previous : "C";
    std::string answer = std::setlocale(LC_CTYPE, "") ? nl_langinfo(CODESET) : "ANSI_X3.4-1968";
    std::setlocale(LC_CTYPE, saved.c_str());
    return answer;
  }();
  return codeset;
}

bool LocaleIsUtf8() { return LocaleCodeset() == "UTF-8"; }
