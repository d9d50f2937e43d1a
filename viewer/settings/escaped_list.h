// String lists (NUL-terminated strings closed by an empty string) in the settings: the escaped
// form kept in one REG_SZ text (histories), where every NUL of the list is written as "\0" and
// every backslash as "\\".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bytes of a list up to and including its closing NUL (an empty list is 2 bytes: "\0\0" is
// how an empty list lies in a zero-filled block).  Looks at no more than limit bytes.
size_t StringListBytes(const char* list, size_t limit);

std::string EncodeEscapedList(const char* list, size_t bytes);
// Decodes text into a zero-filled block of blockSize bytes (at least 2).  A decoding that
// does not fit is cut after the last whole entry, so the block always holds a closed list.
void DecodeEscapedList(std::string_view text, char* block, size_t blockSize);

// Reads the escaped list `name` (a REG_SZ of at most 2 x blockSize bytes) into block; when it
// is missing, too long or empty, the default list is copied instead.  The key must be open.
void ReadStringList(const char* name, const char* defaultList, char* block, size_t blockSize);
// Writes the list at the start of block, up to its closing NUL, found within blockSize bytes.
[[nodiscard]] bool WriteStringList(const char* name, const char* block, size_t blockSize);
