// The window-independent rules of the plim32 controls: the appearance settings, caption
// measuring text, the button state word and its transitions, the spin button's stepping and
// size, the meter's split and percentage, and the tab folder's geometry and keyboard wrap.
// The window procedures (the *_win.cpp files) only translate messages into these calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plim {

// ---- appearance ("Plim.ini", section "Plim3D")
struct Settings {
  int GiraGira = 0;   // embossed captions
  int Frame3D = 0;    // dialogs draw a 3D frame inside their client edge
  int FrameSize = 0;  // > 0 raised of that many pixels, <= 0 sunken of |FrameSize| (0 draws one)
};

struct FrameLook {
  int thickness;
  bool raised;
};
FrameLook DialogFrameLook(int frameSize);

// Number of nested one-pixel frames Draw3DFrame paints in a width x height rectangle: the
// thickness (at least one), but never more than fit before the rectangle collapses.
int FrameRingCount(int thickness, int width, int height);

// ---- captions
constexpr int MaxCaptionBytes = 99;

// The caption as it is measured: every mnemonic "&" removed, "&&" kept as one "&".
// Double-byte characters are stepped over whole.
std::string StripMnemonics(std::string_view caption);

// ---- the button state word
enum StateBits : uint16_t {
  Disabled = 0x01,
  Focused = 0x02,
  Pressed = 0x04,
  Tracking = 0x08,
  Checked = 0x10,
  IsDefault = 0x20,
  Outside = 0x40,
  UpperHalf = 0x80,
};

uint16_t InitialButtonState(uint32_t style, bool disabledStyle);
constexpr uint16_t WithBits(uint16_t state, uint16_t bits, bool on) {
  return on ? uint16_t(state | bits) : uint16_t(state & ~bits);
}
bool LooksPressed(uint16_t state);
// The BM_GETSTATE answer: 0x04 while the control is pushed, 0x08 focused, 0x01 checked.
uint32_t ReportedButtonState(uint16_t state);
// The space bar's key-down: starts a press unless one is already under way.
uint16_t OnSpaceDown(uint16_t state);

enum class Click { Push, Toggle, Radio };
// A "PlimTool" latches (toggles) when its style has bit 0 or bit 2 set.
Click ToolButtonClick(uint32_t style);

// The left button's release while tracking: the new state and whether it completes a click.
struct Release {
  uint16_t state;
  bool clicked;
};
Release OnTrackingRelease(uint16_t state);
// The state after a click of the given kind (press bits cleared, check inverted by Toggle).
uint16_t AfterClick(uint16_t state, Click kind);

// ---- spin button
constexpr unsigned SpinFirstDelayMs = 400;
constexpr unsigned SpinRepeatMs = 100;
constexpr unsigned SpinDelayTimer = 2;
constexpr unsigned SpinRepeatTimer = 1;

struct SpinRange {
  unsigned minimum = 0;
  unsigned maximum = 99;
};
SpinRange SpinRangeFromParam(uint32_t lowMinHighMax);

struct Size {
  int width;
  int height;
};
Size SpinCreateSize(int height);

// Reads a number the way the buddy field is read: optional blanks, an optional sign and
// digits; anything else (or nothing) reads as 0.  Values out of range saturate.
long ParseSignedNumber(std::string_view text);
// One buddy step: the buddy's text read as a number, moved by one when the press counts
// (tracking inside), clamped to the maximum and then to the minimum.
long SpinBuddyValue(std::string_view buddyText, bool stepping, bool upward, SpinRange range);

// ---- meter
// The x where the bar ends for the given inner span; a maximum of 0 counts as 1 and the bar
// never leaves the inner rectangle.
int MeterBarEnd(int innerLeft, int innerRight, unsigned position, unsigned maximum);
std::string MeterPercentText(unsigned position, unsigned maximum);

// ---- tab folder
constexpr int MaxFolderTextBytes = 255;
constexpr int FirstTabX = 8;

// Splits the window text at "|" (never inside a double-byte character); each caption is cut
// to at most MaxCaptionBytes bytes.  A text without "|" is one tab.
std::vector<std::string> SplitTabCaptions(std::string_view text);
// Tab i spans edges[i] .. edges[i + 1]; edges[0] = 8 and each tab is its caption width + 9.
std::vector<int> TabEdges(const std::vector<int>& captionWidths);
// The tab whose span holds x, or -1 (left of the first tab, right of the last).
int TabAtX(const std::vector<int>& edges, int x);
// Left (-1) or right (+1) from the current tab, wrapping at either end.
int WrappedTab(int current, int count, int direction);
constexpr int FolderPageTop(int captionHeight) { return captionHeight + 7; }
constexpr int FolderStripBottom(int captionHeight) { return captionHeight + 9; }

}  // namespace plim
