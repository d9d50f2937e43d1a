// The two settings kept as '|'-joined text: FilerMask (the filer's custom file-type entries,
// a NUL-separated list in memory) and WindowLink (four link paths in 16-byte slots).  Splits
// step over Shift-JIS characters, whose trail byte may be '|'.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kLinkSlotSize = 16;
constexpr int kLinkSlotCount = 4;  // viewer, Zelko Filer, archive filer, list windows
using WindowLinkSlots = char[kLinkSlotCount][kLinkSlotSize];

// Turns the stored text in block into the list: every '|' becomes a NUL.  The caller leaves
// at least one zero byte after the text, which closes the list.
void FilerMaskFromText(char* block, size_t size);
// Every entry followed by '|'; an empty list gives "|".
std::string FilerMaskToText(const char* block, size_t size);

// Splits "a|b|c|d" into the slots; false (slots untouched) unless there are exactly four
// parts of at most 15 bytes each.
bool SplitWindowLink(const char* text, WindowLinkSlots& slots);
std::string JoinWindowLink(const WindowLinkSlots& slots);
