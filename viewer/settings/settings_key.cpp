// The counted settings key and the typed reads and writes over the installed backend.
#include "viewer/settings/settings_key.h"

#include <cstring>
#include <vector>

namespace {

SettingsBackend* gBackend = nullptr;
SettingsPlatform* gPlatform = nullptr;
int gOpenCount = 0;
bool gKeyUsable = false;

bool OpenCounted(bool report) {
  if (gOpenCount++ == 0) {
    gKeyUsable = gBackend && gBackend->OpenKey();
    if (!gKeyUsable && report && gPlatform) gPlatform->ReportBrokenRegistry();
  }
  return gKeyUsable;
}

// Reads a value whose stored length may be up to capacity bytes; false when missing or longer.
bool Query(const char* name, uint32_t& type, std::vector<uint8_t>& bytes, uint32_t capacity) {
  if (!gKeyUsable) return false;
  bytes.resize(capacity);
  uint32_t size = capacity;
  if (gBackend->QueryValue(name, &type, bytes.data(), &size) != QueryResult::kOk || size > capacity) return false;
  bytes.resize(size);
  return true;
}

bool Write(const char* name, uint32_t type, const void* data, uint32_t size) {
  return gKeyUsable && gBackend->SetValue(name, type, data, size);
}

void CopyCut(char* buffer, uint32_t size, const char* text) {
  if (size == 0) return;
  size_t n = std::strlen(text);
  if (n >= size) n = size - 1;
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
}

}  // namespace

void UseSettingsBackend(SettingsBackend* backend, SettingsPlatform* platform) {
  if (gOpenCount > 0 && gKeyUsable) gBackend->CloseKey();
  gBackend = backend;
  gPlatform = platform;
  gOpenCount = 0;
  gKeyUsable = false;
}

SettingsPlatform* CurrentSettingsPlatform() { return gPlatform; }

bool OpenSettingsKey() { return OpenCounted(true); }
bool OpenSettingsKeyQuietly() { return OpenCounted(false); }

void CloseSettingsKey() {
  if (gOpenCount == 0) return;
  if (--gOpenCount == 0 && gKeyUsable) {
    gBackend->CloseKey();
    gKeyUsable = false;
  }
}

int ReadBinarySetting(const char* name, void* buffer, int length) {
  if (length == 0) return -1;
  uint32_t capacity = uint32_t(length > 0 ? length : -length);
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
  if (!Query(name, type, bytes, capacity)) return -1;
  if (length > 0 && bytes.size() != capacity) return -1;
  if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
  return int(bytes.size());
}

uint32_t ReadDwordSetting(const char* name, uint32_t fallback) {
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
  if (!Query(name, type, bytes, 4) || type != kSettingDword || bytes.size() != 4) return fallback;
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

bool ReadStringSetting(const char* name, const char* fallback, char* buffer, uint32_t size) {
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
  // A stored text need not end in NUL; it fits when the text and a NUL fit.
  bool stored = size > 0 && Query(name, type, bytes, size) && type == kSettingString;
  if (stored && (bytes.empty() || bytes.back() != '\0')) {
    stored = bytes.size() < size;
    bytes.push_back('\0');
  }
  if (!stored) {
    CopyCut(buffer, size, fallback);
    return false;
  }
  std::memcpy(buffer, bytes.data(), bytes.size());
  return true;
}

bool WriteBinarySetting(const char* name, const void* bytes, uint32_t length) {
  return Write(name, kSettingBinary, bytes, length);
}

bool WriteDwordSetting(const char* name, uint32_t value) {
  uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
  return Write(name, kSettingDword, bytes, 4);
}

bool WriteStringSetting(const char* name, const char* text) {
  return Write(name, kSettingString, text, uint32_t(std::strlen(text) + 1));
}
