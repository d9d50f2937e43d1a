// Loading and matching the key table.
#include "viewer/settings/key_table.h"

#include <cstring>

#include "viewer/settings/default_key_table.h"
#include "viewer/settings/settings_key.h"

KeyRecord KeyTable[kKeyRecordCount];

void LoadKeyAssign() {
  static_assert(sizeof KeyTable == kKeyTableBytes);
  SettingsKeyScope key(/*quiet=*/true);
  uint8_t image[kKeyTableBytes] = {};
  if (ReadBinarySetting(kKeyAssignValue, image, -kKeyTableBytes) < 0) {
    DefaultKeyTableImage(image);
    (void)WriteBinarySetting(kKeyAssignValue, image, kKeyTableBytes);  // best effort: the defaults apply either way
  }
  std::memcpy(KeyTable, image, kKeyTableBytes);
}

int TranslateKey(const KeyRecord (&table)[kKeyRecordCount], uint16_t virtualKey, uint8_t modifiers) {
  for (const KeyRecord& record : table) {
    if (record.virtualKey == 0) break;
    if (record.virtualKey == virtualKey && record.modifiers == modifiers) return record.command;
  }
  return kNoCommand;
}
