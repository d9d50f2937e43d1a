// Tests of the plim32 control rules that do not need a window: settings, captions, the
// button state machine, spin stepping, meter split and the tab folder's geometry.
#include "controls/plim_logic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

using namespace plim;

TEST(PlimFrame, FrameSizeChoosesThicknessAndDirection) {
  EXPECT_EQ(DialogFrameLook(3).thickness, 3);
  EXPECT_TRUE(DialogFrameLook(3).raised);
  EXPECT_EQ(DialogFrameLook(0).thickness, 0);
  EXPECT_FALSE(DialogFrameLook(0).raised);
  EXPECT_EQ(DialogFrameLook(-2).thickness, 2);
  EXPECT_FALSE(DialogFrameLook(-2).raised);
  EXPECT_EQ(DialogFrameLook(INT32_MIN).thickness, INT32_MAX);
}

TEST(PlimFrame, RingsStopWhenTheRectangleCollapses) {
  EXPECT_EQ(FrameRingCount(0, 100, 50), 1);
  EXPECT_EQ(FrameRingCount(1, 100, 50), 1);
  EXPECT_EQ(FrameRingCount(3, 100, 50), 3);
  EXPECT_EQ(FrameRingCount(2000000000, 100, 50), 25);
  EXPECT_EQ(FrameRingCount(5, 0, 0), 1);
}

TEST(PlimCaption, MnemonicsRemovedDoubleAmpersandKept) {
  EXPECT_EQ(StripMnemonics("&OK"), "OK");
  EXPECT_EQ(StripMnemonics("Save && &Quit"), "Save & Quit");
  EXPECT_EQ(StripMnemonics("end&"), "end");
  // "表" is 0x95 0x5C: the trail byte must not be taken for anything.
  EXPECT_EQ(StripMnemonics("表示(&V)"), "表示(V)");
}

TEST(PlimButtonState, CreationStyleGivesDefaultAndDisabled) {
  EXPECT_EQ(InitialButtonState(1, false), IsDefault);
  EXPECT_EQ(InitialButtonState(0x22, true), Disabled);  // low five bits 2: not default
  EXPECT_EQ(InitialButtonState(0x41, false), IsDefault);  // higher bits do not count
  EXPECT_EQ(InitialButtonState(0x10000001, true), Disabled | IsDefault);
}

TEST(PlimButtonState, PressLooksAndReports) {
  EXPECT_FALSE(LooksPressed(0));
  EXPECT_TRUE(LooksPressed(Pressed));
  EXPECT_TRUE(LooksPressed(Tracking));
  EXPECT_FALSE(LooksPressed(Tracking | Outside));
  EXPECT_EQ(ReportedButtonState(Pressed | Focused | Checked), 0x0Du);
  EXPECT_EQ(ReportedButtonState(Tracking), 0x04u);
  EXPECT_EQ(ReportedButtonState(Tracking | Outside | Checked), 0x01u);
}

TEST(PlimButtonState, SpaceDoesNotPressWhileTrackingOrPressed) {
  EXPECT_EQ(OnSpaceDown(Focused), Focused | Pressed);
  EXPECT_EQ(OnSpaceDown(Tracking), Tracking);
  EXPECT_EQ(OnSpaceDown(Pressed), Pressed);
}

TEST(PlimButtonState, ReleaseOutsideCancelsInsideClicks) {
  Release out = OnTrackingRelease(Tracking | Outside | Focused);
  EXPECT_FALSE(out.clicked);
  EXPECT_EQ(out.state, Focused);
  Release in = OnTrackingRelease(Tracking | Focused);
  EXPECT_TRUE(in.clicked);
  EXPECT_EQ(AfterClick(in.state, Click::Push), Focused);
  EXPECT_EQ(AfterClick(Tracking | Pressed, Click::Toggle), Checked);
  EXPECT_EQ(AfterClick(Tracking | Checked, Click::Toggle), 0);
  EXPECT_EQ(AfterClick(Pressed | Checked, Click::Radio), Checked);
}

