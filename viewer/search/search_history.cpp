// The search history block and the search text (see search_history.h).
#include "viewer/search/search_history.h"

#include <cstring>

#include "text/sjis.h"

namespace {

// The offset of the closing empty string, or of the first byte after the last whole string
// when the block has none (so the list can be mended there).
size_t ListEndOffset(std::span<const char> block) {
  size_t offset = 0;
  while (offset < block.size() && block[offset] != '\0') {
    const void* nul = std::memchr(block.data() + offset, '\0', block.size() - offset);
    if (!nul) break;
    offset = size_t(static_cast<const char*>(nul) - block.data()) + 1;
  }
  return offset;
}

// Removes the string at `offset`, moving the rest of the list (and its end) down.
void RemoveEntry(std::span<char> block, size_t offset) {
  const size_t end = ListEndOffset(block);
  const size_t next = offset + std::strlen(block.data() + offset) + 1;
  std::memmove(block.data() + offset, block.data() + next, end - next);
  std::memset(block.data() + end - (next - offset), '\0', next - offset);
}

// The offset of an entry equal to `pattern`, or the list end when there is none.
size_t FindEntry(std::span<const char> block, std::string_view pattern) {
  const size_t end = ListEndOffset(block);
  size_t offset = 0;
  while (offset < end) {
    const size_t length = std::strlen(block.data() + offset);
    if (std::string_view(block.data() + offset, length) == pattern) return offset;
    offset += length + 1;
  }
  return end;
}

}  // namespace

void RecordSearchHistory(std::span<char> block, std::string_view pattern) {
  pattern = pattern.substr(0, pattern.find('\0'));
  if (pattern.empty() || pattern.size() + 2 > block.size()) return;
  const size_t equal = FindEntry(block, pattern);
  if (equal < ListEndOffset(block)) RemoveEntry(block, equal);
  while (ListEndOffset(block) + pattern.size() + 2 > block.size()) RemoveEntry(block, 0);
  const size_t end = ListEndOffset(block);
  std::memcpy(block.data() + end, pattern.data(), pattern.size());
  block[end + pattern.size()] = '\0';
  block[end + pattern.size() + 1] = '\0';
}

std::vector<std::string> SearchHistoryEntries(std::span<const char> block) {
  std::vector<std::string> entries;
  const size_t end = ListEndOffset(block);
  for (size_t offset = 0; offset < end;) {
    entries.emplace_back(block.data() + offset);
    offset += entries.back().size() + 1;
  }
  return entries;
}

std::string SearchTextFrom(std::string_view text, size_t limit) {
  text = text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
  size_t length = 0;
  while (length < text.size()) {
    const bool pair = length + 1 < text.size() && IsSjisLead(uint8_t(text[length])) &&
                      IsSjisTrail(uint8_t(text[length + 1]));
    const size_t width = pair ? 2 : 1;
    if (length + width > limit) break;
    length += width;
  }
  return std::string(text.substr(0, length));
}
