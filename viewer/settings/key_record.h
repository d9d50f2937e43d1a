// KeyRecord: one entry of the key table, 5 packed little-endian bytes (the layout of the
// registry value KeyAssign, of the viewer's resource RCDATA 1 and of the key customizer's key
// files): virtual-key code (0 ends the table), modifiers (1 Ctrl, 2 Shift), command code.
#pragma once

#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "KeyRecord is stored little-endian");

constexpr uint8_t kModCtrl = 1;
constexpr uint8_t kModShift = 2;

#pragma pack(push, 1)
struct KeyRecord {
  uint16_t virtualKey;
  uint8_t modifiers;
  uint16_t command;
};
#pragma pack(pop)
static_assert(sizeof(KeyRecord) == 5);

constexpr int kKeyRecordCount = 256;
constexpr int kKeyTableBytes = kKeyRecordCount * int(sizeof(KeyRecord));  // 1280
