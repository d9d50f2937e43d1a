// Tests of the thickness and flag texts the configuration utility writes.
#include "utilities/plimcfg/plimcfg_values.h"

#include <gtest/gtest.h>

using namespace plimcfg;

TEST(PlimcfgValues, ThicknessIsAnUnsignedNumberOrZero) {
  EXPECT_EQ(FrameSizeText("2"), "2");
  EXPECT_EQ(FrameSizeText(" 12 "), "12");
  EXPECT_EQ(FrameSizeText("007"), "7");
  EXPECT_EQ(FrameSizeText(""), "0");
  EXPECT_EQ(FrameSizeText("   "), "0");
  EXPECT_EQ(FrameSizeText("abc"), "0");
  EXPECT_EQ(FrameSizeText("3x"), "0");
  EXPECT_EQ(FrameSizeText("-2"), "0");  // unsigned: a sign is not a number here
  EXPECT_EQ(FrameSizeText("2147483647"), "2147483647");
  EXPECT_EQ(FrameSizeText("2147483648"), "0");
  EXPECT_EQ(FrameSizeText("99999999999999999999"), "0");
}

TEST(PlimcfgValues, FlagsAreOneOrZero) {
  EXPECT_STREQ(FlagText(true), "1");
  EXPECT_STREQ(FlagText(false), "0");
}
