// The command table and the WM_COMMAND id normalisation; the display toggle and the mark
// display cycle.
#include "viewer/settings/command_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "viewer/resources/zv32_ids.h"

namespace {

CommandAction Menu(int id) { return {CommandKind::kMenu, id}; }

TEST(CommandNameTable, ListOrderAndClosingEntry) {
  ASSERT_EQ(kCommandNameCount, 79);  // 78 commands and the closing entry
  EXPECT_EQ(CommandNameTable[0].code, 1);
  EXPECT_EQ(CommandNameTable[4].code, 12);  // the horizontal single steps follow the vertical ones
  EXPECT_EQ(CommandNameTable[8].code, 5);
  const CommandEntry& last = CommandNameTable[kCommandNameCount - 1];
  EXPECT_EQ(last.code, 0);
  EXPECT_STREQ(last.name, "??Unknown??");
  std::set<int> codes;
  for (int i = 0; i < kCommandNameCount - 1; ++i) {
    EXPECT_NE(CommandNameTable[i].code, 0);
    EXPECT_TRUE(codes.insert(CommandNameTable[i].code).second) << "code " << CommandNameTable[i].code;
  }
}

TEST(CommandNameTable, NamesAreShiftJis) {
  EXPECT_STREQ(CommandName(1), "\x82\x50\x8D\x73\x8F\xE3\x82\xD6");  // "１行上へ"
  EXPECT_STREQ(CommandName(150), "\x83\x7D\x81\x5B\x83\x4E\x83\x5A\x83\x62\x83\x67\x87\x54");
  EXPECT_STREQ(CommandName(58), "Window\x98\x41\x8C\x67\x82\xCC\xC4\xB8\xDE\xD9");
  EXPECT_STREQ(CommandName(999), "??Unknown??");
  EXPECT_STREQ(CommandName(0), "??Unknown??");
}

// The id a key's command code arrives with.
int KeyId(int code) { return kCommandIdBase + code; }

TEST(NormalizeCommandId, KeyCodesMapToTheirMenusAndScrolls) {
  EXPECT_EQ(NormalizeCommandId(KeyId(9)), Menu(IDM_TOP));
  EXPECT_EQ(NormalizeCommandId(KeyId(1)), (CommandAction{CommandKind::kVScroll, 13}));
  EXPECT_EQ(NormalizeCommandId(KeyId(19)), (CommandAction{CommandKind::kHScroll, 3}));
  EXPECT_EQ(NormalizeCommandId(KeyId(150)), Menu(IDM_MARK_SET_1));
  EXPECT_EQ(NormalizeCommandId(KeyId(163)), Menu(IDM_MARK_JUMP_4));
  EXPECT_EQ(NormalizeCommandId(KeyId(909)), Menu(IDM_TOOL_MENU));
  EXPECT_EQ(NormalizeCommandId(KeyId(950)), Menu(IDM_HELP));
  EXPECT_EQ(NormalizeCommandId(KeyId(252)).kind, CommandKind::kToggleDisplay);
  EXPECT_EQ(NormalizeCommandId(KeyId(253)).kind, CommandKind::kCycleMarks);
  EXPECT_EQ(NormalizeCommandId(KeyId(952)).kind, CommandKind::kEditorThenExit);
  EXPECT_EQ(NormalizeCommandId(KeyId(500)).kind, CommandKind::kNone);
  EXPECT_EQ(NormalizeCommandId(KeyId(0)).kind, CommandKind::kNone);
}

TEST(NormalizeCommandId, ToolsWindowListAndPlainMenus) {
  EXPECT_EQ(NormalizeCommandId(IDM_TOOL_1), (CommandAction{CommandKind::kRunTool, 0}));
  EXPECT_EQ(NormalizeCommandId(IDM_TOOL_7), (CommandAction{CommandKind::kRunTool, 6}));
  EXPECT_EQ(NormalizeCommandId(KeyId(903)), (CommandAction{CommandKind::kRunTool, 3}));
  EXPECT_EQ(NormalizeCommandId(IDM_TOOL_7 + 1), Menu(IDM_TOOL_7 + 1));
  EXPECT_EQ(NormalizeCommandId(IDM_VIEWER_FIRST), (CommandAction{CommandKind::kActivateViewer, 1}));
  EXPECT_EQ(NormalizeCommandId(IDM_VIEWER_LAST), (CommandAction{CommandKind::kActivateViewer, 81}));
  EXPECT_EQ(NormalizeCommandId(IDM_VIEWER_FIRST - 1), Menu(IDM_VIEWER_FIRST - 1));
  EXPECT_EQ(NormalizeCommandId(IDM_RECENT_FIRST + 2), Menu(IDM_RECENT_FIRST + 2));  // not mark set 3
  EXPECT_EQ(NormalizeCommandId(IDM_OPEN), Menu(IDM_OPEN));
}

TEST(DisplayToggle, SwitchesToTheOtherMode) {
  EXPECT_EQ(DisplayToggleMenu(1), IDM_TEXT_MODE);
  EXPECT_EQ(DisplayToggleMenu(0), IDM_BINARY_MODE);
}

TEST(MarkDisplayCycle, StepsThroughItsStates) {
  int32_t cr = 0, tab = 0;
  NextMarkDisplay(cr, tab);
  EXPECT_EQ(std::make_pair(cr, tab), std::make_pair(1, 0));
  NextMarkDisplay(cr, tab);
  EXPECT_EQ(std::make_pair(cr, tab), std::make_pair(1, 1));
  NextMarkDisplay(cr, tab);
  EXPECT_EQ(std::make_pair(cr, tab), std::make_pair(0, 0));
  cr = 0, tab = 1;
  NextMarkDisplay(cr, tab);
  EXPECT_EQ(std::make_pair(cr, tab), std::make_pair(0, 0));
}

}  // namespace
