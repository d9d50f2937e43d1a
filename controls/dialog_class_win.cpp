// "PlimDialog", the dialog class of every dialog in the system: the button-face background,
// the optional 3D frame inside the client edge ("Frame3D", "FrameSize"), sunken frames around
// entry fields, list boxes, combo boxes and spins, and face-coloured control backgrounds.
#include "platform/win/owners.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

using namespace plim;
using namespace win;

namespace {

bool WantsEntryFrame(HWND child) {
  for (const char* name : {"COMBOBOX", "EDIT", "LISTBOX", "PlimSpin"})
    if (ClassNameIs(child, name, 8)) return true;
  return false;
}

void PaintDialog(HWND hwnd) {
  PaintDC dc(hwnd);
  if (Lib.settings.Frame3D) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    FrameLook look = DialogFrameLook(Lib.settings.FrameSize);
    Draw3DFrame(dc, rc, look.thickness, look.raised);
  }
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) || !WantsEntryFrame(child)) continue;
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rc), 2);
    InflateRect(&rc, 1, 1);
    Draw3DFrame(dc, rc, 1, false);
  }
}

bool TakesDefaultColours(UINT message, HWND control) {
  if (message == WM_CTLCOLOREDIT) return true;
  return message == WM_CTLCOLORLISTBOX && !ClassNameIs(control, "COMBOBOX", 8);
}

}  // namespace

extern "C" LRESULT CALLBACK PlimDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintDialog(hwnd);
    return 0;
  }
  if (message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC) {
    SetBkMode(HDC(wParam), TRANSPARENT);
    if (TakesDefaultColours(message, HWND(lParam)))
      return CallWindowProcA(Lib.dialogProc, hwnd, message, wParam, lParam);
    return LRESULT(Lib.faceBrush.get());
  }
  return CallWindowProcA(Lib.dialogProc, hwnd, message, wParam, lParam);
}
