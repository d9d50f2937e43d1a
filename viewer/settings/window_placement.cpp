// Window placement values.
#include "viewer/settings/window_placement.h"

#include <cstring>

#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"

namespace {

void PutI32(uint8_t* at, int32_t value) {
  uint32_t v = uint32_t(value);
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}

int32_t GetI32(const uint8_t* at) {
  return int32_t(uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24);
}

}  // namespace

int ShowStateOf(bool maximized, bool minimized) {
  return maximized ? kShowMaximized : minimized ? kShowMinimized : kShowNormal;
}

void EncodeWindowPlacement(const WindowPlacementValue& placement, uint8_t bytes[kPlacementValueSize]) {
  PutI32(bytes, placement.left);
  PutI32(bytes + 4, placement.top);
  PutI32(bytes + 8, placement.width);
  PutI32(bytes + 12, placement.height);
  bytes[16] = placement.showState;
}

WindowPlacementValue DecodeWindowPlacement(const uint8_t bytes[kPlacementValueSize]) {
  return {GetI32(bytes), GetI32(bytes + 4), GetI32(bytes + 8), GetI32(bytes + 12), bytes[16]};
}

bool ReadWindowPlacement(const char* name, WindowPlacementValue& placement) {
  uint8_t bytes[kPlacementValueSize];
  if (ReadBinarySetting(name, bytes, kPlacementValueSize) < 0) return false;
  placement = DecodeWindowPlacement(bytes);
  return true;
}

bool WriteWindowPlacement(const char* name, const WindowPlacementValue& placement) {
  uint8_t bytes[kPlacementValueSize];
  EncodeWindowPlacement(placement, bytes);
  return WriteBinarySetting(name, bytes, kPlacementValueSize);
}

bool SaveMainPlacement(const WindowPlacementValue& placement) {
  PrevWinRect[0] = placement.left;
  PrevWinRect[1] = placement.top;
  PrevWinRect[2] = placement.width;
  PrevWinRect[3] = placement.height;
  PrevWinStyle = placement.showState;
  uint8_t bytes[kPlacementValueSize];
  EncodeWindowPlacement(placement, bytes);
  SettingsKeyScope key;
  bool written = WriteBinarySetting("PrevWinRect", bytes, 16);
  return WriteDwordSetting("PrevWinStyle", uint32_t(PrevWinStyle)) && written;
}
