// How the configuration utility turns its dialog fields into "Plim.ini" values (see
// plimcfg_values.h).
#include "utilities/plimcfg/plimcfg_values.h"

#include <cstdint>
#include <cstdio>

namespace plimcfg {

const char* FlagText(bool checked) { return checked ? "1" : "0"; }

std::string FrameSizeText(std::string_view field) {
  size_t begin = field.find_first_not_of(" \t");
  size_t end = field.find_last_not_of(" \t");
  if (begin == std::string_view::npos) return "0";
  std::string_view digits = field.substr(begin, end - begin + 1);
  uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return "0";
    value = value * 10 + uint64_t(c - '0');
    if (value > 2147483647u) return "0";
  }
  char text[16];
  std::snprintf(text, sizeof text, "%d", int(value));
  return text;
}

}  // namespace plimcfg
