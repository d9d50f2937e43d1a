// The control gallery (tests only): loads PLIM32.DLL by name as the system's programs do and
// shows the dialog "Gallery", which uses every control class in its states.  Notifications
// from the controls are appended to the log field as "cmd ID CODE", "hide N" and "show N", so
// that the end-to-end tests can check what reached the parent.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "controls/plim32_win.h"
#include "platform/win/owners.h"
#include "tests/e2e/gallery_ids.h"

namespace {

win::Bitmap ToolStrip;
win::Bitmap ButtonPicture;

void AppendLog(HWND dialog, const char* line) {
  HWND log = GetDlgItem(dialog, Log);
  int end = GetWindowTextLengthA(log);
  SendMessageA(log, EM_SETSEL, end, end);
  SendMessageA(log, EM_REPLACESEL, FALSE, LPARAM(line));
  SendMessageA(log, EM_REPLACESEL, FALSE, LPARAM("\r\n"));
}

// Three 20 x 16 images on the button face: a page, a ring, a bar.
HBITMAP MakeToolStrip(HDC reference) {
  win::MemoryDC dc(reference);
  HBITMAP strip = CreateCompatibleBitmap(reference, 60, 16);
  win::Selection use(dc, strip);
  RECT all{0, 0, 60, 16}, page{4, 1, 15, 15}, bar{43, 6, 57, 10};
  win::Brush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  win::Brush blue(CreateSolidBrush(RGB(0, 0, 160))), red(CreateSolidBrush(RGB(200, 0, 0)));
  FillRect(dc, &all, face);
  FillRect(dc, &page, blue);
  FillRect(dc, &bar, red);
  win::Selection ring(dc, red);
  Ellipse(dc, 23, 1, 37, 15);
  return strip;
}

HBITMAP MakePicture(HDC reference) {
  win::MemoryDC dc(reference);
  HBITMAP picture = CreateCompatibleBitmap(reference, 24, 12);
  win::Selection use(dc, picture);
  for (int x = 0; x < 24; ++x)
    for (int y = 0; y < 12; ++y) SetPixel(dc, x, y, RGB(x * 10, 120, 255 - y * 20));
  return picture;
}

RECT DialogRect(HWND dialog, int x, int y, int w, int h) {
  RECT r{x, y, x + w, y + h};
  MapDialogRect(dialog, &r);
  return r;
}

void CreateButtonsWithParams(HWND dialog) {
  {
    win::WindowDC screen(dialog);
    ToolStrip.Reset(MakeToolStrip(screen));
    ButtonPicture.Reset(MakePicture(screen));
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND after = GetDlgItem(dialog, PushDisabled);
  PlimBitmapCreate picture{24, 12, ButtonPicture};
  RECT r = DialogRect(dialog, 70, 68, 50, 14);
  HWND button = CreateWindowExA(0, "PlimBitmapButton", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, dialog, HMENU(BitmapButton),
                                instance, &picture);
  SetWindowPos(button, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const DWORD styles[3] = {0, 1, 1};
  for (int i = 0; i < 3; ++i) {
    PlimToolCreate tool{ToolStrip, i};
    RECT t = DialogRect(dialog, 14 + i * 20, 88, 0, 0);
    after = CreateWindowExA(0, "PlimTool", "", WS_CHILD | WS_VISIBLE | styles[i], t.left, t.top, 26,
                            22, dialog, HMENU(INT_PTR(ToolPush + i)), instance, &tool);
  }
  SendMessageA(GetDlgItem(dialog, ToolLatched), BM_SETCHECK, 1, 0);
}

void ShowPage(HWND dialog, int page, bool show) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetDlgCtrlID(child) / 1000 == page) ShowWindow(child, show ? SW_SHOW : SW_HIDE);
}

void Initialise(HWND dialog) {
  CreateButtonsWithParams(dialog);
  SendDlgItemMessageA(dialog, PushPressed, BM_SETSTATE, 1, 0);
  SendDlgItemMessageA(dialog, CheckChecked, BM_SETCHECK, 1, 0);
  SendDlgItemMessageA(dialog, CheckDisabled, BM_SETCHECK, 1, 0);
  SendDlgItemMessageA(dialog, RadioOne, BM_SETCHECK, 1, 0);
  SetDlgItemTextA(dialog, BuddyEdit, "197");
  SendDlgItemMessageA(dialog, BuddySpin, BM_SETSTYLE, 0, MAKELPARAM(0, 199));
  SendDlgItemMessageA(dialog, MeterBlue, BM_SETSTATE, 37, 0);
  HWND black = GetDlgItem(dialog, MeterBlack);
  SendMessageA(black, BM_GETCHECK, 0, 0);
  SendMessageA(black, PLIM_METER_SETBACKGROUND, 0, LPARAM(GetSysColor(COLOR_BTNFACE)));
  SendMessageA(black, BM_SETSTATE, 80, 0);
  for (const char* item : {"一覧の項目１", "一覧の項目２", "三番目"})
    SendDlgItemMessageA(dialog, ListBox, LB_ADDSTRING, 0, LPARAM(item));
  SendDlgItemMessageA(dialog, ComboBox, CB_ADDSTRING, 0, LPARAM("組み合わせ"));
  SendDlgItemMessageA(dialog, ComboBox, CB_SETCURSEL, 0, 0);
  for (int page = 2; page <= 9; ++page) ShowPage(dialog, page, false);
}

void LogCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
  char cls[32] = "";
  if (lParam) GetClassNameA(HWND(lParam), cls, sizeof cls);
  char line[300];
  if (lParam && GetDlgCtrlID(HWND(lParam)) == Ghost)
    std::snprintf(line, sizeof line, "drop %s", reinterpret_cast<const char*>(wParam));
  else if (std::strncmp(cls, "Plim", 4) == 0)
    std::snprintf(line, sizeof line, "cmd %u %u", unsigned(LOWORD(wParam)), unsigned(HIWORD(wParam)));
  else
    return;
  AppendLog(dialog, line);
}

