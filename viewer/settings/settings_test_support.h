// Test helpers for the settings store: a platform that records what the store asks of it, and
// a fixture that installs it with a fresh in-memory key.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "viewer/settings/memory_settings_backend.h"
#include "viewer/settings/settings_key.h"

class RecordingPlatform : public SettingsPlatform {
 public:
  void ReportBrokenRegistry() override { ++brokenRegistryReports; }
  void StockFont(int which, LogFontBytes& font) override {
    font = LogFontBytes{};
    font.bytes[0] = uint8_t(0xF0 + which);  // recognisable stand-ins for the stock fonts
  }
  bool EnterDirectory(const char* path) override {
    enteredDirectories.emplace_back(path);
    return true;
  }
  void CurrentDirectory(char* buffer, size_t size) override {
    std::snprintf(buffer, size, "%s", currentDirectory.c_str());
  }

  int brokenRegistryReports = 0;
  std::vector<std::string> enteredDirectories;
  std::string currentDirectory = "C:\\WORK";
};

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { UseSettingsBackend(&store, &platform); }
  void TearDown() override { UseSettingsBackend(nullptr, nullptr); }

  static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

  MemorySettingsBackend store;
  RecordingPlatform platform;
};
