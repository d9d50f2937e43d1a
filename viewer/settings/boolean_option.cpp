// Reading and writing the flag string.
#include "viewer/settings/boolean_option.h"

#include <cstring>

#include "viewer/settings/settings_globals.h"

namespace {

enum class FlagForm { kTrueFalse, kDigit, kHexDigit };

struct Flag {
  int32_t* wide;
  uint8_t* narrow;
  FlagForm form;
  int maximum;  // larger values (and negative ones) are not accepted from the stored text
};

constexpr int kAny = 0x7FFFFFFF;

const Flag kFlags[kBooleanOptionCount] = {
    {&ShowCrMarks, nullptr, FlagForm::kTrueFalse, kAny},
    {&ShowTabMarks, nullptr, FlagForm::kTrueFalse, kAny},
    {&ShowControlCodes, nullptr, FlagForm::kTrueFalse, kAny},
    {&CaseSensitive, nullptr, FlagForm::kTrueFalse, kAny},
    {&WrapLines, nullptr, FlagForm::kTrueFalse, kAny},
    {&ShowStatusBar, nullptr, FlagForm::kTrueFalse, kAny},
    {&ShowMenuBar, nullptr, FlagForm::kTrueFalse, kAny},
    {&ToolBarPlacement, nullptr, FlagForm::kDigit, 2},
    {&CopyOnSelect, nullptr, FlagForm::kTrueFalse, kAny},
    {&PureInverseColors, nullptr, FlagForm::kTrueFalse, kAny},
    {&ShowLineNumbers, nullptr, FlagForm::kTrueFalse, kAny},
    {nullptr, &FilerSortKey, FlagForm::kDigit, 4},
    {nullptr, &FilerSortDescending, FlagForm::kDigit, 1},
    {&RegexMode, nullptr, FlagForm::kDigit, 1},
    {&FilerCustomType, nullptr, FlagForm::kHexDigit, 15},
    {nullptr, &FilerInfoColumns, FlagForm::kHexDigit, 15},
    {nullptr, &FilerTypeFilter, FlagForm::kHexDigit, 15},
    {&WindowLinking, nullptr, FlagForm::kTrueFalse, kAny},
    {&SeriousIcons, nullptr, FlagForm::kTrueFalse, kAny},
    {&FilerLowerCase, nullptr, FlagForm::kTrueFalse, kAny},
    {&FilerAtStart, nullptr, FlagForm::kTrueFalse, kAny},
    {&FilerVertical, nullptr, FlagForm::kTrueFalse, kAny},
    {&ShowDriveBar, nullptr, FlagForm::kTrueFalse, kAny},
    {&RememberDirectory, nullptr, FlagForm::kTrueFalse, kAny},
    {&UnownedSubWindows, nullptr, FlagForm::kTrueFalse, kAny},
    {&SpareFlag, nullptr, FlagForm::kTrueFalse, kAny},
};

int CharacterValue(char c) {
  int code = static_cast<unsigned char>(c);
  return code < 'A' ? code - 48 : code - 55;
}

int ValueOf(const Flag& flag) { return flag.wide ? *flag.wide : *flag.narrow; }

void SetValue(const Flag& flag, int value) {
  if (flag.wide) *flag.wide = value;
  else *flag.narrow = uint8_t(value);
}

char CharacterOf(const Flag& flag) {
  int value = ValueOf(flag);
  switch (flag.form) {
    case FlagForm::kTrueFalse: return value ? '1' : '0';
    case FlagForm::kDigit: return char('0' + value);
    case FlagForm::kHexDigit: return "0123456789ABCDEF"[value & 15];
  }
  return '0';
}

}  // namespace

void ApplyBooleanOption(const char* stored) {
  size_t storedLength = std::strlen(stored);
  for (int i = 0; i < kBooleanOptionCount; ++i) {
    int fallback = CharacterValue(kBooleanOptionDefault[i]);
    int value = size_t(i) < storedLength ? CharacterValue(stored[i]) : fallback;
    // A number outside its choices (a damaged text) would index past the tables that use it.
    if (value < 0 || value > kFlags[i].maximum) value = fallback;
    SetValue(kFlags[i], value);
  }
}

std::string FormatBooleanOption() {
  std::string text;
  for (const Flag& flag : kFlags) text += CharacterOf(flag);
  return text;
}
