// LoadSettings and SaveSettings.
#include "viewer/settings/settings_store.h"

#include <cstring>

#include "viewer/settings/bar_lists.h"
#include "viewer/settings/boolean_option.h"
#include "viewer/settings/hex_text.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/settings/escaped_list.h"

namespace {

constexpr size_t kLastDirSize = 256;
constexpr const char* kPrevWinRectDefault = "00800000008000000080000000800000";
constexpr const char* kToolBarListDefault = "00FF1C0102FF0407FF1D1E1FFF0B0C0DFF1615FF0E0F10FF1214FE";
constexpr const char* kRightMenuDefaults[kRightMenuCount] = {
    "660067006800FFFFC800FEFF",
    "9600970098009900FFFFA000A100A200A300FFFF09000A000B00FEFF",
    "33003200FFFFC800C900CA00FFFF09000A000B00FEFF",
};
constexpr const char* kRightMenuNames[kRightMenuCount] = {"RMENU0", "RMENU1", "RMENU2"};
constexpr const char* kFilerMaskDefault = "ITXT;MAN;DOC|ICPP;C;H;RC";
constexpr const char* kWindowLinkDefault = "LT|RT|RB|LBR";
constexpr const char kSearchHistoryDefault[] = "Plim\0";
constexpr const char kDirHistoryDefault[] = "C:\\\0";
constexpr uint8_t kToolBarEnd = 0xFE;
constexpr uint16_t kRightMenuEnd = 0xFFFE;

struct DwordSetting {
  const char* name;
  int32_t* value;
  int32_t fallback;
};

const DwordSetting kLayoutDwords[] = {
    {"LineMax", &LineMax, kLineMaxDefault},
    {"Spacing", &Spacing, kSpacingDefault},
    {"RSpacing", &RSpacing, kRSpacingDefault},
    {"LineSpacing", &LineSpacing, kLineSpacingDefault},
    {"TabSize", &TabSize, kTabSizeDefault},
    {"WindowStyle", &WindowStyle, kWindowStyleDefault},
};

struct ColorSetting {
  const char* name;
  uint32_t* value;
  const char* hexDefault;
};

const ColorSetting kColors[] = {
    {"TextColor", &TextColor, "00000000"}, {"ControlColor", &ControlColor, "3576C600"},
    {"LineColor", &LineColor, "D80A8F00"}, {"BackColor", &BackColor, "FFFFFF00"},
    {"CtrlColor", &CtrlColor, "28B00600"},
};

uint32_t LittleEndian32(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

// Reads an exact-length binary value, or decodes its hexadecimal default.
void ReadExactBinary(const char* name, uint8_t* bytes, int length, const char* hexDefault) {
  if (ReadBinarySetting(name, bytes, length) < 0) HexTextToBytes(hexDefault, bytes, length);
}

// A variable-length binary value that must contain its end mark; otherwise its default.
constexpr size_t kLongestMarkedList = 256;

template <typename Entry>
void ReadMarkedList(const char* name, Entry* entries, size_t count, Entry endMark, const char* hexDefault) {
  size_t size = count * sizeof(Entry);
  if (size > kLongestMarkedList) return;
  uint8_t bytes[kLongestMarkedList] = {};
  int read = ReadBinarySetting(name, bytes, -int(size));
  bool hasEnd = false;
  for (int i = 0; i + int(sizeof(Entry)) <= read && !hasEnd; i += int(sizeof(Entry))) {
    Entry entry;
    std::memcpy(&entry, bytes + i, sizeof entry);
    hasEnd = entry == endMark;
  }
  if (!hasEnd) {
    std::memset(bytes, 0, size);
    HexTextToBytes(hexDefault, bytes, int(std::strlen(hexDefault) / 2));
  }
  std::memcpy(entries, bytes, size);
}

// Bytes of a list through its end mark (all of it when the mark is missing).
template <typename Entry>
uint32_t MarkedListBytes(const Entry* entries, size_t count, Entry endMark) {
  for (size_t i = 0; i < count; ++i)
    if (entries[i] == endMark) return uint32_t((i + 1) * sizeof(Entry));
  return uint32_t(count * sizeof(Entry));
}

void ReadFont(const char* name, LogFontBytes& font, bool& stored, int stockFont) {
  stored = ReadBinarySetting(name, font.bytes, kLogFontSize) >= 0;
  SettingsPlatform* platform = CurrentSettingsPlatform();
  if (!stored && platform) platform->StockFont(stockFont, font);
}

void LoadLastDirectory() {
  char lastDir[kLastDirSize];
  ReadStringSetting("LastDir", ".", lastDir, sizeof lastDir);
  if (SettingsPlatform* platform = CurrentSettingsPlatform()) platform->EnterDirectory(lastDir);
}

void LoadPlacementAndLayout(int showCommand) {
  for (const DwordSetting& setting : kLayoutDwords)
    *setting.value = int32_t(ReadDwordSetting(setting.name, uint32_t(setting.fallback)));
  PrevWinStyle = int32_t(ReadDwordSetting("PrevWinStyle", uint32_t(showCommand)));
  uint8_t rect[16];
  ReadExactBinary("PrevWinRect", rect, 16, kPrevWinRectDefault);
  for (int i = 0; i < 4; ++i) PrevWinRect[i] = int32_t(LittleEndian32(rect + 4 * i));
}

void LoadColorsAndBars() {
  for (const ColorSetting& color : kColors) {
    uint8_t bytes[4];
    ReadExactBinary(color.name, bytes, 4, color.hexDefault);
    *color.value = LittleEndian32(bytes);
  }
  ReadMarkedList("ToolBarList", ToolBarList, kToolBarListSize, kToolBarEnd, kToolBarListDefault);
  for (int menu = 0; menu < kRightMenuCount; ++menu)
    ReadMarkedList(kRightMenuNames[menu], RightMenus[menu], kRightMenuEntries, kRightMenuEnd,
                   kRightMenuDefaults[menu]);
}

void LoadTexts() {
  ReadStringSetting("Editor", "NOTEPAD.EXE", Editor, kEditorSize);
  ReadStringSetting("FileMask", "*.*", FileMask, kFileMaskSize);
  // The last byte stays zero so that the list is closed whatever the stored length.
  std::memset(FilerMask, 0, kFilerMaskSize);
  ReadStringSetting("FilerMask", kFilerMaskDefault, FilerMask, kFilerMaskSize - 1);
  FilerMaskFromText(FilerMask, kFilerMaskSize);
  char link[256];
  ReadStringSetting("WindowLink", kWindowLinkDefault, link, sizeof link);
  if (!SplitWindowLink(link, WindowLink)) SplitWindowLink(kWindowLinkDefault, WindowLink);
  ReadStringList("SearchHistory", kSearchHistoryDefault, SearchHistory, kSearchHistorySize);
}

bool WriteColor(const ColorSetting& color) {
  uint8_t bytes[4] = {uint8_t(*color.value), uint8_t(*color.value >> 8), uint8_t(*color.value >> 16),
                      uint8_t(*color.value >> 24)};
  return WriteBinarySetting(color.name, bytes, 4);
}

}  // namespace

void LoadSettings(int showCommand) {
  SettingsKeyScope key;
  char flags[256];
  ReadStringSetting("BooleanOption", "", flags, sizeof flags);
  ApplyBooleanOption(flags);
  if (RememberDirectory) LoadLastDirectory();
  LoadPlacementAndLayout(showCommand);
  LoadColorsAndBars();
  LoadTexts();
  ReadFont("Font", TextFont, TextFontStored, kSystemFixedFont);
  ReadFont("FFont", FilerFont, FilerFontStored, kSystemFont);
}

bool SaveSettings() {
  SettingsKeyScope key;
  // A value that cannot be written does not keep the others from being written.
  bool written = WriteStringSetting("BooleanOption", FormatBooleanOption().c_str());
  char lastDir[kLastDirSize] = ".";
  if (SettingsPlatform* platform = CurrentSettingsPlatform()) platform->CurrentDirectory(lastDir, sizeof lastDir);
  written &= WriteStringSetting("LastDir", lastDir);
  for (const DwordSetting& setting : kLayoutDwords) written &= WriteDwordSetting(setting.name, uint32_t(*setting.value));
  for (const ColorSetting& color : kColors) written &= WriteColor(color);
  written &= WriteBinarySetting("ToolBarList", ToolBarList, MarkedListBytes(ToolBarList, kToolBarListSize, kToolBarEnd));
  for (int menu = 0; menu < kRightMenuCount; ++menu)
    written &= WriteBinarySetting(kRightMenuNames[menu], RightMenus[menu],
                                  MarkedListBytes(RightMenus[menu], kRightMenuEntries, kRightMenuEnd));
  written &= WriteBinarySetting("Font", TextFont.bytes, kLogFontSize);
  written &= WriteBinarySetting("FFont", FilerFont.bytes, kLogFontSize);
  written &= WriteStringSetting("Editor", Editor);
  written &= WriteStringSetting("FileMask", FileMask);
  written &= WriteStringList("SearchHistory", SearchHistory, kSearchHistorySize);
  written &= WriteStringSetting("FilerMask", FilerMaskToText(FilerMask, kFilerMaskSize).c_str());
  written &= WriteStringSetting("WindowLink", JoinWindowLink(WindowLink).c_str());
  return written;
}

void LoadDirHistory(char (&block)[kDirHistorySize]) {
  SettingsKeyScope key;
  ReadStringList("DirHistory", kDirHistoryDefault, block, kDirHistorySize);
}

bool SaveDirHistory(const char (&block)[kDirHistorySize]) {
  SettingsKeyScope key;
  return WriteStringList("DirHistory", block, kDirHistorySize);
}
