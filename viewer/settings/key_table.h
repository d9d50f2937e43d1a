// The key table in use (KeyTable), its loading from the setting KeyAssign, and the lookup of
// a key press.  The records are matched in order; the first record with key 0 ends the table.
#pragma once

#include <cstdint>

#include "viewer/settings/key_record.h"

extern KeyRecord KeyTable[kKeyRecordCount];

// The setting that holds the key table (REG_BINARY, 1280 bytes); the key customizer writes it.
constexpr char kKeyAssignValue[] = "KeyAssign";

// Reads KeyAssign into KeyTable.  When the value (or the key) is missing, larger than 1280
// bytes or unreadable, the default table is used and written back as KeyAssign.  A stored
// table is trusted as it is; a shorter one is padded with zero records.
void LoadKeyAssign();

constexpr int kNoCommand = -1;

// The command code of the first record whose key equals virtualKey and whose modifier byte
// equals modifiers exactly; kNoCommand when none does.
int TranslateKey(const KeyRecord (&table)[kKeyRecordCount], uint16_t virtualKey, uint8_t modifiers);

// The modifiers held down now (kModCtrl, kModShift), asked of the keyboard; implemented by the
// Win32 layer (key_modifiers_win.cpp).
uint8_t CurrentKeyModifiers();
