// The key table: the default records in order, the generated resource bytes, loading and
// writing back KeyAssign, and the lookup rules (first match, exact modifiers, end record).
#include "viewer/settings/key_table.h"

#include <cstdio>

#include "viewer/settings/default_key_table.h"
#include "viewer/settings/settings_test_support.h"

namespace {

constexpr uint8_t kNone = 0, kCtrl = kModCtrl, kShift = kModShift, kBoth = kModCtrl | kModShift;

struct Expected {
  uint16_t key;
  uint8_t modifiers;
  uint16_t command;
};

// The default assignment as the user documentation lists it: left column, then right column.
const Expected kDocumentedDefaults[] = {
    {0x0D, kNone, 8},    {0x20, kNone, 8},   {'C', kNone, 8},     {0x22, kNone, 8},
    {'R', kNone, 7},     {0x20, kShift, 7},  {0x21, kNone, 7},    {'S', kNone, 6},
    {0x27, kNone, 6},    {'D', kNone, 5},    {0x25, kNone, 5},    {0x28, kNone, 4},
    {0x26, kNone, 2},    {0x24, kNone, 9},   {0x23, kShift, 9},   {0x23, kNone, 10},
    {0x24, kShift, 10},  {'J', kNone, 11},   {0x08, kNone, 50},   {0x2E, kNone, 50},
    {'F', kNone, 200},   {'P', kNone, 201},  {'O', kNone, 201},   {'N', kNone, 202},
    {'L', kNone, 202},   {0x74, kShift, 150}, {0x75, kShift, 151}, {0x76, kShift, 152},
    {0x77, kShift, 153}, {0x74, kNone, 160}, {0x75, kNone, 161},  {0x76, kNone, 162},
    {0x77, kNone, 163},  {'P', kCtrl, 101},  {'P', kBoth, 100},   {'T', kNone, 250},
    {'B', kNone, 251},   {0x70, kNone, 950}, {0x0D, kShift, 951}, {0x0D, kBoth, 952},
    {0x1B, kNone, 953},  {'X', kNone, 953},  {'Q', kNone, 953},  {'F', kShift, 305},
};

void LoadDefaults(KeyRecord (&table)[kKeyRecordCount]) {
  uint8_t image[kKeyTableBytes];
  DefaultKeyTableImage(image);
  std::memcpy(table, image, sizeof image);
}

TEST(DefaultKeyTable, HoldsTheFortyFourRecordsInOrderThenZeros) {
  uint8_t image[kKeyTableBytes];
  DefaultKeyTableImage(image);
  ASSERT_EQ(DefaultKeyRecords().size(), std::size(kDocumentedDefaults));
  for (size_t i = 0; i < std::size(kDocumentedDefaults); ++i) {
    const uint8_t* record = image + 5 * i;
    const Expected& e = kDocumentedDefaults[i];
    EXPECT_EQ(record[0] | record[1] << 8, e.key) << "record " << i;
    EXPECT_EQ(record[2], e.modifiers) << "record " << i;
    EXPECT_EQ(record[3] | record[4] << 8, e.command) << "record " << i;
  }
  for (int i = 5 * 44; i < kKeyTableBytes; ++i) ASSERT_EQ(image[i], 0) << "byte " << i;
}

TEST(DefaultKeyTable, GeneratedResourceBytesMatchTheTable) {
  FILE* file = std::fopen(ZV_DEFAULT_KEYS_BIN, "rb");
  ASSERT_NE(file, nullptr) << ZV_DEFAULT_KEYS_BIN;
  uint8_t generated[kKeyTableBytes + 1];
  size_t size = std::fread(generated, 1, sizeof generated, file);
  std::fclose(file);
  ASSERT_EQ(size, size_t(kKeyTableBytes));
  uint8_t image[kKeyTableBytes];
  DefaultKeyTableImage(image);
  EXPECT_EQ(std::memcmp(generated, image, kKeyTableBytes), 0);
}

TEST(TranslateKey, ModifiersMustMatchExactly) {
  static KeyRecord table[kKeyRecordCount];
  LoadDefaults(table);
  EXPECT_EQ(TranslateKey(table, 0x20, kNone), 8);   // Space: one screen down
  EXPECT_EQ(TranslateKey(table, 0x20, kShift), 7);  // Shift+Space: one screen up
  EXPECT_EQ(TranslateKey(table, 0x20, kCtrl), kNoCommand);
  EXPECT_EQ(TranslateKey(table, 'P', kNone), 201);
  EXPECT_EQ(TranslateKey(table, 'P', kCtrl), 101);
  EXPECT_EQ(TranslateKey(table, 'P', kBoth), 100);
  EXPECT_EQ(TranslateKey(table, 0x0D, kBoth), 952);
  EXPECT_EQ(TranslateKey(table, 'Z', kNone), kNoCommand);
  EXPECT_EQ(TranslateKey(table, 0, kNone), kNoCommand);
}

TEST(TranslateKey, FirstMatchWinsAndAZeroKeyEndsTheTable) {
  static KeyRecord table[kKeyRecordCount];
  std::memset(table, 0, sizeof table);
  table[0] = {'A', kNone, 1};
  table[1] = {'A', kNone, 2};
  table[3] = {'B', kNone, 3};  // after the end record: never seen
  EXPECT_EQ(TranslateKey(table, 'A', kNone), 1);
  EXPECT_EQ(TranslateKey(table, 'B', kNone), kNoCommand);
  for (KeyRecord& record : table) record = {'C', kNone, 4};  // full table, no end record
  table[255] = {'D', kShift, 5};
  EXPECT_EQ(TranslateKey(table, 'D', kShift), 5);
}

using LoadKeyAssignTest = SettingsTest;

TEST_F(LoadKeyAssignTest, MissingValueTakesTheDefaultAndWritesItBack) {
  LoadKeyAssign();
  uint8_t image[kKeyTableBytes];
  DefaultKeyTableImage(image);
  EXPECT_EQ(std::memcmp(KeyTable, image, kKeyTableBytes), 0);
  const MemorySettingsBackend::Value* stored = store.Find("KeyAssign");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->type, kSettingBinary);
  EXPECT_EQ(stored->bytes, std::vector<uint8_t>(image, image + kKeyTableBytes));
}

TEST_F(LoadKeyAssignTest, StoredTableIsTrustedAndOverlongOneReplaced) {
  store.Put("KeyAssign", kSettingBinary, {'A', 0, kShift, 0x34, 0x12});
  LoadKeyAssign();
  EXPECT_EQ(TranslateKey(KeyTable, 'A', kShift), 0x1234);
  EXPECT_EQ(TranslateKey(KeyTable, 0x20, kNone), kNoCommand) << "the rest is zero";
  EXPECT_TRUE(store.written.empty());
  store.Put("KeyAssign", kSettingBinary, std::vector<uint8_t>(kKeyTableBytes + 1, 'A'));
  LoadKeyAssign();
  EXPECT_EQ(TranslateKey(KeyTable, 0x20, kNone), 8);
  EXPECT_EQ(store.Find("KeyAssign")->bytes.size(), size_t(kKeyTableBytes));
}

TEST_F(LoadKeyAssignTest, BrokenRegistryUsesTheDefaultWithoutAMessage) {
  store.failOpen = true;
  LoadKeyAssign();
  EXPECT_EQ(TranslateKey(KeyTable, 0x20, kShift), 7);
  EXPECT_EQ(platform.brokenRegistryReports, 0);
}

}  // namespace
