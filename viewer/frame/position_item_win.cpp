// The position item's text and the width its row count needs (see position_item_win.h).
#include "viewer/frame/position_item_win.h"

#include <cstring>
#include <string>

#include "platform/win/owners.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

int NeededWidth = 0;  // pixels; 0 until a position was shown
// What NeededWidth was measured for: the widest text in the item's font.
std::string MeasuredText;
HGDIOBJ MeasuredFont = nullptr;

// "count/count" with every digit a '0': the widest text the position item shows for this
// row count (the top row has no more digits than the count).
std::string WidestPosition(const char* text) {
  const char* slash = std::strchr(text, '/');
  const size_t countDigits = slash ? std::strlen(slash + 1) : std::strlen(text);
  return std::string(countDigits, '0') + "/" + std::string(countDigits, '0');
}

// The text's width in the item's font, with room for the frame and a margin each side.
int WidthFor(HWND item, HGDIOBJ itemFont, const std::string& text) {
  win::WindowDC dc(item);
  win::Selection font(dc, itemFont);
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &extent);
  SIZE margin{};
  GetTextExtentPoint32A(dc, "00", 2, &margin);
  return int(extent.cx + margin.cx);
}

}  // namespace

void ShowPositionText(HWND mainWindow, const char* text) {
  HWND item = mainWindow ? GetDlgItem(mainWindow, kPositionTextId) : nullptr;
  if (!item) return;
  // Unchanged text is not set again: a followed file reports its position at every look, and
  // each text change and measurement is a round trip to the window server under Wine.
  char shown[48] = "";
  if (!MeasuredText.empty() && GetWindowTextA(item, shown, sizeof shown) > 0 && std::strcmp(shown, text) == 0) return;
  SetWindowTextA(item, text);
  const std::string widest = WidestPosition(text);
  const HGDIOBJ itemFont = reinterpret_cast<HGDIOBJ>(SendMessageA(item, WM_GETFONT, 0, 0));
  if (widest == MeasuredText && itemFont == MeasuredFont) return;
  MeasuredText = widest;
  MeasuredFont = itemFont;
  const int width = WidthFor(item, itemFont, widest);
  if (width == NeededWidth) return;
  NeededWidth = width;
  RECT client{};
  GetClientRect(mainWindow, &client);
  if (!IsIconic(mainWindow)) SendMessageA(mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

int PositionItemWidth(int leastWidth) { return NeededWidth > leastWidth ? NeededWidth : leastWidth; }
