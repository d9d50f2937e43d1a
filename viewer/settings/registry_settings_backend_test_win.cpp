// The settings store over the real registry (run under Wine): what the program writes is read
// back with the registry calls, with its types and lengths; values stored by others with the
// wrong type or length are treated as missing; a missing key is created and gives defaults.
#include <windows.h>

#include "platform/win/owners.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "viewer/settings/default_key_table.h"
#include "viewer/settings/key_table.h"
#include "viewer/settings/recent_files.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_key.h"
#include "viewer/settings/settings_store.h"
#include "viewer/settings/settings_win.h"

namespace {

// The Win32 platform, except that the error box is counted instead of shown.
class QuietPlatform : public SettingsPlatform {
 public:
  void ReportBrokenRegistry() override { ++reports; }
  void StockFont(int which, LogFontBytes& font) override { Win32SettingsPlatform().StockFont(which, font); }
  bool EnterDirectory(const char* path) override { return true; }
  void CurrentDirectory(char* buffer, size_t size) override {
    Win32SettingsPlatform().CurrentDirectory(buffer, size);
  }
  int reports = 0;
};

struct StoredValue {
  DWORD type = 0;
  std::vector<uint8_t> bytes;
  bool present = false;
};

class RegistrySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    UseSettingsBackend(&RegistrySettingsBackend(), &platform);
  }
  void TearDown() override {
    UseSettingsBackend(nullptr, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
  }

  static StoredValue Read(const char* name) {
    StoredValue value;
    win::RegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
      value.bytes.resize(size);
      value.present = RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS;
    }
    return value;
  }

  static void Write(const char* name, DWORD type, const void* data, DWORD size) {
    win::RegistryKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }

  static std::vector<uint8_t> Text(const std::string& text) { return {text.begin(), text.end() + 1}; }

  QuietPlatform platform;
};

TEST_F(RegistrySettingsTest, MissingKeyIsCreatedAndSavedValuesHaveTheirTypesAndLengths) {
  LoadSettings(SW_SHOWNORMAL);
  EXPECT_EQ(platform.reports, 0);
  EXPECT_EQ(LineMax, 80);
  EXPECT_EQ(ControlColor, 0xC67635u);
  EXPECT_FALSE(TextFontStored);
  EXPECT_TRUE(SaveSettings());

  StoredValue flags = Read("BooleanOption");
  EXPECT_EQ(flags.type, DWORD(REG_SZ));
  EXPECT_EQ(flags.bytes, Text("1111111101140007F010111101"));
  StoredValue lineMax = Read("LineMax");
  EXPECT_EQ(lineMax.type, DWORD(REG_DWORD));
  EXPECT_EQ(lineMax.bytes, (std::vector<uint8_t>{80, 0, 0, 0}));
  StoredValue color = Read("ControlColor");
  EXPECT_EQ(color.type, DWORD(REG_BINARY));
  EXPECT_EQ(color.bytes, (std::vector<uint8_t>{0x35, 0x76, 0xC6, 0x00}));
  EXPECT_EQ(Read("ToolBarList").bytes.size(), 27u);
  EXPECT_EQ(Read("RMENU2").bytes.size(), 22u);
  EXPECT_EQ(Read("SearchHistory").bytes, Text("Plim\\0\\0"));
  EXPECT_EQ(Read("FilerMask").bytes, Text("ITXT;MAN;DOC|ICPP;C;H;RC|"));
  EXPECT_EQ(Read("WindowLink").bytes, Text("LT|RT|RB|LBR"));
  EXPECT_EQ(Read("Editor").bytes, Text("NOTEPAD.EXE"));
  EXPECT_EQ(Read("LastDir").type, DWORD(REG_SZ));

  StoredValue font = Read("Font");
  EXPECT_EQ(font.type, DWORD(REG_BINARY));
  ASSERT_EQ(font.bytes.size(), 60u);
  LOGFONTA fixed{};
  ASSERT_GT(GetObjectA(GetStockObject(SYSTEM_FIXED_FONT), sizeof fixed, &fixed), 0);
  EXPECT_EQ(std::memcmp(font.bytes.data(), &fixed, 60), 0);
  EXPECT_FALSE(Read("PrevWinRect").present) << "written only when the main window closes";
}

