// The filer settings dialog's custom-type items to and from FilerMask entries.
#include "viewer/settings/filer_mask_items.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(FilerMaskItems, DefaultEntriesShowAsOnlyItemsAndStoreBackUnchanged) {
  char block[1024] = {};
  std::memcpy(block, "ITXT;MAN;DOC\0ICPP;C;H;RC\0", 26);
  std::vector<std::string> items = FilerMaskItems(block, sizeof block);
  ASSERT_EQ(items, (std::vector<std::string>{"のみ:TXT;MAN;DOC", "のみ:CPP;C;H;RC"}));
  char back[1024];
  std::memset(back, 'x', sizeof back);
  EXPECT_EQ(StoreFilerMaskItems(items, back, sizeof back), 2u);
  EXPECT_EQ(std::memcmp(back, block, sizeof block), 0) << "entries, closing NUL and zero fill";
}

TEST(FilerMaskItems, AllButItemsStoreAsEEntries) {
  std::vector<std::string> items{FilerMaskItem(false, "TXT"), FilerMaskItem(true, "ＤＯＣ")};
  EXPECT_EQ(items[0], "以外:TXT");
  EXPECT_FALSE(IsOnlyItem(items[0]));
  EXPECT_TRUE(IsOnlyItem(items[1]));
  EXPECT_EQ(ItemExtensions(items[1]), "ＤＯＣ");
  char block[32];
  ASSERT_EQ(StoreFilerMaskItems(items, block, sizeof block), 2u);
  EXPECT_EQ(std::string(block), "ETXT");
  EXPECT_EQ(std::string(block + 5), "IＤＯＣ");
  EXPECT_EQ(FilerMaskItems(block, sizeof block), items);
}

TEST(FilerMaskItems, EmptyListsAndEntriesWithoutText) {
  char block[8] = {};
  EXPECT_TRUE(FilerMaskItems(block, sizeof block).empty());
  std::vector<std::string> none;
  EXPECT_EQ(StoreFilerMaskItems(none, block, sizeof block), 0u);
  EXPECT_EQ(block[0], '\0');
  std::vector<std::string> bare{FilerMaskItem(true, "")};
  ASSERT_EQ(StoreFilerMaskItems(bare, block, sizeof block), 1u);
  EXPECT_EQ(std::string(block), "I");
  EXPECT_EQ(block[2], '\0');
}

TEST(FilerMaskItems, TextIsCutAt98BytesBetweenCharacters) {
  std::string ascii(120, 'A');
  EXPECT_EQ(ItemExtensions(FilerMaskItem(true, ascii)).size(), kMaskTextLimit);
  std::string wide = "A";
  for (int i = 0; i < 60; ++i) wide += "漢";  // 121 bytes, a double-byte character at 97-98
  std::string_view cut = ItemExtensions(FilerMaskItem(true, wide));
  EXPECT_EQ(cut.size(), 97u) << "the character over the limit goes whole";
}

TEST(FilerMaskItems, EntriesBeyondTheBlockAreLeftOut) {
  std::vector<std::string> items{FilerMaskItem(true, "AAAA"), FilerMaskItem(false, "BBBB"), FilerMaskItem(true, "C")};
  char block[13];
  // "IAAAA\0" (6) + "EBBBB\0" (6) + the closing NUL = 13: the third entry does not fit.
  EXPECT_EQ(StoreFilerMaskItems(items, block, sizeof block), 2u);
  EXPECT_EQ(FilerMaskItems(block, sizeof block).size(), 2u);
  EXPECT_EQ(block[12], '\0');
  char tiny[6];
  EXPECT_EQ(StoreFilerMaskItems(items, tiny, sizeof tiny), 0u) << "6 bytes leave no room for the closing NUL";
  EXPECT_EQ(tiny[0], '\0');
}

}  // namespace
