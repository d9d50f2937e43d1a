// ZVKEY32.EXE, the key-assignment customizer of Zelko View 32: loads the control library for
// the dialog's classes and runs the one dialog "Main".
#include <windows.h>

#include "platform/win/owners.h"
#include "utilities/keycustom/main_dialog_win.h"
#include "utilities/keycustom/zvkey32_globals_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  win::Library controls(LoadLibraryA("PLIM32.DLL"));
  if (!controls) {
    ShowToolError(nullptr, "Can't find PLIM.DLL");
    return 1;
  }
  ListFont = HFONT(GetStockObject(OEM_FIXED_FONT));  // a stock font: nothing to free
  BuildViewerPath();
  DialogBoxParamA(instance, "Main", nullptr, MainDialogProc, 0);
  return 0;
}
