// The search history: a fixed block of NUL-terminated strings, oldest first, closed by an
// empty string (the registry value "SearchHistory", 368 bytes).  Recording a pattern moves an
// equal entry to the newest place and drops the oldest entries until the new one fits; the
// block never overflows, and a pattern that cannot fit even in an empty block is not stored.
// The search dialog's combo box lists the entries newest first.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Stores `pattern` as the newest entry of `block`.  Empty patterns are not stored.
void RecordSearchHistory(std::span<char> block, std::string_view pattern);

// The entries of `block`, oldest first.  A block without its closing empty string (a damaged
// stored value) ends at the last string that is whole.
std::vector<std::string> SearchHistoryEntries(std::span<const char> block);

// The search text a string gives: up to its first line end, at most `limit` bytes, never
// ending in the middle of a double-byte character.  The edit field of the search dialog takes
// the selection and the clipboard text through it.
std::string SearchTextFrom(std::string_view text, size_t limit);
