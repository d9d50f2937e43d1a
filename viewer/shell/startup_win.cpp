// Start and end of the viewer's process-wide resources (see startup_win.h).
#include "viewer/shell/startup_win.h"

#include <cstring>

#include "controls/plim32_win.h"
#include "viewer/document/document_host.h"
#include "viewer/resources/resource_names.h"
#include "viewer/frame/help_win.h"
#include "viewer/shell/menus_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kControlLibraryName[] = "PLIM32.DLL";
constexpr DWORD kMissingLibraryTopic = 6000;
constexpr char kMissingLibraryMessage[] =
    "PLIM32.DLLが見つからないか、古い版です。\nZV32.EXEと同じフォルダにPLIM32.DLL(1.44以降)を置いてください。";

}  // namespace

bool LoadControlLibrary() {
  ControlLibrary.Reset(LoadLibraryA(kControlLibraryName));
  if (!ControlLibrary) return false;
  // Through void* so the compiler accepts the change of function type.
  auto version = reinterpret_cast<PlimGetVersionFunction>(
      reinterpret_cast<void*>(GetProcAddress(ControlLibrary, "GETVersion")));
  if (version && version() >= PLIM_VERSION) return true;
  FreeControlLibrary();
  return false;
}

void FreeControlLibrary() {
  ControlLibrary.Reset();
}

// The help topic explains what to do; without the help file beside the program, a message
// box says it instead (the help engine would only ask where the help file is).
void ShowMissingLibraryHelp() {
  if (HelpFileExists()) {
    WinHelpA(nullptr, HelpPath, HELP_CONTEXT, kMissingLibraryTopic);
    return;
  }
  MessageBoxA(nullptr, kMissingLibraryMessage, kProgramTitle, MB_OK | MB_ICONERROR);
}

void LoadSharedResources() {
  OemFont = static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT));
  ToolBarBitmap.Reset(LoadBitmapA(Instance, kToolBarBitmap));
  LogoBitmap.Reset(LoadBitmapA(Instance, kLogoBitmap));
  FlagBitmap.Reset(LoadBitmapA(Instance, kFlagBitmap));
  IconBitmap.Reset(LoadBitmapA(Instance, kIconBitmap));
  MainMenu.Reset(LoadMenuA(Instance, kMainMenu));
  LineCursor = LoadCursorA(Instance, kLineCursor);
  FlagCursor = LoadCursorA(Instance, kFlagCursor);
  FilerPopupMenu.Reset(CreatePopupMenu());
}

void CreateSettingFonts() {
  if (TextFontStored) {
    LOGFONTA font = LogFontFromBytes(TextFont);
    DisplayFont.Reset(CreateFontIndirectA(&font));
  }
  if (FilerFontStored) {
    LOGFONTA font = LogFontFromBytes(FilerFont);
    FilerFontHandle.Reset(CreateFontIndirectA(&font));
  }
}

void ReleaseSharedResources() {
  DestroyContextMenus();
  for (win::Bitmap* bitmap : {&ToolBarBitmap, &MarkGlyphBitmap, &LogoBitmap, &FlagBitmap, &IconBitmap}) bitmap->Reset();
  DisplayFont.Reset();
  FilerFontHandle.Reset();
  OemFont = nullptr;  // a stock object: nothing to delete
  MainMenu.Reset();
  FilerPopupMenu.Reset();
  LineCursor = FlagCursor = nullptr;  // shared resource cursors: the system frees them
}