TEST(PlimButtonState, ToolLatchesWithBitZeroOrTwo) {
  EXPECT_EQ(ToolButtonClick(0), Click::Push);
  EXPECT_EQ(ToolButtonClick(1), Click::Toggle);
  EXPECT_EQ(ToolButtonClick(4), Click::Toggle);
  EXPECT_EQ(ToolButtonClick(2), Click::Push);
}

TEST(PlimSpin, RangeAndSize) {
  SpinRange r = SpinRangeFromParam((199u << 16) | 0);
  EXPECT_EQ(r.minimum, 0u);
  EXPECT_EQ(r.maximum, 199u);
  EXPECT_EQ(SpinCreateSize(25).height, 24);
  EXPECT_EQ(SpinCreateSize(25).width, 14);
  EXPECT_EQ(SpinCreateSize(40).width, 22);
}

TEST(PlimSpin, BuddyStepsWithinRange) {
  SpinRange r{0, 199};
  EXPECT_EQ(SpinBuddyValue("197", true, true, r), 198);
  EXPECT_EQ(SpinBuddyValue("199", true, true, r), 199);
  EXPECT_EQ(SpinBuddyValue("250", true, true, r), 199);
  EXPECT_EQ(SpinBuddyValue("250", true, false, r), 199);
  EXPECT_EQ(SpinBuddyValue("0", true, false, r), 0);
  EXPECT_EQ(SpinBuddyValue("abc", true, true, SpinRange{5, 10}), 5);
  EXPECT_EQ(SpinBuddyValue("7", false, true, SpinRange{5, 10}), 7);  // pointer outside: no step
}

TEST(PlimSpin, NumbersParseLikeTheBuddyField) {
  EXPECT_EQ(ParseSignedNumber("  -42x"), -42);
  EXPECT_EQ(ParseSignedNumber("+7"), 7);
  EXPECT_EQ(ParseSignedNumber(""), 0);
  EXPECT_EQ(ParseSignedNumber("99999999999999999999999"), LONG_MAX);
}

TEST(PlimMeter, SplitAndPercentage) {
  EXPECT_EQ(MeterBarEnd(1, 101, 37, 100), 38);  // 37 of 100 inner pixels
  EXPECT_EQ(MeterPercentText(37, 100), "37%");
  EXPECT_EQ(MeterBarEnd(1, 101, 1, 0), 101);    // maximum 0 counts as 1
  EXPECT_EQ(MeterPercentText(1, 0), "100%");
  EXPECT_EQ(MeterBarEnd(1, 101, 500, 100), 101); // never beyond the frame
  EXPECT_EQ(MeterPercentText(65535, 65535), "100%");
}

TEST(PlimFolder, CaptionsSplitAtBarsOnly) {
  auto tabs = SplitTabCaptions("表示1|表示2|ﾂｰﾙﾊﾞｰ|窓|ﾒﾆｭｰ|外部|etc");
  ASSERT_EQ(tabs.size(), 7u);
  EXPECT_EQ(tabs[0], "表示1");
  EXPECT_EQ(tabs[6], "etc");
  // "ポ" is 0x83 0x7C: its trail byte is a "|" and must not split.
  auto kana = SplitTabCaptions("ポ|x");
  ASSERT_EQ(kana.size(), 2u);
  EXPECT_EQ(kana[0], "ポ");
  EXPECT_EQ(SplitTabCaptions("single").size(), 1u);
  EXPECT_EQ(SplitTabCaptions(std::string(150, 'a'))[0].size(), 99u);
}

TEST(PlimFolder, TabSpansHitTestAndWrap) {
  auto edges = TabEdges({20, 30});
  EXPECT_EQ(edges, (std::vector<int>{8, 37, 76}));
  EXPECT_EQ(TabAtX(edges, 7), -1);
  EXPECT_EQ(TabAtX(edges, 8), 0);
  EXPECT_EQ(TabAtX(edges, 37), 1);
  EXPECT_EQ(TabAtX(edges, 76), -1);
  EXPECT_EQ(WrappedTab(6, 7, +1), 0);
  EXPECT_EQ(WrappedTab(0, 7, -1), 6);
  EXPECT_EQ(WrappedTab(2, 7, +1), 3);
  EXPECT_EQ(FolderPageTop(16), 23);
}
