// BooleanOption: 26 one-character flags in one REG_SZ text, in the order of the flag
// globals of settings_globals.h.  A stored text shorter than the default is extended with the
// default's characters, so flags added later take their defaults.  UnownedSubWindows (the
// 25th) is off by default: sub-windows are owned by the viewer, so clicking the viewer does
// not bury them behind it.
#pragma once

#include <string>

constexpr const char* kBooleanOptionDefault = "1111111101140007F010111101";
constexpr int kBooleanOptionCount = 26;

// Sets every flag global from the stored text ("" when missing).
void ApplyBooleanOption(const char* stored);
// The 26 characters SaveSettings writes.
std::string FormatBooleanOption();
