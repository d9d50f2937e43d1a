// The settings backend over the registry key HKEY_CURRENT_USER "Software\Plim\ZelkoView".
#include <windows.h>

#include "viewer/shell/settings_win.h"

namespace {

class RegistryBackend : public SettingsBackend {
 public:
  bool OpenKey() override {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
    key_ = result == ERROR_SUCCESS ? key : nullptr;
    return key_ != nullptr;
  }

  void CloseKey() override {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }

  int QueryValue(const char* name, uint32_t* type, void* buffer, uint32_t* size) override {
    if (!key_) return kQueryMissing;
    DWORD storedType = 0, length = *size;
    LONG result = RegQueryValueExA(key_, name, nullptr, &storedType, static_cast<BYTE*>(buffer), &length);
    *type = storedType;
    *size = length;
    if (result == ERROR_MORE_DATA) return kQueryTooLarge;
    return result == ERROR_SUCCESS ? kQueryOk : kQueryMissing;
  }

  bool SetValue(const char* name, uint32_t type, const void* data, uint32_t size) override {
    return key_ && RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

SettingsBackend& RegistrySettingsBackend() {
  static RegistryBackend backend;
  return backend;
}
