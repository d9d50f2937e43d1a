// Shift-JIS byte classes, used by everything that walks text: a double-byte character is a
// lead byte followed by a trail byte, and is never split.
#pragma once

#include <cstdint>

constexpr bool IsSjisLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsSjisTrail(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