void Count(HWND dialog, const char* property) {
  SetPropA(dialog, property, HANDLE(INT_PTR(GetPropA(dialog, property)) + 1));
}

INT_PTR CALLBACK GalleryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  char line[32];
  switch (message) {
    case WM_INITDIALOG:
      Initialise(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL && !lParam) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      LogCommand(dialog, wParam, lParam);
      return TRUE;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (GetDlgCtrlID(HWND(lParam)) != Folder) return FALSE;
      ShowPage(dialog, HIWORD(wParam), message == WM_HSCROLL);
      std::snprintf(line, sizeof line, "%s %u", message == WM_HSCROLL ? "show" : "hide",
                    unsigned(HIWORD(wParam)));
      AppendLog(dialog, line);
      return TRUE;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_MOUSEMOVE) Count(dialog, GALLERY_TOOL_MOVES);
      return FALSE;
    case WM_ERASEBKGND:
      Count(dialog, GALLERY_ERASE_COUNT);
      return FALSE;
    case WM_DESTROY:
      RemovePropA(dialog, GALLERY_ERASE_COUNT);
      RemovePropA(dialog, GALLERY_TOOL_MOVES);
      return FALSE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  win::Library plim(LoadLibraryA("PLIM32.DLL"));
  auto version = plim ? reinterpret_cast<PlimGetVersionFunction>(
                            reinterpret_cast<void*>(GetProcAddress(plim, "GETVersion")))
                      : nullptr;
  if (!version || version() < PLIM_VERSION) {
    MessageBoxA(nullptr, "PLIM32.DLL が見つからないか、古い版です。", "Plim ギャラリー", MB_ICONSTOP);
    return 1;
  }
  INT_PTR result = DialogBoxParamA(instance, "Gallery", nullptr, GalleryDialogProc, 0);
  ToolStrip.Reset();
  ButtonPicture.Reset();
  return int(result);
}
