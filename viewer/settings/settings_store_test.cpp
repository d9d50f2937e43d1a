// LoadSettings and SaveSettings over the in-memory key: defaults, the fixed orders, the
// stored forms and lengths, values that count as missing; PushRecentFile and placements.
#include "viewer/settings/settings_store.h"

#include "viewer/settings/boolean_option.h"
#include "viewer/settings/recent_files.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_test_support.h"
#include "viewer/settings/escaped_list.h"
#include "viewer/settings/window_placement.h"

namespace {

constexpr int kShowCommandAtStart = 7;

class SettingsStoreTest : public SettingsTest {
 protected:
  void TearDown() override {
    ApplyBooleanOption("");
    SettingsTest::TearDown();
  }
  std::vector<uint8_t> Stored(const char* name) {
    const MemorySettingsBackend::Value* value = store.Find(name);
    return value ? value->bytes : std::vector<uint8_t>{};
  }
};

TEST_F(SettingsStoreTest, EmptyKeyGivesTheDefaults) {
  LoadSettings(kShowCommandAtStart);
  EXPECT_EQ(LineMax, 80);
  EXPECT_EQ(TabSize, 4);
  EXPECT_EQ(WindowStyle, 1);
  EXPECT_EQ(PrevWinStyle, kShowCommandAtStart);
  for (int32_t field : PrevWinRect) EXPECT_EQ(field, 32768);
  EXPECT_EQ(TextColor, 0x000000u);
  EXPECT_EQ(ControlColor, 0xC67635u);  // red 0x35 in the low byte
  EXPECT_EQ(LineColor, 0x8F0AD8u);
  EXPECT_EQ(BackColor, 0xFFFFFFu);
  EXPECT_EQ(CtrlColor, 0x06B028u);
  EXPECT_EQ(ToolBarList[0], 0x00);
  EXPECT_EQ(ToolBarList[2], 0x1C);
  EXPECT_EQ(ToolBarList[26], 0xFE);
  EXPECT_EQ(RightMenus[0][0], 0x66);
  EXPECT_EQ(RightMenus[0][3], 0xFFFF);
  EXPECT_EQ(RightMenus[0][5], 0xFFFE);
  EXPECT_EQ(RightMenus[1][13], 0xFFFE);
  EXPECT_EQ(RightMenus[2][10], 0xFFFE);
  EXPECT_STREQ(Editor, "NOTEPAD.EXE");
  EXPECT_STREQ(FileMask, "*.*");
  EXPECT_EQ(std::string(FilerMask, 26), std::string("ITXT;MAN;DOC\0ICPP;C;H;RC\0\0", 26));
  EXPECT_STREQ(WindowLink[0], "LT");
  EXPECT_STREQ(WindowLink[1], "RT");
  EXPECT_STREQ(WindowLink[2], "RB");
  EXPECT_STREQ(WindowLink[3], "LBR");
  EXPECT_EQ(std::string(SearchHistory, 6), std::string("Plim\0\0", 6));
  EXPECT_FALSE(TextFontStored);
  EXPECT_FALSE(FilerFontStored);
  EXPECT_EQ(TextFont.bytes[0], 0xF0 + kSystemFixedFont);
  EXPECT_EQ(FilerFont.bytes[0], 0xF0 + kSystemFont);
  EXPECT_EQ(platform.enteredDirectories, std::vector<std::string>{"."});
}

TEST_F(SettingsStoreTest, LoadsInItsFixedOrder) {
  LoadSettings(kShowCommandAtStart);
  std::vector<std::string> expected = {
      "BooleanOption", "LastDir", "LineMax", "Spacing", "RSpacing", "LineSpacing", "TabSize",
      "WindowStyle", "PrevWinStyle", "PrevWinRect", "TextColor", "ControlColor", "LineColor",
      "BackColor", "CtrlColor", "ToolBarList", "RMENU0", "RMENU1", "RMENU2", "Editor", "FileMask",
      "FilerMask", "WindowLink", "SearchHistory", "Font", "FFont"};
  EXPECT_EQ(store.queried, expected);
  EXPECT_TRUE(store.written.empty());
}

TEST_F(SettingsStoreTest, LastDirIsOnlyReadWhenRemembered) {
  std::string flags = kBooleanOptionDefault;
  flags[23] = '0';
  store.PutString("BooleanOption", flags);
  store.PutString("LastDir", "D:\\TEXT");
  LoadSettings(kShowCommandAtStart);
  EXPECT_TRUE(platform.enteredDirectories.empty());
  EXPECT_EQ(std::count(store.queried.begin(), store.queried.end(), "LastDir"), 0);
  store.PutString("BooleanOption", kBooleanOptionDefault);
  LoadSettings(kShowCommandAtStart);
  EXPECT_EQ(platform.enteredDirectories, std::vector<std::string>{"D:\\TEXT"});
}

TEST_F(SettingsStoreTest, SavesInItsFixedOrderWithTheStoredForms) {
  LoadSettings(kShowCommandAtStart);
  EXPECT_TRUE(SaveSettings());
  std::vector<std::string> expected = {
      "BooleanOption", "LastDir", "LineMax", "Spacing", "RSpacing", "LineSpacing", "TabSize",
      "WindowStyle", "TextColor", "ControlColor", "LineColor", "BackColor", "CtrlColor",
      "ToolBarList", "RMENU0", "RMENU1", "RMENU2", "Font", "FFont", "Editor", "FileMask",
      "SearchHistory", "FilerMask", "WindowLink"};
  EXPECT_EQ(store.written, expected);
  EXPECT_EQ(store.GetString("BooleanOption"), kBooleanOptionDefault);
  EXPECT_EQ(store.GetString("LastDir"), "C:\\WORK");
  EXPECT_EQ(Stored("ControlColor"), (std::vector<uint8_t>{0x35, 0x76, 0xC6, 0x00}));
  EXPECT_EQ(Stored("ToolBarList").size(), 27u);  // through the 0xFE byte
  EXPECT_EQ(Stored("RMENU0").size(), 12u);       // 2 x 5 entries + the end mark
  EXPECT_EQ(Stored("RMENU1").size(), 28u);
  EXPECT_EQ(Stored("Font").size(), 60u);
  EXPECT_EQ(Stored("Font")[0], 0xF0 + kSystemFixedFont);
  EXPECT_EQ(store.GetString("SearchHistory"), "Plim\\0\\0");
  EXPECT_EQ(store.GetString("FilerMask"), "ITXT;MAN;DOC|ICPP;C;H;RC|");
  EXPECT_EQ(store.GetString("WindowLink"), "LT|RT|RB|LBR");
  EXPECT_EQ(store.Find("LineMax")->type, kSettingDword);
  EXPECT_EQ(store.Find("TextColor")->type, kSettingBinary);
}

TEST_F(SettingsStoreTest, SavedValuesLoadBackUnchanged) {
  LoadSettings(kShowCommandAtStart);
  LineMax = 132;
  BackColor = 0x123456;
  RightMenus[2][0] = 0x1234;
  std::memcpy(SearchHistory, "a\\b\0c\0\0", 7);
  std::memset(FilerMask, 0, kFilerMaskSize);
  std::strcpy(WindowLink[3], "LB");
  TextFont.bytes[59] = 0x42;
  EXPECT_TRUE(SaveSettings());
  LineMax = 0;
  BackColor = 0;
  LoadSettings(kShowCommandAtStart);
  EXPECT_EQ(LineMax, 132);
  EXPECT_EQ(BackColor, 0x123456u);
  EXPECT_EQ(RightMenus[2][0], 0x1234);
  EXPECT_EQ(std::string(SearchHistory, 7), std::string("a\\b\0c\0\0", 7));
  EXPECT_EQ(store.GetString("FilerMask"), "|");
  EXPECT_EQ(FilerMask[0], '\0') << "an empty filer mask list stays empty";
  EXPECT_STREQ(WindowLink[3], "LB");
  EXPECT_TRUE(TextFontStored);
  EXPECT_EQ(TextFont.bytes[59], 0x42);
}

TEST_F(SettingsStoreTest, ValuesThatDoNotFitCountAsMissing) {
  store.Put("TextColor", kSettingBinary, {1, 2, 3});                      // exact length 4
  store.Put("PrevWinRect", kSettingBinary, std::vector<uint8_t>(17, 1));  // exact length 16
  store.Put("ToolBarList", kSettingBinary, std::vector<uint8_t>(257, 0xFE));
  store.Put("RMENU0", kSettingBinary, std::vector<uint8_t>(62, 0xFE));
  store.Put("RMENU1", kSettingBinary, {0x10, 0x00, 0x11, 0x00});  // no end mark
  store.Put("RMENU2", kSettingBinary, {0x10, 0x00, 0xFE, 0xFF});  // a valid short menu
  store.PutDword("LineMax", 60);
  store.PutString("TabSize", "8");
  store.PutString("WindowLink", "LT|RT|RB");
  store.Put("Font", kSettingBinary, std::vector<uint8_t>(59, 0));
  LoadSettings(kShowCommandAtStart);
  EXPECT_EQ(TextColor, 0u);
  EXPECT_EQ(PrevWinRect[0], 32768);
  EXPECT_EQ(ToolBarList[26], 0xFE);
  EXPECT_EQ(ToolBarList[2], 0x1C);
  EXPECT_EQ(RightMenus[0][0], 0x66);
  EXPECT_EQ(RightMenus[1][0], 0x96);
  EXPECT_EQ(RightMenus[2][0], 0x10);
  EXPECT_EQ(RightMenus[2][1], 0xFFFE);
  EXPECT_EQ(RightMenus[2][2], 0) << "the rest of the menu is cleared";
  EXPECT_EQ(LineMax, 60);
  EXPECT_EQ(TabSize, 4);
  EXPECT_STREQ(WindowLink[2], "RB");
  EXPECT_STREQ(WindowLink[3], "LBR");
  EXPECT_FALSE(TextFontStored);
}

TEST_F(SettingsStoreTest, SearchHistoryEmptyValueTakesTheDefaultStoredListIsKept) {
  store.PutString("SearchHistory", "");
  LoadSettings(kShowCommandAtStart);
  EXPECT_EQ(std::string(SearchHistory, 6), std::string("Plim\0\0", 6));
  std::string many;
  for (int i = 0; i < 40; ++i) many += std::to_string(i) + "\\0";
  store.PutString("SearchHistory", many + "\\0");
  LoadSettings(kShowCommandAtStart);
  const char* entry = SearchHistory;
  int count = 0;
  while (*entry) entry += std::strlen(entry) + 1, ++count;
  EXPECT_EQ(count, 40);
}

TEST_F(SettingsStoreTest, OverlongFilerMaskStaysAClosedList) {
  store.PutString("FilerMask", std::string(1022, 'A'));
  LoadSettings(kShowCommandAtStart);
  EXPECT_EQ(std::strlen(FilerMask), 1022u);
  EXPECT_EQ(FilerMask[1023], '\0');
  store.PutString("FilerMask", std::string(1023, 'A'));  // does not fit: the default
  LoadSettings(kShowCommandAtStart);
  EXPECT_STREQ(FilerMask, "ITXT;MAN;DOC");
}

TEST_F(SettingsStoreTest, BrokenRegistryGivesDefaultsAndOneMessage) {
  store.failOpen = true;
  store.PutDword("LineMax", 60);
  LoadSettings(kShowCommandAtStart);
  EXPECT_FALSE(SaveSettings());
  EXPECT_EQ(LineMax, 80);
  EXPECT_EQ(platform.brokenRegistryReports, 2);  // one per failed first open
  EXPECT_TRUE(store.written.empty());
}

TEST_F(SettingsStoreTest, DirHistoryDefaultsToTheRootOfC) {
  char block[kDirHistorySize];
  LoadDirHistory(block);
  EXPECT_EQ(std::string(block, 5), std::string("C:\\\0\0", 5));
  std::memcpy(block, "D:\\\0E:\\X\0\0", 10);
  EXPECT_TRUE(SaveDirHistory(block));
  EXPECT_EQ(store.GetString("DirHistory"), "D:\\\\\\0E:\\\\X\\0\\0");
}

TEST_F(SettingsStoreTest, MainPlacementWritesRectAndShowState) {
  EXPECT_TRUE(SaveMainPlacement({-4, 10, 800, 600, uint8_t(ShowStateOf(true, false))}));
  EXPECT_EQ(Stored("PrevWinRect"),
            (std::vector<uint8_t>{0xFC, 0xFF, 0xFF, 0xFF, 10, 0, 0, 0, 0x20, 3, 0, 0, 0x58, 2, 0, 0}));
  EXPECT_EQ(Stored("PrevWinStyle"), (std::vector<uint8_t>{3, 0, 0, 0}));
  EXPECT_EQ(ShowStateOf(false, true), 6);
  EXPECT_EQ(ShowStateOf(false, false), 5);
}

TEST_F(SettingsStoreTest, PlacementValueIsSeventeenBytes) {
  SettingsKeyScope key;
  ASSERT_TRUE(WriteWindowPlacement("FilerWndPos", {1, 2, 3, 4, 6}));
  EXPECT_EQ(Stored("FilerWndPos").size(), 17u);
  EXPECT_EQ(Stored("FilerWndPos")[16], 6);
  WindowPlacementValue placement;
  ASSERT_TRUE(ReadWindowPlacement("FilerWndPos", placement));
  EXPECT_EQ(placement.height, 4);
  store.Put("LZHWndPos", kSettingBinary, std::vector<uint8_t>(16, 0));
  EXPECT_FALSE(ReadWindowPlacement("LZHWndPos", placement));
  EXPECT_EQ(placement.left, 1);
}

class RecentFilesTest : public SettingsTest {
 protected:
  void Fill(std::vector<std::string> names) {
    for (size_t i = 0; i < names.size(); ++i) store.PutString("File0" + std::to_string(i), names[i]);
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < kRecentFileCount; ++i) entries.push_back(store.GetString("File0" + std::to_string(i)));
    return entries;
  }
};

