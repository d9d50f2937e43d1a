// The print set-up: the font dialog's hook with the margins, the two options and the stored
// "SpaceR", and the printer's figures it needs.
#include "viewer/search_windows/print_setup_win.h"

#include <algorithm>

#include "viewer/resources/resource_names.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/search_windows/print_document_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/frame/viewer_globals_win.h"

PrintState ThePrint;

namespace {

struct MarginControl {
  int field;
  int spin;
};
constexpr MarginControl kMarginControls[] = {
    {IDC_PRINT_LEFT, IDC_PRINT_LEFT_SPIN},
    {IDC_PRINT_TOP, IDC_PRINT_TOP_SPIN},
    {IDC_PRINT_BOTTOM, IDC_PRINT_BOTTOM_SPIN},
};

int MarginAt(const Margins& margins, int index) {
  return index == 0 ? margins.left : index == 1 ? margins.top : margins.bottom;
}

void SetMarginAt(Margins& margins, int index, int value) {
  (index == 0 ? margins.left : index == 1 ? margins.top : margins.bottom) = value;
}

// A spin's minimum: the printer's border, within what a field can show.
int SmallestAt(const Margins& smallest, int index) { return std::clamp(MarginAt(smallest, index), 0, kLargestMarginMm); }

// The program's icon in place of the placeholder control.
void PlaceIcon(HWND dialog) {
  HWND placeholder = GetDlgItem(dialog, IDC_PRINT_ICON);
  if (!placeholder) return;
  RECT r{};
  GetWindowRect(placeholder, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  HWND icon = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, dialog, nullptr, Instance, nullptr);
  if (icon) SendMessageA(icon, STM_SETICON, WPARAM(LoadIconA(Instance, kDialogIcon)), 0);
  ShowWindow(placeholder, SW_HIDE);
}

void ShowMargins(HWND dialog, const Margins& margins, const Margins& smallest) {
  for (int i = 0; i < 3; ++i) {
    SetDlgItemInt(dialog, kMarginControls[i].field, UINT(MarginAt(margins, i)), FALSE);
    SendDlgItemMessageA(dialog, kMarginControls[i].spin, BM_SETSTYLE, 0,
                        MAKELONG(SmallestAt(smallest, i), kLargestMarginMm));
  }
}

// A field's value, kept within what its spin allows.
Margins ReadMargins(HWND dialog, const Margins& smallest) {
  Margins margins;
  for (int i = 0; i < 3; ++i) {
    BOOL ok = FALSE;
    int value = int(GetDlgItemInt(dialog, kMarginControls[i].field, &ok, FALSE));
    int minimum = SmallestAt(smallest, i);
    SetMarginAt(margins, i, ok ? std::clamp(value, minimum, kLargestMarginMm) : minimum);
  }
  return margins;
}

void OnHookCreate(HWND dialog) {
  PlaceIcon(dialog);
  Margins smallest = SmallestMargins(ThePrint.printer);
  SpaceR stored;
  if (ReadSpaceR(stored)) {
    SetChecked(dialog, IDC_PRINT_FILE_NAME, (stored.flags & kPrintFileName) != 0);
    SetChecked(dialog, IDC_PRINT_PAGE_NUMBER, (stored.flags & kPrintPageNumber) != 0);
    ShowMargins(dialog, stored.margins, smallest);
  } else {
    ShowMargins(dialog, smallest, smallest);
  }
}

void OnHookOk(HWND dialog) {
  SpaceR chosen;
  chosen.margins = ReadMargins(dialog, SmallestMargins(ThePrint.printer));
  chosen.flags = uint8_t((IsChecked(dialog, IDC_PRINT_FILE_NAME) ? kPrintFileName : 0) |
                         (IsChecked(dialog, IDC_PRINT_PAGE_NUMBER) ? kPrintPageNumber : 0));
  ThePrint.offsets = OffsetsFromMargins(chosen.margins, ThePrint.printer);
  ThePrint.flags = chosen.flags;
  StoreSpaceR(chosen);
}

// The settings key, opened for reading or created for writing.
win::RegistryKey SettingsKey(bool write) {
  win::RegistryKey key;
  if (write) {
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr);
  } else {
    RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, key.Receive());
  }
  return key;
}

}  // namespace

bool ReadStoredBytes(const char* name, void* buffer, DWORD size) {
  win::RegistryKey key = SettingsKey(false);
  DWORD type = 0, length = size;
  if (!key || RegQueryValueExA(key, name, nullptr, &type, static_cast<BYTE*>(buffer), &length) != ERROR_SUCCESS) {
    return false;
  }
  return type == REG_BINARY && length == size;
}

void StoreBytes(const char* name, const void* data, DWORD size) {
  win::RegistryKey key = SettingsKey(true);
  if (key) RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

bool ReadSpaceR(SpaceR& value) {
  uint8_t bytes[kSpaceRSize];
  if (!ReadStoredBytes(kSpaceRValue, bytes, sizeof bytes)) return false;
  value = DecodeSpaceR(bytes);
  return true;
}

void StoreSpaceR(const SpaceR& value) {
  uint8_t bytes[kSpaceRSize];
  EncodeSpaceR(value, bytes);
  StoreBytes(kSpaceRValue, bytes, sizeof bytes);
}

void ShowPrintMessage(const char* text) { ShowError(MainWindow, text); }

PrinterMetrics MeasurePrinter(HDC dc) {
  PrinterMetrics p;
  p.horizontalResolution = GetDeviceCaps(dc, HORZRES);
  p.verticalResolution = GetDeviceCaps(dc, VERTRES);
  p.horizontalSizeMm = GetDeviceCaps(dc, HORZSIZE);
  p.verticalSizeMm = GetDeviceCaps(dc, VERTSIZE);
  POINT offset{GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY)};
  POINT page{GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)};
  // The printer escapes, where the driver still answers them, have the last word.
  POINT answer{};
  if (Escape(dc, GETPRINTINGOFFSET, 0, nullptr, &answer) > 0) offset = answer;
  if (Escape(dc, GETPHYSPAGESIZE, 0, nullptr, &answer) > 0) page = answer;
  p.offsetX = offset.x;
  p.offsetY = offset.y;
  p.physicalHeight = page.y;
  return p;
}

UINT_PTR CALLBACK ChooseFontHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnHookCreate(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) OnHookOk(dialog);
      break;
  }
  return FALSE;  // the font dialog goes on with its own processing
}
