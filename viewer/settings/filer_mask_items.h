// The filer settings dialog's custom-type list in portable form: FilerMask entries ("I" or "E"
// and the extensions) as the list shows them ("のみ:TXT;MAN" or "以外:EXE"), and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The list's first item, the type filter; the entries follow it.
constexpr char kTypeFilterItem[] = "種類別フィルタ";
// The most bytes of extension text an entry takes from its field.
constexpr size_t kMaskTextLimit = 98;

// One list item per entry of the NUL-separated list in block (closed by an empty string or
// the end of the block).
std::vector<std::string> FilerMaskItems(const char* block, size_t size);
// The item for an "only these" (or "all but these") entry of `extensions`, cut to
// kMaskTextLimit bytes without splitting a double-byte character.
std::string FilerMaskItem(bool only, std::string_view extensions);
// Whether an item is an "only these" entry, and its extension text.
bool IsOnlyItem(std::string_view item);
std::string_view ItemExtensions(std::string_view item);
// Writes the entries of the items into block as a NUL-separated list closed by an empty
// string, zero-filling the rest; an entry that would not fit, and every one after it, is left
// out.  Returns the number of entries written.
size_t StoreFilerMaskItems(const std::vector<std::string>& items, char* block, size_t size);
