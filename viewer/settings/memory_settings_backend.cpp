// The in-memory settings key.
#include "viewer/settings/memory_settings_backend.h"

#include <algorithm>
#include <cstring>

#include "platform/fault_plan.h"

bool MemorySettingsBackend::NoCase::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    return lower(x) < lower(y);
  });
}

QueryResult MemorySettingsBackend::QueryValue(const char* name, uint32_t* type, void* buffer, uint32_t* size) {
  queried.emplace_back(name);
  const Value* value = Find(name);
  if (!value || faults::Fails(faults::Operation::kRead)) return QueryResult::kMissing;
  uint32_t capacity = *size;
  *type = value->type;
  *size = uint32_t(value->bytes.size());
  if (value->bytes.size() > capacity) return QueryResult::kTooLarge;
  if (!value->bytes.empty()) std::memcpy(buffer, value->bytes.data(), value->bytes.size());
  return QueryResult::kOk;
}

bool MemorySettingsBackend::SetValue(const char* name, uint32_t type, const void* data, uint32_t size) {
  written.emplace_back(name);
  if (faults::Fails(faults::Operation::kWrite)) return false;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  Put(name, type, std::vector<uint8_t>(bytes, bytes + size));
  return true;
}

void MemorySettingsBackend::Put(const std::string& name, uint32_t type, std::vector<uint8_t> bytes) {
  values_[name] = Value{type, std::move(bytes)};
}

void MemorySettingsBackend::PutString(const std::string& name, const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  Put(name, kSettingString, std::move(bytes));
}

void MemorySettingsBackend::PutDword(const std::string& name, uint32_t value) {
  Put(name, kSettingDword, {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}

const MemorySettingsBackend::Value* MemorySettingsBackend::Find(const std::string& name) const {
  auto it = values_.find(name);
  return it == values_.end() ? nullptr : &it->second;
}

std::string MemorySettingsBackend::GetString(const std::string& name) const {
  const Value* value = Find(name);
  if (!value || value->type != kSettingString) return "";
  std::string text(value->bytes.begin(), value->bytes.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}
