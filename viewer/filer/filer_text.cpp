// Zelko Filer's texts and small rules (see filer_text.h).
#include "viewer/filer/filer_text.h"

#include <algorithm>
#include <cstring>

#include "text/sjis.h"
#include "viewer/filer/filer_entry.h"

namespace {

// Positions of the single-byte occurrences of `separator` in text.
std::vector<size_t> SingleBytePositions(std::string_view text, char separator) {
  std::vector<size_t> positions;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsSjisLead(uint8_t(text[i])) && i + 1 < text.size()) ++i;
    else if (text[i] == separator) positions.push_back(i);
  }
  return positions;
}

// Length of the root: "C:\" (or "C:"), "\\server\share\", or "\".
size_t RootLength(std::string_view directory, const std::vector<size_t>& separators) {
  if (directory.size() >= 2 && directory[1] == ':') return std::min<size_t>(3, directory.size());
  if (directory.substr(0, 2) == "\\\\" && separators.size() >= 4) return separators[3] + 1;
  if (directory.substr(0, 2) == "\\\\") return directory.size();
  return directory.empty() ? 0 : (directory[0] == '\\' ? 1 : 0);
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

}  // namespace

std::vector<std::string> PathLadder(std::string_view directory) {
  std::vector<size_t> separators = SingleBytePositions(directory, '\\');
  size_t root = RootLength(directory, separators);
  std::vector<std::string> ladder;
  std::string rootText(directory.substr(0, root));
  if (rootText.size() == 2 && rootText[1] == ':') rootText += '\\';
  ladder.push_back(rootText);
  size_t start = root;
  separators.push_back(directory.size());
  for (size_t separator : separators) {
    if (separator < start) continue;
    if (separator > start) ladder.emplace_back(directory.substr(start, separator - start));
    start = separator + 1;
  }
  return ladder;
}

std::string PathAtLevel(std::string_view directory, size_t count) {
  std::vector<std::string> ladder = PathLadder(directory);
  std::string path = ladder[0];
  for (size_t i = 1; i <= count && i < ladder.size(); ++i) {
    if (i > 1) path += '\\';
    path += ladder[i];
  }
  return path;
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  if (directory.empty()) return {};
  std::string path(directory);
  size_t last = LastPathSeparator(directory);
  if (last != directory.size() - 1) path += '\\';
  path.append(name);
  if (path.size() + 1 > kFilerPathSize) return {};
  return path;
}

std::vector<std::string_view> ItemColumns(std::string_view text) {
  std::vector<std::string_view> columns;
  size_t start = 0;
  for (size_t bar : SingleBytePositions(text, '|')) {
    columns.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  if (start < text.size()) columns.push_back(text.substr(start));
  return columns;
}

std::string ItemName(std::string_view text) {
  std::vector<std::string_view> columns = ItemColumns(text);
  std::string name;
  for (size_t i = 0; i < 2 && i < columns.size(); ++i) {
    if (!columns[i].empty()) name.append(columns[i].substr(1));
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (size_t i = 0; i < lower.size(); ++i) {
    if (IsSjisLead(uint8_t(lower[i])) && i + 1 < lower.size()) ++i;
    else if (lower[i] >= 'A' && lower[i] <= 'Z') lower[i] = char(lower[i] + 32);
  }
  return lower;
}

std::vector<std::string> ListEntries(const char* block, size_t size) {
  std::vector<std::string> entries;
  size_t at = 0;
  while (at < size && block[at] != '\0') {
    size_t length = strnlen(block + at, size - at);
    entries.emplace_back(block + at, length);
    at += length + 1;
  }
  return entries;
}

void RecordHistory(char* block, size_t size, std::string_view text) {
  if (text.empty() || text.size() + 2 > size || text.find('\0') != std::string_view::npos) return;
  std::vector<std::string> entries = ListEntries(block, size);
  std::erase(entries, std::string(text));
  size_t used = 1;  // the closing empty string
  for (const std::string& entry : entries) used += entry.size() + 1;
  size_t drop = 0;
  while (used + text.size() + 1 > size) used -= entries[drop++].size() + 1;
  entries.erase(entries.begin(), entries.begin() + long(drop));
  entries.emplace_back(text);
  std::memset(block, 0, size);
  size_t at = 0;
  for (const std::string& entry : entries) {
    std::memcpy(block + at, entry.data(), entry.size());
    at += entry.size() + 1;
  }
}

std::string MaskMenuText(std::string_view entry) {
  if (entry.empty()) return {};
  std::string text(entry.substr(1));
  text += entry[0] == 'I' ? "のみ" : "以外";
  return text;
}

int FindItemByInitial(const std::vector<std::string>& names, int current, char key) {
  int count = int(names.size());
  key = UpperAscii(key);
  // Without a current item every item is a candidate; otherwise every item but the current one.
  int first = current < 0 ? 0 : current + 1;
  int candidates = current < 0 ? count : count - 1;
  for (int step = 0; step < candidates; ++step) {
    size_t index = size_t((first + step) % count);
    if (!names[index].empty() && UpperAscii(names[index][0]) == key) return int(index);
  }
  return -1;
}

int NextDrive(const std::vector<int>& drives, int current, int step) {
  if (drives.empty()) return -1;
  auto found = std::find(drives.begin(), drives.end(), current);
  if (found == drives.end()) return drives.front();
  int count = int(drives.size());
  int index = (int(found - drives.begin()) + step % count + count) % count;
  return drives[size_t(index)];
}

ColumnLayout ColumnPositions(const ColumnWidths& widths, uint8_t infoColumns) {
  ColumnLayout layout;
  layout.positions = {0, std::max(widths.widestName, widths.u * 4 / 5)};
  layout.total = layout.positions[1] + std::max(widths.widestExtension, widths.u * 3 / 10) + widths.dot;
  const int additions[] = {widths.u * 4 / 5, widths.date, widths.time, widths.u * 3 / 5};
  const uint8_t bits[] = {kColumnSize, kColumnDate, kColumnTime, kColumnAttributes};
  for (int i = 0; i < 4; ++i) {
    if (!(infoColumns & bits[i])) continue;
    layout.total += additions[i];
    layout.positions.push_back(layout.total);
  }
  return layout;
}
