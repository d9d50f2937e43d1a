// The settings dialog's working-copy conversions: tool-bar and right-button menu lists to and
// from their stored bytes (limits included), the window style and the field checks.
#include "viewer/settings/settings_dialog_lists.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "viewer/settings/hex_text.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/tool_button_table.h"

namespace {

std::vector<uint8_t> Bytes(const char* hex) {
  std::vector<uint8_t> bytes(std::strlen(hex) / 2);
  HexTextToBytes(hex, bytes.data(), int(bytes.size()));
  return bytes;
}

TEST(SettingsDialogLists, DefaultToolBarListRoundTripsThroughTheListBox) {
  const char* stored = "00FF1C0102FF0407FF1D1E1FFF0B0C0DFF1615FF0E0F10FF1214FE";
  std::vector<uint8_t> bytes = Bytes(stored);
  std::vector<int> items = ToolBarItems(bytes.data(), bytes.size());
  ASSERT_EQ(items.size(), bytes.size() - 1);
  EXPECT_EQ(items[0], 0);
  EXPECT_EQ(items[1], kGapItem);
  EXPECT_EQ(items[2], 0x1C);
  uint8_t list[kToolBarListSize];
  std::memset(list, 0xAA, sizeof list);
  ASSERT_TRUE(StoreToolBarItems(items, list, sizeof list));
  EXPECT_EQ(std::vector<uint8_t>(list, list + bytes.size()), bytes);
  EXPECT_EQ(list[bytes.size()], 0xAA) << "nothing written after the end mark";
}

TEST(SettingsDialogLists, ToolBarListsWithoutEndOrWithUnknownRows) {
  const uint8_t unknownRows[] = {0x01, 0x2D, 0xFF, 0xFD, 0x2C, 0xFE, 0x03};
  EXPECT_EQ(ToolBarItems(unknownRows, sizeof unknownRows), (std::vector<int>{1, kGapItem, 44}));
  const uint8_t noEnd[] = {0x05, 0x06};
  EXPECT_EQ(ToolBarItems(noEnd, sizeof noEnd), (std::vector<int>{5, 6}));
  EXPECT_TRUE(ToolBarItems(nullptr, 0).empty());
}

TEST(SettingsDialogLists, ToolBarListRefusesWhatDoesNotFitWithItsEndMark) {
  uint8_t list[kToolBarListSize];
  std::memset(list, 0x11, sizeof list);
  std::vector<int> full(ListItemLimit(sizeof list), kGapItem);
  std::vector<int> tooLong(full.size() + 1, 3);
  EXPECT_FALSE(StoreToolBarItems(tooLong, list, sizeof list));
  EXPECT_EQ(list[0], 0x11) << "a refused list leaves the block as it was";
  ASSERT_TRUE(StoreToolBarItems(full, list, sizeof list));
  EXPECT_EQ(list[254], 0xFF);
  EXPECT_EQ(list[255], 0xFE);
  std::vector<int> empty;
  ASSERT_TRUE(StoreToolBarItems(empty, list, sizeof list));
  EXPECT_EQ(list[0], 0xFE);
}

TEST(SettingsDialogLists, AvailableButtonsAreEveryRowOnceInImageOrder) {
  std::vector<int> rows = ToolRowsByImage();
  ASSERT_EQ(rows.size(), size_t(kToolButtonCount));
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(ToolButtonTable[rows[i]].image, int(i)) << i;
  EXPECT_EQ(rows[1], 28) << "image 1 is the Zelko Filer button";
}

TEST(SettingsDialogLists, DefaultRightMenusRoundTripToTheirStoredBytes) {
  for (const char* stored : {"660067006800FFFFC800FEFF", "9600970098009900FFFFA000A100A200A300FFFF09000A000B00FEFF",
                             "33003200FFFFC800C900CA00FFFF09000A000B00FEFF"}) {
    std::vector<uint8_t> bytes = Bytes(stored);
    uint16_t entries[kRightMenuEntries] = {};
    std::memcpy(entries, bytes.data(), bytes.size());
    std::vector<int> items = RightMenuItems(entries, kRightMenuEntries);
    EXPECT_EQ(items.size(), bytes.size() / 2 - 1) << stored;
    uint16_t back[kRightMenuEntries] = {};
    ASSERT_TRUE(StoreRightMenuItems(items, back, kRightMenuEntries));
    EXPECT_EQ(std::memcmp(back, bytes.data(), bytes.size()), 0) << stored;
  }
  const uint16_t first[] = {102, 103, 104, 0xFFFF, 200, 0xFFFE};
  EXPECT_EQ(RightMenuItems(first, 6), (std::vector<int>{102, 103, 104, kGapItem, 200}));
}

TEST(SettingsDialogLists, RightMenuRefusesMoreItemsThanItsBlockHolds) {
  uint16_t entries[kRightMenuEntries];
  std::fill(std::begin(entries), std::end(entries), uint16_t(7));
  std::vector<int> items(ListItemLimit(kRightMenuEntries) + 1, 50);
  EXPECT_FALSE(StoreRightMenuItems(items, entries, kRightMenuEntries));
  EXPECT_EQ(entries[0], 7);
  items.pop_back();
  ASSERT_TRUE(StoreRightMenuItems(items, entries, kRightMenuEntries));
  EXPECT_EQ(entries[kRightMenuEntries - 1], 0xFFFE);
  EXPECT_EQ(RightMenuItems(entries, kRightMenuEntries).size(), items.size());
}

TEST(SettingsDialogLists, WindowStyleBitsAndChoices) {
  for (int32_t style = 0; style < 8; ++style)
    EXPECT_EQ(WindowStyleFromChoices(ChoicesFromWindowStyle(style)), style);
  WindowStyleChoices choices = ChoicesFromWindowStyle(1);
  EXPECT_TRUE(choices.systemPlacement);
  EXPECT_FALSE(choices.maximize);
  EXPECT_FALSE(choices.fitToWrapWidth);
  EXPECT_EQ(WindowStyleFromChoices({false, true, true}), 6);
}

TEST(SettingsDialogLists, NumberFieldsTakeOnlyUnsignedNumbersInRange) {
  const NumberField wrap{"折り返し", 0, 199};
  int32_t value = -5;
  EXPECT_TRUE(ParseNumberField("0", wrap, value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(ParseNumberField(" 199 ", wrap, value));
  EXPECT_EQ(value, 199);
  value = 42;
  for (const char* refused : {"", "  ", "-1", "+3", "200", "12a", "1 2", "99999999999999", "８０"})
    EXPECT_FALSE(ParseNumberField(refused, wrap, value)) << refused;
  EXPECT_EQ(value, 42) << "a refused entry leaves the value alone";
  const NumberField tab{"タブ", 1, 99};
  EXPECT_FALSE(ParseNumberField("0", tab, value));
  std::string message = NumberFieldMessage(tab);
  EXPECT_NE(message.find("タブ"), std::string::npos);
  EXPECT_NE(message.find("99"), std::string::npos);
}

TEST(SettingsDialogLists, LinkPathsUpToFourteenBytes) {
  EXPECT_TRUE(LinkPathFits(""));
  EXPECT_TRUE(LinkPathFits("LBRBLBRBLBRBLB"));
  EXPECT_FALSE(LinkPathFits("LBRBLBRBLBRBLBR"));
  EXPECT_NE(LinkPathMessage("Filer:").find("Filer:"), std::string::npos);
}

}  // namespace
