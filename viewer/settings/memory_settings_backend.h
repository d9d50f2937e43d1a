// MemorySettingsBackend: the settings key as a map in memory, for host tests and tools.  It
// keeps the registry's rules (case-insensitive value names, stored type and length as
// written) and records every query and write in order, so tests can check sequences.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "viewer/settings/settings_backend.h"

class MemorySettingsBackend : public SettingsBackend {
 public:
  struct Value {
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
  };

  bool OpenKey() override { return !failOpen; }
  void CloseKey() override {}
  // Reads and writes go through the fault plan: a failed read is a missing value, a failed
  // write stores nothing.
  QueryResult QueryValue(const char* name, uint32_t* type, void* buffer, uint32_t* size) override;
  bool SetValue(const char* name, uint32_t type, const void* data, uint32_t size) override;

  // Test helpers: store or look at a value directly, bypassing the log.
  void Put(const std::string& name, uint32_t type, std::vector<uint8_t> bytes);
  void PutString(const std::string& name, const std::string& text);  // with its NUL
  void PutDword(const std::string& name, uint32_t value);
  const Value* Find(const std::string& name) const;
  // A REG_SZ value without its terminating NUL, or "" when missing or of another type.
  std::string GetString(const std::string& name) const;

  bool failOpen = false;
  std::vector<std::string> queried;  // names in the order they were read
  std::vector<std::string> written;  // names in the order they were written

 private:
  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, Value, NoCase> values_;
};