TEST_F(RegistrySettingsTest, StoredValuesAreReadAndMismatchesCountAsMissing) {
  DWORD lineMax = 132;
  Write("LineMax", REG_DWORD, &lineMax, 4);
  Write("TabSize", REG_SZ, "8", 2);
  Write("BackColor", REG_BINARY, "\x01\x02\x03\x04\x05", 5);
  Write("TextColor", REG_BINARY, "\x11\x22\x33\x00", 4);
  std::string longEditor(200, 'e');
  Write("Editor", REG_SZ, longEditor.c_str(), DWORD(longEditor.size() + 1));
  Write("FileMask", REG_SZ, "*.LOG", 6);
  std::vector<uint8_t> longMenu(62, 0xFE);
  Write("RMENU0", REG_BINARY, longMenu.data(), DWORD(longMenu.size()));
  LOGFONTA font{};
  font.lfHeight = -13;
  std::strcpy(font.lfFaceName, "Test Face");
  Write("Font", REG_BINARY, &font, sizeof font);

  LoadSettings(SW_SHOWNORMAL);
  EXPECT_EQ(LineMax, 132);
  EXPECT_EQ(TabSize, 4);
  EXPECT_EQ(BackColor, 0xFFFFFFu);
  EXPECT_EQ(TextColor, 0x332211u);
  EXPECT_STREQ(Editor, "NOTEPAD.EXE");
  EXPECT_STREQ(FileMask, "*.LOG");
  EXPECT_EQ(RightMenus[0][0], 0x66);
  ASSERT_TRUE(TextFontStored);
  LOGFONTA loaded = LogFontFromBytes(TextFont);
  EXPECT_EQ(loaded.lfHeight, -13);
  EXPECT_STREQ(loaded.lfFaceName, "Test Face");
}

TEST_F(RegistrySettingsTest, KeyAssignIsWrittenBackWhenMissingAndReadWhenStored) {
  LoadKeyAssign();
  StoredValue keys = Read("KeyAssign");
  EXPECT_EQ(keys.type, DWORD(REG_BINARY));
  uint8_t image[kKeyTableBytes];
  DefaultKeyTableImage(image);
  EXPECT_EQ(keys.bytes, std::vector<uint8_t>(image, image + kKeyTableBytes));

  const uint8_t record[] = {'K', 0, kModCtrl, 0x39, 0x05};
  Write("KeyAssign", REG_BINARY, record, sizeof record);
  LoadKeyAssign();
  EXPECT_EQ(TranslateKey(KeyTable, 'K', kModCtrl), 0x539);
  EXPECT_EQ(Read("KeyAssign").bytes.size(), sizeof record) << "a stored table is not rewritten";
}

TEST_F(RegistrySettingsTest, RecentFilesAndPlacementsLandAsStrings) {
  EXPECT_TRUE(PushRecentFile("C:\\A.TXT"));
  EXPECT_TRUE(PushRecentFile("C:\\B.TXT"));
  EXPECT_EQ(Read("File00").bytes, Text("C:\\B.TXT"));
  EXPECT_EQ(Read("File01").bytes, Text("C:\\A.TXT"));
  EXPECT_FALSE(Read("File02").present);
  EXPECT_TRUE(SaveMainPlacement({1, 2, 300, 400, 5}));
  EXPECT_EQ(Read("PrevWinRect").bytes.size(), 16u);
  StoredValue style = Read("PrevWinStyle");
  EXPECT_EQ(style.type, DWORD(REG_DWORD));
  EXPECT_EQ(style.bytes, (std::vector<uint8_t>{5, 0, 0, 0}));
}

TEST_F(RegistrySettingsTest, ShiftJisTextsRoundTrip) {
  {
    SettingsKeyScope key;
    ASSERT_TRUE(WriteStringSetting("ClipStr", "》"));
  }
  EXPECT_EQ(Read("ClipStr").bytes, (std::vector<uint8_t>{0x81, 0x74, 0}));
  SettingsKeyScope key;
  char buffer[19];
  ASSERT_TRUE(ReadStringSetting("ClipStr", "", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "》");
}

}  // namespace
