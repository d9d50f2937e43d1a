// PLIM32.DLL start-up and shutdown: the appearance settings from "Plim.ini", the shared bitmaps
// and face brush, and the registration of the sixteen global window classes over the
// system classes whose procedures receive what the controls leave.
#include "controls/plim32_win.h"
#include "controls/plim_procs_win.h"
#include "controls/plim_shared_win.h"

namespace plim {
Library Lib;
}
using plim::Lib;

namespace {

enum class Base { Static, Button, Dialog, Previous };
enum class Background { Copied, Face, None };

struct ClassSpec {
  const char* name;
  Base base;
  WNDPROC proc;
  UINT addedStyle;
  int classBytes;
  int windowSlots;
  LPCSTR cursor;
  Background background;
};

constexpr UINT Redraw = CS_HREDRAW | CS_VREDRAW;
constexpr int Slot = plim::SlotBytes;

const ClassSpec Classes[] = {
    {"PlimStatic", Base::Static, PlimStaticProc, 0, 0, 0, nullptr, Background::Copied},
    {"PlimTray", Base::Static, PlimTrayProc, 0, 0, 0, nullptr, Background::Copied},
    {"PlimBorder", Base::Static, PlimBorderProc, 0, 0, 0, nullptr, Background::Copied},
    {"PlimSizeGrip", Base::Static, PlimSizeGripProc, 0, 0, 0, IDC_SIZENWSE, Background::Copied},
    {"PlimFolder", Base::Static, PlimFolderProc, Redraw, Slot, 2, nullptr, Background::Copied},
    {"PlimMeter", Base::Static, PlimMeterProc, Redraw, 0, 4, nullptr, Background::Copied},
    {"PlimSaying", Base::Static, PlimSayingProc, Redraw, 0, 0, nullptr, Background::Copied},
    {"PlimGhost", Base::Static, PlimGhostProc, Redraw, 0, 0, nullptr, Background::Copied},
    {"PlimCheckBox", Base::Button, PlimCheckBoxProc, 0, 0, 1, nullptr, Background::Face},
    {"PlimRadio", Base::Button, PlimRadioProc, 0, 0, 1, nullptr, Background::Face},
    {"PlimButton", Base::Button, PlimButtonProc, 0, 0, 1, nullptr, Background::None},
    {"PlimSpin", Base::Button, PlimSpinProc, 0, 0, 3, nullptr, Background::None},
    {"PlimTool", Base::Button, PlimToolButtonProc, 0, 0, 3, nullptr, Background::None},
    {"PlimBitmapButton", Base::Button, PlimBitmapButtonProc, 0, 0, 3, nullptr, Background::None},
    {"PlimGroup", Base::Previous, PlimGroupProc, 0, 0, 0, nullptr, Background::Copied},
    {"PlimDialog", Base::Dialog, PlimDialogProc, 0, 0, 0, nullptr, Background::Face},
};

WNDCLASSEXA SystemClass(LPCSTR name) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  GetClassInfoExA(nullptr, name, &wc);
  return wc;
}

void RegisterClasses() {
  WNDCLASSEXA staticClass = SystemClass("STATIC");
  WNDCLASSEXA buttonClass = SystemClass("BUTTON");
  WNDCLASSEXA dialogClass = SystemClass(MAKEINTRESOURCEA(32770));
  Lib.staticProc = staticClass.lpfnWndProc;
  Lib.buttonProc = buttonClass.lpfnWndProc;
  Lib.dialogProc = dialogClass.lpfnWndProc;
  Lib.staticExtra = staticClass.cbWndExtra;
  Lib.staticClassExtra = staticClass.cbClsExtra;
  Lib.buttonExtra = buttonClass.cbWndExtra;

  WNDCLASSEXA previous = buttonClass;
  for (const ClassSpec& entry : Classes) {
    WNDCLASSEXA wc = entry.base == Base::Static   ? staticClass
                     : entry.base == Base::Button ? buttonClass
                     : entry.base == Base::Dialog ? dialogClass
                                                 : previous;
    wc.cbSize = sizeof wc;
    wc.lpszClassName = entry.name;
    wc.lpfnWndProc = entry.proc;
    wc.hInstance = Lib.instance;
    wc.style |= CS_GLOBALCLASS | entry.addedStyle;
    wc.cbClsExtra += entry.classBytes;
    wc.cbWndExtra += entry.windowSlots * Slot;
    if (entry.cursor) wc.hCursor = LoadCursorA(nullptr, entry.cursor);
    if (entry.background == Background::Face) wc.hbrBackground = Lib.faceBrush;
    if (entry.background == Background::None) wc.hbrBackground = nullptr;
    RegisterClassExA(&wc);
    previous = wc;
  }
}

void UnregisterClasses() {
  for (const ClassSpec& entry : Classes) UnregisterClassA(entry.name, Lib.instance);
}

HBITMAP LoadNamedBitmap(const char* name) {
  return HBITMAP(LoadImageA(Lib.instance, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

extern "C" {

int WINAPI Reset(void) {
  plim::Settings& s = Lib.settings;
  s.GiraGira = int(GetPrivateProfileIntA("Plim3D", "GiraGira", 0, "Plim.ini"));
  s.Frame3D = int(GetPrivateProfileIntA("Plim3D", "Frame3D", 0, "Plim.ini"));
  s.FrameSize = int(GetPrivateProfileIntA("Plim3D", "FrameSize", 0, "Plim.ini"));
  return s.FrameSize;
}

WORD WINAPI GETVersion(void) { return PLIM_VERSION; }

int WINAPI LibMain(HINSTANCE instance) {
  Lib.instance = instance;
  Reset();
  Lib.check.Reset(LoadNamedBitmap("Check"));
  Lib.radio.Reset(LoadNamedBitmap("Radio"));
  Lib.saying.Reset(LoadNamedBitmap("Saying"));
  Lib.spin.Reset(LoadNamedBitmap("Spin"));
  Lib.faceBrush.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  RegisterClasses();
  return 1;
}

int WINAPI WEP(int) {
  UnregisterClasses();
  for (win::Bitmap* bitmap : {&Lib.check, &Lib.radio, &Lib.saying, &Lib.spin}) bitmap->Reset();
  Lib.faceBrush.Reset();
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    return LibMain(instance);
  }
  if (reason == DLL_PROCESS_DETACH) WEP(0);
  return TRUE;
}

}  // extern "C"
