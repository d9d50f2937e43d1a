// The settings dialog's working copies in portable form: the tool-bar and right-button menu
// lists as the dialog's list boxes hold them, the start-up window style as three choices, and
// the checks on what the user types (numbers, link paths).  The dialog's Win32 code moves
// these between the controls and the settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A tool-bar gap or a menu separator in a list ("--------").
constexpr int kGapItem = -1;

// ToolButtonTable rows of a ToolBarList (0xFF a gap), up to its 0xFE end mark or the end of
// the block; numbers that name no row are left out.
std::vector<int> ToolBarItems(const uint8_t* list, size_t size);
// Writes the rows (kGapItem as 0xFF) and the end mark; false, with the block untouched, when
// they would not fit.
bool StoreToolBarItems(std::span<const int> items, uint8_t* list, size_t size);
// Every ToolButtonTable row, ordered by its image index.
std::vector<int> ToolRowsByImage();

// Command codes of a right-button menu (0xFFFF a separator, kGapItem here) up to its 0xFFFE
// end mark or the end of the block.
std::vector<int> RightMenuItems(const uint16_t* entries, size_t count);
// Writes the codes and the end mark; false, with the block untouched, when they would not fit.
bool StoreRightMenuItems(std::span<const int> items, uint16_t* entries, size_t count);

// How many items a list of `capacity` entries holds besides its end mark.
constexpr size_t ListItemLimit(size_t capacity) { return capacity > 0 ? capacity - 1 : 0; }

// WindowStyle: bit 0 the system's placement, bit 1 start maximized, bit 2 fit to the wrap width.
struct WindowStyleChoices {
  bool systemPlacement = true;
  bool maximize = false;
  bool fitToWrapWidth = false;
};
int32_t WindowStyleFromChoices(const WindowStyleChoices& choices);
WindowStyleChoices ChoicesFromWindowStyle(int32_t style);

// A number field of the dialog: its caption and the values it accepts.
struct NumberField {
  const char* caption;
  int32_t minimum;
  int32_t maximum;
};
// The digits of `text` (blanks around them allowed) when they give a value within the
// field's range; false for an empty, signed, non-numeric or out-of-range entry.
bool ParseNumberField(std::string_view text, const NumberField& field, int32_t& value);
// The message that refuses an entry of the field, naming it and its range.
std::string NumberFieldMessage(const NumberField& field);

// A window-link path fits its 16-byte slot with room to spare: at most 14 bytes.
constexpr size_t kLinkPathLimit = 14;
bool LinkPathFits(std::string_view path);
// The message that refuses a link path that is too long, naming the field.
std::string LinkPathMessage(const char* caption);
