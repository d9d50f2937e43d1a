// Escaped string lists.
#include "viewer/settings/escaped_list.h"

#include <cstring>
#include <memory>

#include "viewer/settings/settings_key.h"

size_t StringListBytes(const char* list, size_t limit) {
  size_t i = 0;
  for (;;) {
    if (i >= limit) return limit;
    size_t n = strnlen(list + i, limit - i);
    if (n == 0) break;
    i += n + 1;
  }
  // i stands on the closing NUL; an empty list counts the two NULs of its block.
  size_t end = i == 0 ? 2 : i + 1;
  return end < limit ? end : limit;
}

std::string EncodeEscapedList(const char* list, size_t bytes) {
  std::string text;
  text.reserve(bytes + 8);
  for (size_t i = 0; i < bytes; ++i) {
    if (list[i] == '\0') text += "\\0";
    else if (list[i] == '\\') text += "\\\\";
    else text += list[i];
  }
  return text;
}

namespace {

// Closes a list that may have been cut: keeps the entries that end before the last two bytes.
void CloseCutList(char* block, size_t blockSize) {
  size_t keep = 0, i = 0;
  while (i < blockSize - 1) {
    size_t n = strnlen(block + i, blockSize - 1 - i);
    if (n == 0 || i + n + 1 > blockSize - 1) break;
    i += n + 1;
    keep = i;
  }
  std::memset(block + keep, 0, blockSize - keep);
}

}  // namespace

void DecodeEscapedList(std::string_view text, char* block, size_t blockSize) {
  std::memset(block, 0, blockSize);
  size_t out = 0;
  for (size_t i = 0; i < text.size() && out < blockSize; ++i) {
    char c = text[i];
    if (c == '\\') {
      if (++i == text.size()) break;  // a lone backslash at the end stands for nothing
      c = text[i] == '0' ? '\0' : text[i];
    }
    block[out++] = c;
  }
  if (out >= blockSize - 1) CloseCutList(block, blockSize);
}

void ReadStringList(const char* name, const char* defaultList, char* block, size_t blockSize) {
  size_t textSize = 2 * blockSize;
  auto text = std::make_unique<char[]>(textSize);
  if (ReadStringSetting(name, "", text.get(), uint32_t(textSize)) && text[0] != '\0') {
    DecodeEscapedList(std::string_view(text.get()), block, blockSize);
    return;
  }
  std::memset(block, 0, blockSize);
  size_t length = StringListBytes(defaultList, blockSize);
  std::memcpy(block, defaultList, length);
}

bool WriteStringList(const char* name, const char* block, size_t blockSize) {
  return WriteStringSetting(name, EncodeEscapedList(block, StringListBytes(block, blockSize)).c_str());
}
