// The key customizer's working table (Assignments): 256 key-record slots, each with its own
// in-use flag (the flag, not the key code, says whether a slot is taken), loaded from and
// packed into the 1280-byte image of KeyAssign and of key files, and the text of one line of
// the assignment list.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "viewer/settings/key_record.h"

constexpr int kNoSlot = -1;

class AssignmentTable {
 public:
  const KeyRecord& Record(int slot) const { return slots_[slot]; }
  bool Used(int slot) const { return used_[slot]; }
  int UsedCount() const;

  void Clear();
  // Takes an image of records in slot order: slot i is record i, used when its key is not 0.
  // Bytes beyond 1280 are ignored; slots past the end of a shorter image (a cut-off last
  // record included) are empty.
  void LoadRecords(std::span<const uint8_t> bytes);
  // The used slots in slot order, then zero records up to 256.
  void PackImage(uint8_t (&image)[kKeyTableBytes]) const;

  // The used slot with this key and exactly these modifiers; kNoSlot when there is none.
  int FindSame(uint16_t virtualKey, uint8_t modifiers) const;
  // The first free slot takes the record; kNoSlot when all 256 are used.
  int Add(const KeyRecord& record);
  void Free(int slot);

 private:
  KeyRecord slots_[kKeyRecordCount] = {};
  bool used_[kKeyRecordCount] = {};
};

constexpr int kKeyNameColumns = 10;

// One list line: the key name cut to 10 columns (a double-byte character is never split) and
// padded with blanks, then "+%c%c:%s" with 'S' for Shift, 'C' for Ctrl (blanks otherwise)
// and the command's name ("??Unknown??" for a code not in the command table).
std::string AssignmentLine(std::string_view keyName, uint8_t modifiers, uint16_t command);

// Where a line for `command` goes in a list ordered by command code: after every line whose
// code is equal or smaller.
int LineInsertIndex(std::span<const uint16_t> listedCommands, uint16_t command);
