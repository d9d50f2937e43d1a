// KeyAssign and the viewers' reload (see key_assign_registry_win.h).
#include "utilities/keycustom/key_assign_registry_win.h"

#include <windows.h>

#include <cstring>

#include "platform/win/owners.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/settings/key_table.h"
#include "viewer/settings/settings_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

// A viewer that does not answer within this time is left to itself.
constexpr UINT kReloadTimeoutMs = 5000;

win::RegistryKey OpenSettingsKeyForUpdate() {
  win::RegistryKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
    (void)key.Take();  // nothing was opened: what the call left there is no key to close
  return key;
}

BOOL CALLBACK ReloadIfViewer(HWND window, LPARAM) {
  char name[sizeof kMainWindowClass + 1] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, kMainWindowClass) == 0)
    SendMessageTimeoutA(window, WM_ZV_RELOADKEYS, 0, 0, SMTO_ABORTIFHUNG, kReloadTimeoutMs, nullptr);
  return TRUE;
}

}  // namespace

bool ReadKeyAssign(AssignmentTable& table) {
  win::RegistryKey key = OpenSettingsKeyForUpdate();
  if (!key) return false;
  uint8_t image[kKeyTableBytes];
  DWORD type = 0, size = sizeof image;
  // A longer value fails with ERROR_MORE_DATA.
  if (RegQueryValueExA(key, kKeyAssignValue, nullptr, &type, image, &size) != ERROR_SUCCESS) return false;
  if (type != REG_BINARY || size == 0 || size > sizeof image) return false;
  table.LoadRecords({image, size});
  return true;
}

bool WriteKeyAssign(const AssignmentTable& table) {
  win::RegistryKey key = OpenSettingsKeyForUpdate();
  if (!key) return false;
  uint8_t image[kKeyTableBytes];
  table.PackImage(image);
  return RegSetValueExA(key, kKeyAssignValue, 0, REG_BINARY, image, sizeof image) == ERROR_SUCCESS;
}

void ReloadKeysInViewers() { EnumWindows(ReloadIfViewer, 0); }
