// Conversions between the stored settings forms and Win32 structures.
#include <windows.h>

#include <cstring>

#include "viewer/settings/settings_win.h"

static_assert(sizeof(LOGFONTA) == kLogFontSize, "the stored font is the 60-byte LOGFONTA");

LOGFONTA LogFontFromBytes(const LogFontBytes& font) {
  LOGFONTA description;
  std::memcpy(&description, font.bytes, sizeof description);
  description.lfFaceName[LF_FACESIZE - 1] = '\0';
  return description;
}

LogFontBytes BytesFromLogFont(const LOGFONTA& font) {
  LogFontBytes bytes;
  std::memcpy(bytes.bytes, &font, sizeof font);
  return bytes;
}

WindowPlacementValue PlacementOfWindow(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  WindowPlacementValue placement;
  placement.left = rect.left;
  placement.top = rect.top;
  placement.width = rect.right - rect.left;
  placement.height = rect.bottom - rect.top;
  placement.showState = uint8_t(ShowStateOf(IsZoomed(window) != 0, IsIconic(window) != 0));
  return placement;
}

void SaveMainPlacement(HWND window) {
  (void)SaveMainPlacement(PlacementOfWindow(window));  // best effort: the window is closing
}
