// '|'-joined settings lists.
#include "viewer/settings/bar_lists.h"

#include <cstring>
#include <vector>

#include "text/sjis.h"

namespace {

// Positions of the '|' separators of text, stepping over double-byte characters.
std::vector<size_t> BarPositions(const char* text, size_t length) {
  std::vector<size_t> bars;
  for (size_t i = 0; i < length; ++i) {
    if (IsSjisLead(uint8_t(text[i])) && i + 1 < length) ++i;
    else if (text[i] == '|') bars.push_back(i);
  }
  return bars;
}

}  // namespace

void FilerMaskFromText(char* block, size_t size) {
  for (size_t bar : BarPositions(block, strnlen(block, size))) block[bar] = '\0';
}

std::string FilerMaskToText(const char* block, size_t size) {
  std::string text;
  size_t i = 0;
  while (i < size && block[i] != '\0') {
    size_t n = strnlen(block + i, size - i);
    text.append(block + i, n);
    text += '|';
    i += n + 1;
  }
  return text.empty() ? "|" : text;
}

bool SplitWindowLink(const char* text, WindowLinkSlots& slots) {
  size_t length = std::strlen(text);
  std::vector<size_t> bars = BarPositions(text, length);
  if (bars.size() != kLinkSlotCount - 1) return false;
  bars.push_back(length);
  size_t start = 0;
  for (size_t end : bars) {
    if (end - start >= kLinkSlotSize) return false;
    start = end + 1;
  }
  start = 0;
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    size_t n = bars[slot] - start;
    std::memcpy(slots[slot], text + start, n);
    std::memset(slots[slot] + n, 0, kLinkSlotSize - n);
    start = bars[slot] + 1;
  }
  return true;
}

std::string JoinWindowLink(const WindowLinkSlots& slots) {
  std::string text;
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    if (slot > 0) text += '|';
    text.append(slots[slot], strnlen(slots[slot], kLinkSlotSize));
  }
  return text;
}
