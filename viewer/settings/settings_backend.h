// The settings store reaches the registry (or, in tests, memory) through SettingsBackend, and
// the rest of the platform (the error box, the stock fonts, the current directory) through
// SettingsPlatform.  The Win32 layer implements both in _win.cpp files; host tests use
// MemorySettingsBackend and their own SettingsPlatform.
#pragma once

#include <cstddef>
#include <cstdint>

#include "viewer/settings/font_value.h"

// Stored value types, numbered as the registry numbers them.
constexpr uint32_t kSettingString = 1;  // REG_SZ
constexpr uint32_t kSettingBinary = 3;  // REG_BINARY
constexpr uint32_t kSettingDword = 4;   // REG_DWORD

// Results of SettingsBackend::QueryValue.
enum class QueryResult : uint8_t {
  kOk,
  kMissing,   // no such value, or it cannot be read
  kTooLarge,  // *size holds the stored length; the buffer is undefined
};

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;
  // Opens the settings key with full access, creating it when missing.
  [[nodiscard]] virtual bool OpenKey() = 0;
  virtual void CloseKey() = 0;
  // Copies the value `name` into buffer (capacity *size bytes); on kOk *type and *size give
  // the stored type and length.
  [[nodiscard]] virtual QueryResult QueryValue(const char* name, uint32_t* type, void* buffer, uint32_t* size) = 0;
  // False when the value could not be stored.
  [[nodiscard]] virtual bool SetValue(const char* name, uint32_t type, const void* data, uint32_t size) = 0;
};

constexpr int kSystemFixedFont = 0;  // the stock SYSTEM_FIXED_FONT (text font default)
constexpr int kSystemFont = 1;       // the stock SYSTEM_FONT (filer font default)

class SettingsPlatform {
 public:
  virtual ~SettingsPlatform() = default;
  // The message box "レジストリが異常です" (no owner, caption "Zelko View 32", error icon).
  virtual void ReportBrokenRegistry() = 0;
  // The font description of a stock font (kSystemFixedFont or kSystemFont).
  virtual void StockFont(int which, LogFontBytes& font) = 0;
  // Changes the current drive and directory; false when it does not exist.
  virtual bool EnterDirectory(const char* path) = 0;
  // The current directory, NUL-terminated and cut to size.
  virtual void CurrentDirectory(char* buffer, size_t size) = 0;
};
