// The settings backend over the registry key HKEY_CURRENT_USER "Software\Plim\ZelkoView".
#include <windows.h>

#include "platform/win/owners.h"

#include "viewer/settings/settings_win.h"

namespace {

class RegistryBackend : public SettingsBackend {
 public:
  bool OpenKey() override {
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, key_.Receive(), nullptr);
    if (result != ERROR_SUCCESS) key_.Reset();
    return bool(key_);
  }

  void CloseKey() override {
    key_.Reset();
  }

  QueryResult QueryValue(const char* name, uint32_t* type, void* buffer, uint32_t* size) override {
    if (!key_) return QueryResult::kMissing;
    DWORD storedType = 0, length = *size;
    LONG result = RegQueryValueExA(key_, name, nullptr, &storedType, static_cast<BYTE*>(buffer), &length);
    *type = storedType;
    *size = length;
    if (result == ERROR_MORE_DATA) return QueryResult::kTooLarge;
    return result == ERROR_SUCCESS ? QueryResult::kOk : QueryResult::kMissing;
  }

  bool SetValue(const char* name, uint32_t type, const void* data, uint32_t size) override {
    return key_ && RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  }

 private:
  win::RegistryKey key_;
};

}  // namespace

SettingsBackend& RegistrySettingsBackend() {
  static RegistryBackend backend;
  return backend;
}
