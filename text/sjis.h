// Shift-JIS byte classes, used by everything that walks text: a double-byte character is a
// lead byte followed by a trail byte, and is never split.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

constexpr bool IsSjisLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsSjisTrail(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// The position of the last '\' of a path that separates folders (a '\' that is the second
// byte of a double-byte character does not); npos when there is none.
constexpr size_t LastPathSeparator(std::string_view path) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsSjisLead(uint8_t(path[i])) && i + 1 < path.size()) ++i;
    else if (path[i] == '\\') last = i;
  }
  return last;
}
