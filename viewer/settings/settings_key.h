// The settings key "Software\Plim\ZelkoView" and its typed reads and writes.
//
// The key is opened with a count: the first OpenSettingsKey opens (or creates) it, the last
// CloseSettingsKey closes it, nested users share it.  When the first open fails the user sees
// "レジストリが異常です" once; until the count returns to 0 every read gives its default and
// every write is lost.  Reads and writes act on the open key only (wrap them in a
// SettingsKeyScope); with the key closed they behave as with a failed open.
#pragma once

#include <cstdint>

#include "viewer/settings/settings_backend.h"

// Installs the backend and the platform the settings store uses (the Win32 program passes
// the registry ones at start-up, tests pass their fakes).  Resets the open count.
void UseSettingsBackend(SettingsBackend* backend, SettingsPlatform* platform);
SettingsPlatform* CurrentSettingsPlatform();

// Counted open; returns true when the key is usable.
bool OpenSettingsKey();
// The same without the error box, for readers that fall back on their own (the key table).
bool OpenSettingsKeyQuietly();
void CloseSettingsKey();

class SettingsKeyScope {
 public:
  explicit SettingsKeyScope(bool quiet = false)
      : usable_(quiet ? OpenSettingsKeyQuietly() : OpenSettingsKey()) {}
  ~SettingsKeyScope() { CloseSettingsKey(); }
  SettingsKeyScope(const SettingsKeyScope&) = delete;
  SettingsKeyScope& operator=(const SettingsKeyScope&) = delete;
  bool usable() const { return usable_; }

 private:
  bool usable_;
};

// length > 0: the value must hold exactly length bytes; length < 0: up to -length bytes are
// accepted.  The stored type is not checked.  Returns the number of bytes read, or -1 (the
// buffer is then untouched).
int ReadBinarySetting(const char* name, void* buffer, int length);
// The stored value when it exists with type REG_DWORD, else fallback.
uint32_t ReadDwordSetting(const char* name, uint32_t fallback);
// Copies the stored REG_SZ text when it fits into size bytes with its NUL, else fallback (cut
// to size).  Returns true when the stored text was used.
bool ReadStringSetting(const char* name, const char* fallback, char* buffer, uint32_t size);

// Each write is false when the value was not stored (the key is not usable, or the store
// refused it).
[[nodiscard]] bool WriteBinarySetting(const char* name, const void* bytes, uint32_t length);
[[nodiscard]] bool WriteDwordSetting(const char* name, uint32_t value);
// Stored as REG_SZ including the terminating NUL.
[[nodiscard]] bool WriteStringSetting(const char* name, const char* text);
