// The customizer's table: images in and out (short, long, holes, unknown codes), the
// duplicate rule, a full table, and the list lines and their order.
#include "utilities/keycustom/key_assignments.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Image(std::initializer_list<KeyRecord> records, size_t size = kKeyTableBytes) {
  std::vector<uint8_t> bytes(std::max(size, records.size() * sizeof(KeyRecord)));
  size_t at = 0;
  for (const KeyRecord& record : records) {
    std::memcpy(bytes.data() + at, &record, sizeof record);
    at += sizeof record;
  }
  bytes.resize(size);
  return bytes;
}

bool Same(const KeyRecord& a, const KeyRecord& b) {
  return a.virtualKey == b.virtualKey && a.modifiers == b.modifiers && a.command == b.command;
}

}  // namespace

TEST(AssignmentTable, LoadMarksRecordsWithAKeyAsUsedInTheirOwnSlots) {
  AssignmentTable table;
  // A hole (key 0 with a command) in slot 1 stays free; slot 2 is still read.
  table.LoadRecords(Image({{'A', 0, 8}, {0, 0, 7}, {'B', kModShift, 999}}));
  EXPECT_EQ(table.UsedCount(), 2);
  EXPECT_TRUE(table.Used(0));
  EXPECT_FALSE(table.Used(1));
  EXPECT_TRUE(table.Used(2));
  EXPECT_TRUE(Same(table.Record(2), {'B', kModShift, 999}));

  // Loading again replaces everything.
  table.LoadRecords(Image({{'C', 0, 1}}));
  EXPECT_EQ(table.UsedCount(), 1);
  EXPECT_FALSE(table.Used(2));
}

TEST(AssignmentTable, ShortImagesLeaveTheRestEmptyAndLongOnesAreCutAt1280Bytes) {
  AssignmentTable table;
  // Two whole records and three bytes of a third: the cut-off record is not read.
  std::vector<uint8_t> shortImage = Image({{'A', 0, 8}, {'B', 0, 7}, {'C', 0, 6}}, 13);
  table.LoadRecords(Image({{'Z', 0, 1}, {'Y', 0, 2}, {'X', 0, 3}, {'W', 0, 4}}));
  table.LoadRecords(shortImage);
  EXPECT_EQ(table.UsedCount(), 2);
  EXPECT_FALSE(table.Used(2));
  EXPECT_FALSE(table.Used(3));

  std::vector<uint8_t> longImage(kKeyTableBytes + 10, 0x41);  // every record 'AA' with key != 0
  table.LoadRecords(longImage);
  EXPECT_EQ(table.UsedCount(), kKeyRecordCount);

  table.LoadRecords({});
  EXPECT_EQ(table.UsedCount(), 0);
}

TEST(AssignmentTable, PackPutsTheUsedSlotsFirstInSlotOrder) {
  AssignmentTable table;
  table.LoadRecords(Image({{'A', 0, 8}, {'B', 0, 7}, {'C', 0, 6}}));
  table.Free(1);
  uint8_t image[kKeyTableBytes];
  std::memset(image, 0xEE, sizeof image);
  table.PackImage(image);
  std::vector<uint8_t> expected = Image({{'A', 0, 8}, {'C', 0, 6}});
  EXPECT_EQ(std::vector<uint8_t>(image, image + kKeyTableBytes), expected);
}

TEST(AssignmentTable, DuplicatesNeedTheSameKeyAndModifiers) {
  AssignmentTable table;
  table.LoadRecords(Image({{'A', 0, 8}, {'A', kModShift, 7}}));
  EXPECT_EQ(table.FindSame('A', 0), 0);
  EXPECT_EQ(table.FindSame('A', kModShift), 1);
  EXPECT_EQ(table.FindSame('A', kModCtrl), kNoSlot);
  EXPECT_EQ(table.FindSame('A', kModCtrl | kModShift), kNoSlot);
  table.Free(0);
  EXPECT_EQ(table.FindSame('A', 0), kNoSlot);  // a freed slot is not listed
}

TEST(AssignmentTable, AddTakesTheFirstFreeSlotUntilTheTableIsFull) {
  AssignmentTable table;
  table.LoadRecords(Image({{'A', 0, 8}, {'B', 0, 7}}));
  table.Free(0);
  EXPECT_EQ(table.Add({'Q', kModCtrl, 953}), 0);
  EXPECT_TRUE(Same(table.Record(0), {'Q', kModCtrl, 953}));
  EXPECT_EQ(table.Add({'R', 0, 1}), 2);
  for (int slot = 3; slot < kKeyRecordCount; ++slot) EXPECT_EQ(table.Add({uint16_t(slot), 0, 1}), slot);
  EXPECT_EQ(table.Add({'S', 0, 1}), kNoSlot);
  EXPECT_EQ(table.UsedCount(), kKeyRecordCount);
}

TEST(AssignmentLine, KeyNameInTenColumnsThenModifiersAndCommandName) {
  EXPECT_EQ(AssignmentLine("A", 0, 8), "A         +  :一画面下へ");
  EXPECT_EQ(AssignmentLine("Enter", kModShift, 951), "Enter     +S :エディタ起動");
  EXPECT_EQ(AssignmentLine("P", kModCtrl | kModShift, 300), "P         +SC:開く");
  EXPECT_EQ(AssignmentLine("Num Delete", kModCtrl, 50), "Num Delete+ C:LZH/ZIPかFilerへ");
  EXPECT_EQ(AssignmentLine("Right Windows", 0, 1), "Right Wind+  :１行上へ");
  EXPECT_EQ(AssignmentLine("", 0, 777), "          +  :??Unknown??");
}

TEST(AssignmentLine, ADoubleByteCharacterAtTheTenthColumnIsNotSplit) {
  // Nine single bytes then "全" (two bytes): the tenth column stays blank.
  EXPECT_EQ(AssignmentLine("123456789全", 0, 1), "123456789 +  :１行上へ");
  EXPECT_EQ(AssignmentLine("全角キー名前", 0, 1), "全角キー名+  :１行上へ");
}

TEST(LineInsertIndex, AfterEveryLineWithAnEqualOrSmallerCode) {
  const uint16_t codes[] = {2, 8, 8, 50, 953};
  EXPECT_EQ(LineInsertIndex(codes, 1), 0);
  EXPECT_EQ(LineInsertIndex(codes, 8), 3);
  EXPECT_EQ(LineInsertIndex(codes, 9), 3);
  EXPECT_EQ(LineInsertIndex(codes, 957), 5);
  EXPECT_EQ(LineInsertIndex({}, 5), 0);
}
