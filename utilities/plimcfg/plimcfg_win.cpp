// PLIMCFG.EXE: the one dialog "Main" that edits the appearance settings of PLIM32.DLL in
// "Plim.ini" (section "Plim3D"), says that they apply from the next start on, and asks every
// open "PlimDialog" window to repaint.  It uses only the standard controls.
#include <windows.h>

#include <cstring>
#include <string>

#include "utilities/plimcfg/plimcfg_ids.h"
#include "utilities/plimcfg/plimcfg_values.h"

namespace {

const char IniFile[] = "Plim.ini";
const char Section[] = "Plim3D";

HINSTANCE Instance = nullptr;

void LoadSettings(HWND dialog) {
  UINT giraGira = GetPrivateProfileIntA(Section, "GiraGira", 0, IniFile);
  UINT frame3D = GetPrivateProfileIntA(Section, "Frame3D", 1, IniFile);
  UINT frameSize = GetPrivateProfileIntA(Section, "FrameSize", 2, IniFile);
  CheckDlgButton(dialog, IDC_GIRAGIRA, giraGira ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_FRAME3D, frame3D ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemInt(dialog, IDC_FRAMESIZE, frameSize, FALSE);
}

void SaveSettings(HWND dialog) {
  WritePrivateProfileStringA(Section, "GiraGira",
                             plimcfg::FlagText(IsDlgButtonChecked(dialog, IDC_GIRAGIRA) == BST_CHECKED), IniFile);
  WritePrivateProfileStringA(Section, "Frame3D",
                             plimcfg::FlagText(IsDlgButtonChecked(dialog, IDC_FRAME3D) == BST_CHECKED), IniFile);
  char field[64] = "";
  GetDlgItemTextA(dialog, IDC_FRAMESIZE, field, sizeof field);
  WritePrivateProfileStringA(Section, "FrameSize", plimcfg::FrameSizeText(field).c_str(), IniFile);
}

// Depth first, children before their parent.
void RepaintPlimDialogs(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    RepaintPlimDialogs(child);
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strncmp(name, "PlimDialog", 13) == 0) InvalidateRect(window, nullptr, TRUE);
}

void RepaintAllPlimDialogs() {
  for (HWND top = GetWindow(GetDesktopWindow(), GW_CHILD); top; top = GetWindow(top, GW_HWNDNEXT))
    RepaintPlimDialogs(top);
}

}  // namespace

extern "C" INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      LoadSettings(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        SaveSettings(dialog);
        MessageBoxA(dialog, "修正結果は次回起動時以降に反映されます", "CAUTION!", MB_OK | MB_ICONINFORMATION);
        RepaintAllPlimDialogs();
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Instance = instance;
  DialogBoxParamA(Instance, "Main", nullptr, MainDialogProc, 0);
  return 0;
}
