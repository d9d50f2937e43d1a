// The settings store over a key whose reads and writes fail: each read and each write of a load
// and a save failing in turn.  A failed write is reported and costs only its own value; a failed
// read gives that value's default and nothing else changes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fault_plan.h"
#include "viewer/settings/boolean_option.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_store.h"
#include "viewer/settings/settings_test_support.h"

namespace {

constexpr int kShowCommand = 1;

class SettingsFaults : public SettingsTest {
 protected:
  void TearDown() override {
    faults::Disarm();
    ApplyBooleanOption("");
    SettingsTest::TearDown();
  }

  // Settings that differ from every default, so that a value read as missing shows.
  static void SetUnusualSettings() {
    LineMax = 61;
    TabSize = 3;
    TextColor = 0x123456;
    std::strcpy(Editor, "EMACS.EXE");
    std::strcpy(FileMask, "*.TXT");
    ToolBarList[2] = 0x05;
  }

  // The values a save stored, by name, in the order written.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> Saved() {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> values;
    for (const std::string& name : store.written) {
      const MemorySettingsBackend::Value* value = store.Find(name);
      values.emplace_back(name, value ? value->bytes : std::vector<uint8_t>{});
    }
    return values;
  }

  std::vector<std::pair<std::string, std::vector<uint8_t>>> SaveIntoEmptyKey() {
    store = MemorySettingsBackend();
    EXPECT_TRUE(SaveSettings());
    return Saved();
  }
};

int Differences(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& a,
                const std::vector<std::pair<std::string, std::vector<uint8_t>>>& b) {
  int count = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
  return count + int(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

TEST_F(SettingsFaults, EachFailedWriteIsReportedAndLosesOnlyItsValue) {
  SetUnusualSettings();
  faults::FailNth(faults::Operation::kWrite, 0);
  const auto clean = SaveIntoEmptyKey();
  const int64_t writes = faults::Calls(faults::Operation::kWrite);
  ASSERT_EQ(writes, int64_t(clean.size()));
  for (int64_t n = 1; n <= writes; ++n) {
    store = MemorySettingsBackend();
    faults::FailNth(faults::Operation::kWrite, n);
    EXPECT_FALSE(SaveSettings()) << "write " << n << " failed unreported";
    faults::Disarm();
    const std::string& lost = clean[size_t(n - 1)].first;
    EXPECT_EQ(store.Find(lost), nullptr) << lost;
    for (const auto& [name, bytes] : clean) {
      if (name == lost) continue;
      const MemorySettingsBackend::Value* value = store.Find(name);
      ASSERT_NE(value, nullptr) << name << " not written after " << lost << " failed";
      EXPECT_EQ(value->bytes, bytes) << name;
    }
  }
}

TEST_F(SettingsFaults, EachFailedReadGivesOnlyThatValuesDefault) {
  SetUnusualSettings();
  const auto saved = SaveIntoEmptyKey();
  const auto defaults = [&] {
    MemorySettingsBackend filled = store;
    store = MemorySettingsBackend();
    LoadSettings(kShowCommand);
    auto values = SaveIntoEmptyKey();
    store = filled;
    return values;
  }();
  MemorySettingsBackend filled = store;
  faults::FailNth(faults::Operation::kRead, 0);
  LoadSettings(kShowCommand);
  const int64_t reads = faults::Calls(faults::Operation::kRead);
  ASSERT_GT(reads, 10);
  for (int64_t n = 1; n <= reads; ++n) {
    store = filled;
    faults::FailNth(faults::Operation::kRead, n);
    LoadSettings(kShowCommand);
    faults::Disarm();
    auto loaded = SaveIntoEmptyKey();
    // The value that could not be read is its default; every other one is as saved.
    EXPECT_LE(Differences(loaded, saved), 1) << "read " << n;
    for (size_t i = 0; i < loaded.size() && i < saved.size(); ++i) {
      if (loaded[i] != saved[i]) EXPECT_EQ(loaded[i], defaults[i]) << "read " << n << ": " << loaded[i].first;
    }
    store = filled;
  }
}

}  // namespace
