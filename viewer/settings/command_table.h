// The key-assignable commands: CommandNameTable (code, name and what the command does, in the
// order the settings dialog and the key customizer list them, closed by code 0 "??Unknown??"),
// and the normalisation of WM_COMMAND ids that DispatchCommand performs before it acts.
#pragma once

#include <cstdint>

enum class CommandKind : uint8_t {
  kNone,             // not a command: default window processing
  kMenu,             // act as menu id `value`
  kVScroll,          // post WM_VSCROLL with scroll code `value` to the text window
  kHScroll,          // post WM_HSCROLL with scroll code `value` to the text window
  kToggleDisplay,    // 252: menu 401 in text mode, 400 in binary mode
  kCycleMarks,       // 253: next step of the CR/TAB mark display
  kEditorThenExit,   // 952: post menu 900, then menu 120
  kRunTool,          // run external tool `value` (0..6, the setting Tool0..Tool6)
  kActivateViewer,   // window list: activate viewer instance `value` (1-based)
};

struct CommandAction {
  CommandKind kind = CommandKind::kNone;
  int value = 0;
  bool operator==(const CommandAction&) const = default;
};

struct CommandEntry {
  uint16_t code;
  const char* name;
  CommandAction action;
};

// In list order; the last entry is {0, "??Unknown??"}.
extern const CommandEntry CommandNameTable[];
extern const int kCommandNameCount;  // entries including the closing one

constexpr int kCommandIdBase = 20000;  // WM_COMMAND id of command code c is 20000 + c

// The name of a command code; "??Unknown??" for codes not in the table.
const char* CommandName(int code);

// What WM_COMMAND `id` (low word of wparam) does: window-list ids 520..600, tools-menu ids
// 950..956 and 20000 + code ids are resolved; any other id is kMenu with the id itself.
CommandAction NormalizeCommandId(int id);

// Command 252: the menu id that switches away from displayMode (0 text, 1 binary).
int DisplayToggleMenu(int displayMode);

// Command 253: (0,0) -> (1,0) -> (1,1) -> (0,0), and (0,1) -> (0,0), over
// (ShowCrMarks, ShowTabMarks); nonzero counts as 1.
void NextMarkDisplay(int32_t& crMarks, int32_t& tabMarks);
