// The counted settings key and the typed reads: exact and "up to" binary lengths, types that
// do not match, strings that do not fit, and a key that cannot be opened.
#include "viewer/settings/settings_key.h"

#include "viewer/settings/settings_test_support.h"

namespace {

using SettingsKeyTest = SettingsTest;

TEST_F(SettingsKeyTest, BinaryReadsCheckExactAndUpToLengths) {
  store.Put("V", kSettingString, {1, 2, 3, 4});  // the type of a binary value is not checked
  SettingsKeyScope key;
  uint8_t buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(ReadBinarySetting("V", buffer, 4), 4);
  EXPECT_EQ(buffer[3], 4);
  EXPECT_EQ(ReadBinarySetting("V", buffer, 5), -1);   // exact: one more than stored
  EXPECT_EQ(ReadBinarySetting("V", buffer, 3), -1);   // exact: one less than stored
  EXPECT_EQ(ReadBinarySetting("V", buffer, -8), 4);   // up to 8
  EXPECT_EQ(ReadBinarySetting("V", buffer, -3), -1);  // longer than allowed
  std::memset(buffer, 7, sizeof buffer);
  EXPECT_EQ(ReadBinarySetting("Missing", buffer, -8), -1);
  EXPECT_EQ(buffer[0], 7) << "a failed read leaves the buffer alone";
}

TEST_F(SettingsKeyTest, DwordNeedsItsType) {
  store.PutDword("D", 0x12345678);
  store.Put("S", kSettingString, {1, 0, 0, 0});
  store.Put("B", kSettingBinary, {1, 0, 0, 0});
  SettingsKeyScope key;
  EXPECT_EQ(ReadDwordSetting("D", 7), 0x12345678u);
  EXPECT_EQ(ReadDwordSetting("S", 7), 7u);
  EXPECT_EQ(ReadDwordSetting("B", 7), 7u);
  EXPECT_EQ(ReadDwordSetting("d", 7), 0x12345678u) << "value names ignore case";
}

TEST_F(SettingsKeyTest, StringsMustFitWithTheirNul) {
  store.PutString("Fits", "abcd");    // 5 bytes with the NUL
  store.Put("NoNul", kSettingString, Bytes("abcd"));
  store.Put("Binary", kSettingBinary, Bytes(std::string("ab\0", 3)));
  SettingsKeyScope key;
  char buffer[5];
  EXPECT_TRUE(ReadStringSetting("Fits", "x", buffer, 5));
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_FALSE(ReadStringSetting("Fits", "x", buffer, 4));
  EXPECT_STREQ(buffer, "x");
  EXPECT_FALSE(ReadStringSetting("NoNul", "x", buffer, 4)) << "no room for the missing NUL";
  EXPECT_TRUE(ReadStringSetting("NoNul", "x", buffer, 5));
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_FALSE(ReadStringSetting("Binary", "default", buffer, 5));
  EXPECT_STREQ(buffer, "defa") << "a long default is cut to the buffer";
}

TEST_F(SettingsKeyTest, WritesStoreTypesAndLengths) {
  SettingsKeyScope key;
  ASSERT_TRUE(WriteStringSetting("S", "abc"));
  ASSERT_TRUE(WriteDwordSetting("D", 0x01020304));
  ASSERT_TRUE(WriteBinarySetting("B", "\x01\x02", 2));
  EXPECT_EQ(store.Find("S")->type, kSettingString);
  EXPECT_EQ(store.Find("S")->bytes, Bytes(std::string("abc\0", 4)));
  EXPECT_EQ(store.Find("D")->type, kSettingDword);
  EXPECT_EQ(store.Find("D")->bytes, (std::vector<uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(store.Find("B")->type, kSettingBinary);
  EXPECT_EQ(store.Find("B")->bytes.size(), 2u);
}

TEST_F(SettingsKeyTest, FailedOpenReportsOncePerFirstOpenAndGivesDefaults) {
  store.failOpen = true;
  store.PutDword("D", 1);
  {
    SettingsKeyScope outer;
    EXPECT_FALSE(outer.usable());
    SettingsKeyScope inner;  // nested: shares the failed open, no second box
    EXPECT_EQ(ReadDwordSetting("D", 9), 9u);
    EXPECT_FALSE(WriteDwordSetting("E", 1));
  }
  EXPECT_EQ(platform.brokenRegistryReports, 1);
  EXPECT_EQ(store.Find("E"), nullptr);
  { SettingsKeyScope again; }
  EXPECT_EQ(platform.brokenRegistryReports, 2);
  { SettingsKeyScope quiet(true); }
  EXPECT_EQ(platform.brokenRegistryReports, 2);
}

TEST_F(SettingsKeyTest, ClosedKeyReadsDefaultsAndLosesWrites) {
  store.PutDword("D", 1);
  EXPECT_EQ(ReadDwordSetting("D", 9), 9u);
  EXPECT_FALSE(WriteDwordSetting("D", 2));
  SettingsKeyScope key;
  EXPECT_EQ(ReadDwordSetting("D", 9), 1u);
}

}  // namespace