TEST_F(RecentFilesTest, NewFileDropsTheOldest) {
  Fill({"A", "B", "C", "D", "E"});
  EXPECT_TRUE(PushRecentFile("N"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"N", "A", "B", "C", "D"}));
}

TEST_F(RecentFilesTest, KnownFileMovesToTheFrontIgnoringCase) {
  Fill({"A", "B", "c:\\doc\\x.txt", "D", "E"});
  EXPECT_TRUE(PushRecentFile("C:\\DOC\\X.TXT"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\DOC\\X.TXT", "A", "B", "D", "E"}));
}

TEST_F(RecentFilesTest, FirstEmptySlotIsReusedAndEmptyOnesAreNotWritten) {
  Fill({"A"});
  EXPECT_TRUE(PushRecentFile("B"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"B", "A", "", "", ""}));
  EXPECT_EQ(store.written, (std::vector<std::string>{"File00", "File01"}));
}

TEST_F(RecentFilesTest, NothingShownOrTooLongIsNotRecorded) {
  Fill({"A"});
  EXPECT_TRUE(PushRecentFile("(未表示)"));
  EXPECT_TRUE(PushRecentFile(std::string(kRecentFileSize, 'x').c_str()));
  EXPECT_TRUE(store.written.empty());
}

TEST(SameNameIgnoringCase, FoldsAsciiButNotKanjiTrailBytes) {
  EXPECT_TRUE(SameNameIgnoringCase("a\\B.txt", "A\\b.TXT"));
  EXPECT_FALSE(SameNameIgnoringCase("\x83\x61", "\x83\x41"));  // two different kanji
  EXPECT_TRUE(SameNameIgnoringCase("\x83\x61x", "\x83\x61X"));
  EXPECT_FALSE(SameNameIgnoringCase("ab", "abc"));
}

}  // namespace
