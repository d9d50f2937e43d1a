// The filer settings dialog's custom-type items (see filer_mask_items.h).
#include "viewer/settings/filer_mask_items.h"

#include <cstring>

#include "text/sjis.h"

namespace {

constexpr char kOnly[] = "のみ";
constexpr char kAllBut[] = "以外";
constexpr size_t kKindBytes = sizeof kOnly - 1;  // both kinds are two double-byte characters
constexpr size_t kPrefixBytes = kKindBytes + 1;  // and a colon

// The longest start of text of at most `limit` bytes that ends between characters.
std::string_view CutAtCharacter(std::string_view text, size_t limit) {
  size_t end = 0;
  while (end < text.size()) {
    size_t next = end + (IsSjisLead(uint8_t(text[end])) && end + 1 < text.size() ? 2 : 1);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace

std::vector<std::string> FilerMaskItems(const char* block, size_t size) {
  std::vector<std::string> items;
  size_t i = 0;
  while (i < size && block[i] != '\0') {
    std::string_view entry(block + i, strnlen(block + i, size - i));
    items.push_back(FilerMaskItem(entry.front() == 'I', entry.substr(1)));
    i += entry.size() + 1;
  }
  return items;
}

std::string FilerMaskItem(bool only, std::string_view extensions) {
  std::string item = only ? kOnly : kAllBut;
  item += ':';
  item += CutAtCharacter(extensions, kMaskTextLimit);
  return item;
}

bool IsOnlyItem(std::string_view item) { return item.substr(0, kKindBytes) == kOnly; }

std::string_view ItemExtensions(std::string_view item) {
  return item.size() > kPrefixBytes ? item.substr(kPrefixBytes) : std::string_view();
}

size_t StoreFilerMaskItems(const std::vector<std::string>& items, char* block, size_t size) {
  if (size == 0) return 0;
  std::memset(block, 0, size);
  size_t used = 0, stored = 0;
  for (const std::string& item : items) {
    std::string_view extensions = ItemExtensions(item);
    const size_t entryBytes = 1 + extensions.size() + 1;
    if (used + entryBytes + 1 > size) break;  // the closing empty string must fit too
    block[used] = IsOnlyItem(item) ? 'I' : 'E';
    std::memcpy(block + used + 1, extensions.data(), extensions.size());
    used += entryBytes;
    ++stored;
  }
  return stored;
}
