// Fuzz target for the settings store: the input is split into stored values (each with a
// fuzzed type) that LoadSettings, SaveSettings, LoadKeyAssign and PushRecentFile then read;
// the escaped-list decoder, the '|' splits and the flag string see the raw bytes too.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "viewer/settings/bar_lists.h"
#include "viewer/settings/boolean_option.h"
#include "viewer/settings/key_table.h"
#include "viewer/settings/memory_settings_backend.h"
#include "viewer/settings/recent_files.h"
#include "viewer/settings/settings_key.h"
#include "viewer/settings/settings_store.h"
#include "viewer/settings/escaped_list.h"

namespace {

class NullPlatform : public SettingsPlatform {
 public:
  void ReportBrokenRegistry() override {}
  void StockFont(int, LogFontBytes& font) override { font = LogFontBytes{}; }
  bool EnterDirectory(const char*) override { return true; }
  void CurrentDirectory(char* buffer, size_t size) override { std::snprintf(buffer, size, "."); }
};

const char* const kNames[] = {
    "BooleanOption", "LastDir", "LineMax", "PrevWinRect", "ControlColor", "ToolBarList", "RMENU0",
    "RMENU1", "Editor", "FilerMask", "WindowLink", "SearchHistory", "Font", "KeyAssign", "File00",
    "File02", "DirHistory",
};

// True when an empty string (the list's end) starts inside the block.
bool IsClosedList(const char* block, size_t size) {
  size_t i = 0;
  while (i < size && block[i] != '\0') i += strnlen(block + i, size - i) + 1;
  return i < size;
}

void RawDecoders(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  char block[64];
  DecodeEscapedList(text, block, sizeof block);
  // The decoded list (up to its closing NUL, which must lie inside the block) must survive
  // encoding and decoding again.
  size_t listBytes = StringListBytes(block, sizeof block);
  if (!IsClosedList(block, sizeof block)) __builtin_trap();
  std::string encoded = EncodeEscapedList(block, listBytes);
  char again[64];
  DecodeEscapedList(encoded, again, sizeof again);
  if (std::memcmp(block, again, listBytes) != 0) __builtin_trap();
  WindowLinkSlots slots = {};
  SplitWindowLink(text.c_str(), slots);
  char mask[64] = {};
  std::memcpy(mask, text.data(), text.size() < 63 ? text.size() : 63);
  FilerMaskFromText(mask, sizeof mask);
  FilerMaskToText(mask, sizeof mask);
  ApplyBooleanOption(text.c_str());
  FormatBooleanOption();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RawDecoders(data, size);
  MemorySettingsBackend store;
  NullPlatform platform;
  // Records: name index, type, length, bytes.
  size_t at = 0;
  while (at + 3 <= size) {
    const char* name = kNames[data[at] % std::size(kNames)];
    uint32_t type = data[at + 1] % 5;
    size_t length = data[at + 2] * 8u;
    at += 3;
    if (length > size - at) length = size - at;
    store.Put(name, type, std::vector<uint8_t>(data + at, data + at + length));
    at += length;
  }
  UseSettingsBackend(&store, &platform);
  LoadSettings(5);
  (void)SaveSettings();  // the memory store keeps every value
  LoadSettings(5);
  LoadKeyAssign();
  (void)PushRecentFile("C:\\FUZZ.TXT");  // the memory store keeps every value
  char history[kDirHistorySize];
  LoadDirHistory(history);
  UseSettingsBackend(nullptr, nullptr);
  return 0;
}
