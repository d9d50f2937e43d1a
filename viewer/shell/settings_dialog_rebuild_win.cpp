// After OK of the settings dialog: the viewer's windows rebuilt with the new settings (the text
// font measured again, the mark glyphs, the file read again from the top, the menu bar and the
// layout of the main window).
#include <cstring>

#include "viewer/document/document.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/shell/settings_dialog_parts_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kNothingShown[] = "(未表示)";

// The text window measures the new font, rebuilds its marks and counts its rows again; the
// file is read again from the top with the new wrap and tab widths.
void RebuildTextWindow() {
  if (!TextWindow) return;
  MeasureTextFont(TextWindow);
  BuildMarkGlyphs(TextWindow);
  TheDocument.TopLine = 0;
  SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
  // With nothing shown there is nothing to read again (and no missing file to report).
  if (MainWindow && std::strcmp(TheDocument.FileName, kNothingShown) != 0)
    SendMessageA(MainWindow, WM_COMMAND, IDM_RELOAD, 0);
  InvalidateRect(TextWindow, nullptr, TRUE);
}

void RelayOutMainWindow() {
  if (!MainWindow) return;
  SetMenu(MainWindow, ShowMenuBar ? MainMenu.get() : nullptr);
  InvalidateRect(MainWindow, nullptr, TRUE);
  RECT client;
  GetClientRect(MainWindow, &client);
  SendMessageA(MainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  if (!TextWindow) return;
  GetClientRect(TextWindow, &client);
  SendMessageA(TextWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

}  // namespace

void RebuildViewerWindows() {
  RebuildTextWindow();
  RelayOutMainWindow();
}
