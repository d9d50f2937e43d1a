// The key box and key names (see key_box_win.h).
#include "utilities/keycustom/key_box_win.h"

#include <cstdio>

#include "utilities/keycustom/zvkey32_globals_win.h"
#include "utilities/keycustom/zvkey32_ids.h"

namespace {

constexpr int kKeyNameSize = 101;      // the key box holds at most 100 characters
constexpr LPARAM kExtendedKey = 1 << 24;
constexpr LPARAM kPreviouslyDown = 1 << 30;

WNDPROC EditProc = nullptr;  // the edit control's own procedure

std::string VirtualKeyText(uint16_t virtualKey) {
  char text[16];
  std::snprintf(text, sizeof text, "VK%04X", virtualKey);
  return text;
}

// The driver's name for the key data of a key message; empty when it has none.
std::string DriverKeyName(LPARAM keyData) {
  char name[kKeyNameSize] = "";
  int length = GetKeyNameTextA(LONG(keyData), name, sizeof name);
  return std::string(name, length > 0 ? size_t(length) : 0);
}

void ToggleCheckBox(HWND box, int id) {
  HWND check = GetDlgItem(GetParent(box), id);
  SendMessageA(check, BM_SETCHECK, SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED,
               0);
}

void OnKeyDown(HWND box, WPARAM virtualKey, LPARAM keyData) {
  if (keyData & kPreviouslyDown) return;  // auto-repeat
  if (virtualKey == VK_SHIFT) return ToggleCheckBox(box, IDC_SHIFT_BOX);
  if (virtualKey == VK_CONTROL) return ToggleCheckBox(box, IDC_CTRL_BOX);
  std::string name = DriverKeyName(keyData);
  if (name.empty()) name = VirtualKeyText(uint16_t(virtualKey));
  SetWindowTextA(box, name.c_str());
  CapturedKey = uint16_t(virtualKey);
}

}  // namespace

void SubclassKeyBox(HWND box) {
  EditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NewEditProc)));
}

extern "C" LRESULT CALLBACK NewEditProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      OnKeyDown(box, wParam, lParam);
      return 0;
    case WM_KEYUP:
    case WM_CHAR:
      return 0;
  }
  return CallWindowProcA(EditProc, box, message, wParam, lParam);
}

std::string KeyNameOfVirtualKey(uint16_t virtualKey) {
  LPARAM scanCode = LPARAM(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  if (scanCode == 0) return VirtualKeyText(virtualKey);
  std::string name;
  if (virtualKey != VK_RETURN && virtualKey != VK_ESCAPE) name = DriverKeyName(scanCode | kExtendedKey);
  if (name.empty()) name = DriverKeyName(scanCode);
  return name.empty() ? VirtualKeyText(virtualKey) : name;
}
