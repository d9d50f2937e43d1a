// Zelko Filer's texts and small rules, portable: the path ladder of the current directory,
// the columns of an item's text, the name an item stands for, the directory history, the
// names of the custom masks, the Shift+letter search, the drive-bar wrap and the column
// positions.  Every scan steps over double-byte characters, so a Shift-JIS trail byte 0x5C
// is never a folder separator and a trail byte 0x7C never cuts a column.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Longest path the platform handles (MAX_PATH, terminating NUL included).
constexpr size_t kFilerPathSize = 260;

// The ladder of a directory: the root ("C:\" or "\\server\share\") then each folder.
std::vector<std::string> PathLadder(std::string_view directory);
// The root and the first `count` folders of the ladder, joined: the directory at level count.
std::string PathAtLevel(std::string_view directory, size_t count);
// directory + "\" (unless it ends with a separator) + name; empty when the result would not
// fit into kFilerPathSize bytes.
std::string JoinPath(std::string_view directory, std::string_view name);

// The columns of an item text, cut at '|' (a '|' that is a trail byte does not cut).
std::vector<std::string_view> ItemColumns(std::string_view text);
// The name an item stands for: its first two columns without their "L"/"R" markers, trailing
// spaces removed.
std::string ItemName(std::string_view text);
// ASCII letters lowered, double-byte characters kept as they are.
std::string LowerAscii(std::string_view text);

// Records `text` as the newest entry of a string list block of `size` bytes: an equal entry
// is removed first, and the oldest entries go until the new one fits.  A text that cannot fit
// even into an empty block is not recorded.
void RecordHistory(char* block, size_t size, std::string_view text);
// The entries of a NUL-separated list closed by an empty string, oldest first.
std::vector<std::string> ListEntries(const char* block, size_t size);

// The popup text of a custom mask entry: "TXT;MAN;DOCのみ" for "ITXT;MAN;DOC", "...以外" for "E".
std::string MaskMenuText(std::string_view entry);

// Shift + key: the first item after `current`, wrapping round, whose text begins with `key`
// (ASCII case ignored).  -1 when no other item does.
int FindItemByInitial(const std::vector<std::string>& names, int current, char key);

// The drive bar's wrap: the next (step 1) or previous (step -1) of the drives, or the first
// when `current` is not one of them.  -1 for an empty list.
int NextDrive(const std::vector<int>& drives, int current, int step);

// Column positions in pixels.  u is the width of "1234567890"; the other widths are measured
// in the filer font.  Position 0 is 0, position 1 the name column's width, then one position
// per shown info column (right-aligned columns end there); `total` is where the row ends.
struct ColumnWidths {
  int u = 0;
  int widestName = 0;
  int widestExtension = 0;
  int dot = 0;
  int date = 0;  // "  98-76-54"
  int time = 0;  // "  98:76:54"
};
struct ColumnLayout {
  std::vector<int> positions;
  int total = 0;
};
ColumnLayout ColumnPositions(const ColumnWidths& widths, uint8_t infoColumns);
