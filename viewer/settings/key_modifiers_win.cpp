// The modifier keys held down at the time of the call, for the key table lookup.
#include <windows.h>

#include "viewer/settings/key_table.h"

uint8_t CurrentKeyModifiers() {
  uint8_t modifiers = 0;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) modifiers |= kModShift;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) modifiers |= kModCtrl;
  return modifiers;
}
