// ToolButtonTable: the 45 buttons a tool bar can hold (ToolBarList stores their indexes): the
// image in the "ToolBar" strip, the command the button sends, the short name the settings
// dialog lists and the description shown in the status bar.
#pragma once

#include <cstdint>

struct ToolButton {
  int16_t image;        // 20-pixel image index in "ToolBar"; -1 closes the table
  uint16_t command;     // control id and WM_COMMAND id
  const char* shortName;
  const char* description;
};

constexpr int kToolButtonCount = 45;
// kToolButtonCount rows and the closing row (image -1).
extern const ToolButton ToolButtonTable[kToolButtonCount + 1];
