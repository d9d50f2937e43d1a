// The settings dialog's list and field conversions (see settings_dialog_lists.h).
#include "viewer/settings/settings_dialog_lists.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "viewer/settings/tool_button_table.h"

namespace {

constexpr uint8_t kToolGap = 0xFF;
constexpr uint8_t kToolEnd = 0xFE;
constexpr uint16_t kMenuSeparator = 0xFFFF;
constexpr uint16_t kMenuEnd = 0xFFFE;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Writes the items (kGapItem as `gap`) and the end mark, when they fit.
template <typename Entry>
bool StoreMarkedItems(std::span<const int> items, Entry* entries, size_t count, Entry gap, Entry end) {
  if (items.size() > ListItemLimit(count)) return false;
  size_t i = 0;
  for (int item : items) entries[i++] = item == kGapItem ? gap : Entry(item);
  entries[i] = end;
  return true;
}

}  // namespace

std::vector<int> ToolBarItems(const uint8_t* list, size_t size) {
  std::vector<int> items;
  for (size_t i = 0; i < size && list[i] != kToolEnd; ++i) {
    if (list[i] == kToolGap) items.push_back(kGapItem);
    else if (list[i] < kToolButtonCount) items.push_back(list[i]);
  }
  return items;
}

bool StoreToolBarItems(std::span<const int> items, uint8_t* list, size_t size) {
  return StoreMarkedItems(items, list, size, kToolGap, kToolEnd);
}

std::vector<int> ToolRowsByImage() {
  std::vector<int> rows(kToolButtonCount);
  for (int row = 0; row < kToolButtonCount; ++row) rows[row] = row;
  std::stable_sort(rows.begin(), rows.end(),
                   [](int a, int b) { return ToolButtonTable[a].image < ToolButtonTable[b].image; });
  return rows;
}

std::vector<int> RightMenuItems(const uint16_t* entries, size_t count) {
  std::vector<int> items;
  for (size_t i = 0; i < count && entries[i] != kMenuEnd; ++i)
    items.push_back(entries[i] == kMenuSeparator ? kGapItem : int(entries[i]));
  return items;
}

bool StoreRightMenuItems(std::span<const int> items, uint16_t* entries, size_t count) {
  return StoreMarkedItems(items, entries, count, kMenuSeparator, kMenuEnd);
}

int32_t WindowStyleFromChoices(const WindowStyleChoices& choices) {
  return 4 * int32_t(choices.fitToWrapWidth) + 2 * int32_t(choices.maximize) + int32_t(choices.systemPlacement);
}

WindowStyleChoices ChoicesFromWindowStyle(int32_t style) {
  return {(style & 1) != 0, (style & 2) != 0, (style & 4) != 0};
}

bool ParseNumberField(std::string_view text, const NumberField& field, int32_t& value) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return false;
  int32_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  if (number < field.minimum || number > field.maximum) return false;
  value = number;
  return true;
}

std::string NumberFieldMessage(const NumberField& field) {
  char text[160];
  std::snprintf(text, sizeof text, "「%s」には %ld から %ld までの数を入力してください", field.caption,
                long(field.minimum), long(field.maximum));
  return text;
}

bool LinkPathFits(std::string_view path) { return path.size() <= kLinkPathLimit; }

std::string LinkPathMessage(const char* caption) {
  char text[160];
  std::snprintf(text, sizeof text, "「%s」の連携パスは %d 文字までです", caption, int(kLinkPathLimit));
  return text;
}
