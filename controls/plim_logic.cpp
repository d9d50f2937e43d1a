// The window-independent rules of the plim32 controls (see plim_logic.h).
#include "controls/plim_logic.h"

#include <climits>
#include <cstdio>

#include "text/sjis.h"

namespace plim {

FrameLook DialogFrameLook(int frameSize) {
  if (frameSize > 0) return {frameSize, true};
  return {frameSize == INT_MIN ? INT_MAX : -frameSize, false};
}

int FrameRingCount(int thickness, int width, int height) {
  int smaller = width < height ? width : height;
  int fit = (smaller + 1) / 2;
  if (fit < 1) fit = 1;
  int rings = thickness < 2 ? 1 : thickness;
  return rings < fit ? rings : fit;
}

std::string StripMnemonics(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    uint8_t b = uint8_t(caption[i]);
    if (IsSjisLead(b) && i + 1 < caption.size()) {
      out += caption.substr(i, 2);
      ++i;
    } else if (b == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
    } else {
      out += char(b);
    }
  }
  return out;
}

uint16_t InitialButtonState(uint32_t style, bool disabledStyle) {
  uint16_t state = 0;
  if (disabledStyle) state |= Disabled;
  if ((style & 0x1F) == 1) state |= IsDefault;
  return state;
}

bool LooksPressed(uint16_t state) { return (state & (Pressed | Tracking)) && !(state & Outside); }

uint32_t ReportedButtonState(uint16_t state) {
  uint32_t result = 0;
  if (LooksPressed(state)) result |= 0x04;
  if (state & Focused) result |= 0x08;
  if (state & Checked) result |= 0x01;
  return result;
}

uint16_t OnSpaceDown(uint16_t state) {
  if (state & (Tracking | Pressed)) return state;
  return uint16_t(state | Pressed);
}

Click ToolButtonClick(uint32_t style) { return (style & 0x05) ? Click::Toggle : Click::Push; }

Release OnTrackingRelease(uint16_t state) {
  if (state & Outside) return {uint16_t(state & ~(Tracking | Outside)), false};
  return {state, true};
}

uint16_t AfterClick(uint16_t state, Click kind) {
  state = uint16_t(state & ~(Pressed | Tracking));
  if (kind == Click::Toggle) state ^= Checked;
  return state;
}

SpinRange SpinRangeFromParam(uint32_t lowMinHighMax) {
  return {lowMinHighMax & 0xFFFF, lowMinHighMax >> 16};
}

Size SpinCreateSize(int height) {
  int even = height & ~1;
  return {(even - 20) / 2 + 12, even};
}

long ParseSignedNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    int digit = text[i] - '0';
    value = value > (LONG_MAX - digit) / 10 ? LONG_MAX : value * 10 + digit;
  }
  return negative ? -value : value;
}

long SpinBuddyValue(std::string_view buddyText, bool stepping, bool upward, SpinRange range) {
  long value = ParseSignedNumber(buddyText);
  if (stepping) {
    if (upward && value < LONG_MAX) ++value;
    if (!upward && value > LONG_MIN) --value;
  }
  if (value > long(range.maximum)) value = long(range.maximum);
  if (value < long(range.minimum)) value = long(range.minimum);
  return value;
}

int MeterBarEnd(int innerLeft, int innerRight, unsigned position, unsigned maximum) {
  if (maximum == 0) maximum = 1;
  long long width = innerRight > innerLeft ? innerRight - innerLeft : 0;
  long long filled = width * position / maximum;
  if (filled > width) filled = width;
  return innerLeft + int(filled);
}

std::string MeterPercentText(unsigned position, unsigned maximum) {
  if (maximum == 0) maximum = 1;
  char text[16];
  std::snprintf(text, sizeof text, "%u%%", unsigned(uint64_t(position) * 100 / maximum));
  return text;
}

static std::string CutCaption(std::string_view caption) {
  size_t end = 0;
  while (end < caption.size()) {
    size_t step = IsSjisLead(uint8_t(caption[end])) && end + 1 < caption.size() ? 2 : 1;
    if (end + step > size_t(MaxCaptionBytes)) break;
    end += step;
  }
  return std::string(caption.substr(0, end));
}

std::vector<std::string> SplitTabCaptions(std::string_view text) {
  std::vector<std::string> captions;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsSjisLead(uint8_t(text[i])) && i + 1 < text.size()) {
      ++i;
    } else if (text[i] == '|') {
      captions.push_back(CutCaption(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  captions.push_back(CutCaption(text.substr(start)));
  return captions;
}

std::vector<int> TabEdges(const std::vector<int>& captionWidths) {
  std::vector<int> edges{FirstTabX};
  for (int width : captionWidths) edges.push_back(edges.back() + width + 9);
  return edges;
}

int TabAtX(const std::vector<int>& edges, int x) {
  for (size_t i = 0; i + 1 < edges.size(); ++i)
    if (x >= edges[i] && x < edges[i + 1]) return int(i);
  return -1;
}

int WrappedTab(int current, int count, int direction) {
  if (count <= 0) return 0;
  return ((current + direction) % count + count) % count;
}

}  // namespace plim
