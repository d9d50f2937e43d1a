// The tool bar: one "PlimTool" child per entry of ToolBarList, in a row below the menu or in
// a column at the left.
#include "viewer/shell/tool_bar_win.h"

#include <vector>

#include "plim32_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/tool_button_table.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

int ToolBarEnd = 0;

namespace {

constexpr char kToolClass[] = "PlimTool";
constexpr uint8_t kToolBarGap = 0xFF;
constexpr uint8_t kToolBarEnd = 0xFE;
constexpr int kGapWidth = 7;
constexpr int kButtonWidth = 25;
constexpr int kButtonHeight = 21;
constexpr int kHorizontalStep = 24;
constexpr int kVerticalStep = 20;

void CreateToolButton(HWND mainWindow, const ToolButton& row, int x, int y) {
  PlimToolCreate create{ToolBarBitmap, row.image};
  CreateWindowExA(0, kToolClass, row.description, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, kButtonWidth,
                  kButtonHeight, mainWindow, reinterpret_cast<HMENU>(UINT_PTR(row.command)), Instance, &create);
}

}  // namespace

void BuildToolBar(HWND mainWindow) {
  const bool horizontal = ToolBarPlacement == 1;
  int p = horizontal ? 5 : 1;
  for (size_t i = 0; i < kToolBarListSize && ToolBarList[i] != kToolBarEnd; ++i) {
    const uint8_t entry = ToolBarList[i];
    if (entry == kToolBarGap) {
      p += kGapWidth;
      continue;
    }
    // A stored list may name a button the table does not have; it is left out.
    if (entry >= kToolButtonCount) continue;
    if (horizontal)
      CreateToolButton(mainWindow, ToolButtonTable[entry], p, 2);
    else
      CreateToolButton(mainWindow, ToolButtonTable[entry], 2, p);
    p += horizontal ? kHorizontalStep : kVerticalStep;
  }
  ToolBarEnd = p + 8;
}

namespace {

std::vector<HWND> ToolButtons(HWND mainWindow) {
  std::vector<HWND> buttons;
  for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (HasWindowClass(child, kToolClass)) buttons.push_back(child);
  }
  return buttons;
}

}  // namespace

void DestroyToolBar(HWND mainWindow) {
  for (HWND button : ToolButtons(mainWindow)) DestroyWindow(button);
}

void ShowToolBar(HWND mainWindow, bool show) {
  for (HWND button : ToolButtons(mainWindow)) ShowWindow(button, show ? SW_SHOWNA : SW_HIDE);
}
