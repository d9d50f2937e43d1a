// The assignment list and the command list (see assignment_list_win.h).
#include "utilities/keycustom/assignment_list_win.h"

#include <vector>

#include "utilities/keycustom/key_box_win.h"
#include "utilities/keycustom/zvkey32_globals_win.h"
#include "utilities/keycustom/zvkey32_ids.h"
#include "viewer/settings/command_table.h"

namespace {

HWND AssignmentList(HWND dialog) { return GetDlgItem(dialog, IDC_ASSIGN_LIST); }

int LineCount(HWND list) { return int(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

int SlotOfLine(HWND list, int index) { return int(SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0)); }

std::vector<uint16_t> ListedCommands(HWND list) {
  std::vector<uint16_t> codes;
  for (int index = 0, count = LineCount(list); index < count; ++index)
    codes.push_back(Assignments.Record(SlotOfLine(list, index)).command);
  return codes;
}

}  // namespace

void FillCommandList(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_COMMAND_LIST);
  for (int i = 0; i + 1 < kCommandNameCount; ++i) {  // the closing "??Unknown??" is no command
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(CommandNameTable[i].name));
    SendMessageA(combo, CB_SETITEMDATA, WPARAM(index), LPARAM(CommandNameTable[i].code));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

uint16_t SelectedCommand(HWND dialog) {
  HWND combo = GetDlgItem(dialog, IDC_COMMAND_LIST);
  LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return uint16_t(SendMessageA(combo, CB_GETITEMDATA, WPARAM(index == CB_ERR ? 0 : index), 0));
}

int InsertAssignmentLine(HWND dialog, int slot, std::string_view keyName) {
  HWND list = AssignmentList(dialog);
  const KeyRecord& record = Assignments.Record(slot);
  std::string line = AssignmentLine(keyName, record.modifiers, record.command);
  int index = LineInsertIndex(ListedCommands(list), record.command);
  index = int(SendMessageA(list, LB_INSERTSTRING, WPARAM(index), LPARAM(line.c_str())));
  SendMessageA(list, LB_SETITEMDATA, WPARAM(index), LPARAM(slot));
  return index;
}

void FillAssignmentList(HWND dialog) {
  HWND list = AssignmentList(dialog);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (int slot = 0; slot < kKeyRecordCount; ++slot)
    if (Assignments.Used(slot)) InsertAssignmentLine(dialog, slot, KeyNameOfVirtualKey(Assignments.Record(slot).virtualKey));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void SelectAssignmentLine(HWND dialog, int index) {
  HWND list = AssignmentList(dialog);
  int count = LineCount(list);
  if (index >= count) index = count - 1;
  SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
}

int LineOfSlot(HWND dialog, int slot) {
  HWND list = AssignmentList(dialog);
  for (int index = 0, count = LineCount(list); index < count; ++index)
    if (SlotOfLine(list, index) == slot) return index;
  return -1;
}
