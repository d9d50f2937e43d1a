// The default key assignment.  Letters are the virtual-key codes of the upper-case letters.
// This file is also compiled on its own by the build-time generator (no Shift-JIS texts here).
#include "viewer/settings/default_key_table.h"

#include <cstring>
#include <iterator>

namespace {

enum : uint16_t {
  kBack = 0x08, kEnter = 0x0D, kEscape = 0x1B, kSpace = 0x20, kPageUp = 0x21, kPageDown = 0x22,
  kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kDelete = 0x2E,
  kF1 = 0x70, kF5 = 0x74, kF6 = 0x75, kF7 = 0x76, kF8 = 0x77,
};

constexpr uint8_t kNone = 0, kCtrl = kModCtrl, kShift = kModShift, kCtrlShift = kModCtrl | kModShift;

constexpr KeyRecord kDefaultRecords[] = {
    {kEnter, kNone, 8},  {kSpace, kNone, 8},   {'C', kNone, 8},       {kPageDown, kNone, 8},
    {'R', kNone, 7},     {kSpace, kShift, 7},  {kPageUp, kNone, 7},   {'S', kNone, 6},
    {kRight, kNone, 6},  {'D', kNone, 5},      {kLeft, kNone, 5},     {kDown, kNone, 4},
    {kUp, kNone, 2},     {kHome, kNone, 9},    {kEnd, kShift, 9},     {kEnd, kNone, 10},
    {kHome, kShift, 10}, {'J', kNone, 11},     {kBack, kNone, 50},    {kDelete, kNone, 50},
    {'F', kNone, 200},   {'P', kNone, 201},    {'O', kNone, 201},     {'N', kNone, 202},
    {'L', kNone, 202},   {kF5, kShift, 150},   {kF6, kShift, 151},    {kF7, kShift, 152},
    {kF8, kShift, 153},  {kF5, kNone, 160},    {kF6, kNone, 161},     {kF7, kNone, 162},
    {kF8, kNone, 163},   {'P', kCtrl, 101},    {'P', kCtrlShift, 100}, {'T', kNone, 250},
    {'B', kNone, 251},   {kF1, kNone, 950},    {kEnter, kShift, 951}, {kEnter, kCtrlShift, 952},
    {kEscape, kNone, 953}, {'X', kNone, 953},  {'Q', kNone, 953},  {'F', kShift, 305},
};
static_assert(std::size(kDefaultRecords) == 44);

}  // namespace

std::span<const KeyRecord> DefaultKeyRecords() { return kDefaultRecords; }

void DefaultKeyTableImage(uint8_t (&image)[kKeyTableBytes]) {
  std::memset(image, 0, sizeof image);
  std::memcpy(image, kDefaultRecords, sizeof kDefaultRecords);
}
