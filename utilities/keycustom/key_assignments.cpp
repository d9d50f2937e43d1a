// The key customizer's working table and its list lines (see key_assignments.h).
#include "utilities/keycustom/key_assignments.h"

#include <algorithm>
#include <cstring>

#include "text/sjis.h"
#include "viewer/settings/command_table.h"

int AssignmentTable::UsedCount() const { return int(std::count(std::begin(used_), std::end(used_), true)); }

void AssignmentTable::Clear() {
  std::fill(std::begin(slots_), std::end(slots_), KeyRecord{});
  std::fill(std::begin(used_), std::end(used_), false);
}

void AssignmentTable::LoadRecords(std::span<const uint8_t> bytes) {
  Clear();
  size_t records = std::min(bytes.size() / sizeof(KeyRecord), size_t(kKeyRecordCount));
  for (size_t slot = 0; slot < records; ++slot) {
    std::memcpy(&slots_[slot], bytes.data() + slot * sizeof(KeyRecord), sizeof(KeyRecord));
    used_[slot] = slots_[slot].virtualKey != 0;
  }
}

void AssignmentTable::PackImage(uint8_t (&image)[kKeyTableBytes]) const {
  std::memset(image, 0, sizeof image);
  uint8_t* next = image;
  for (int slot = 0; slot < kKeyRecordCount; ++slot) {
    if (!used_[slot]) continue;
    std::memcpy(next, &slots_[slot], sizeof(KeyRecord));
    next += sizeof(KeyRecord);
  }
}

int AssignmentTable::FindSame(uint16_t virtualKey, uint8_t modifiers) const {
  for (int slot = 0; slot < kKeyRecordCount; ++slot)
    if (used_[slot] && slots_[slot].virtualKey == virtualKey && slots_[slot].modifiers == modifiers) return slot;
  return kNoSlot;
}

int AssignmentTable::Add(const KeyRecord& record) {
  for (int slot = 0; slot < kKeyRecordCount; ++slot) {
    if (used_[slot]) continue;
    slots_[slot] = record;
    used_[slot] = true;
    return slot;
  }
  return kNoSlot;
}

void AssignmentTable::Free(int slot) {
  slots_[slot] = KeyRecord{};
  used_[slot] = false;
}

namespace {

// The longest prefix of `name` that fits `columns` bytes without splitting a double-byte
// character.
std::string_view FittingPrefix(std::string_view name, size_t columns) {
  size_t end = 0;
  while (end < name.size()) {
    size_t width = IsSjisLead(uint8_t(name[end])) && end + 1 < name.size() ? 2 : 1;
    if (end + width > columns) break;
    end += width;
  }
  return name.substr(0, end);
}

}  // namespace

std::string AssignmentLine(std::string_view keyName, uint8_t modifiers, uint16_t command) {
  std::string line(FittingPrefix(keyName, kKeyNameColumns));
  line.resize(kKeyNameColumns, ' ');
  line += '+';
  line += (modifiers & kModShift) ? 'S' : ' ';
  line += (modifiers & kModCtrl) ? 'C' : ' ';
  line += ':';
  line += CommandName(command);
  return line;
}

int LineInsertIndex(std::span<const uint16_t> listedCommands, uint16_t command) {
  return int(std::upper_bound(listedCommands.begin(), listedCommands.end(), command) - listedCommands.begin());
}
