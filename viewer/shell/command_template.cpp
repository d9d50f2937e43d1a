// Expansion of external command templates (see command_template.h).
#include "viewer/shell/command_template.h"

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// True when the name after the path's last '\' holds a '.'; a '\' that is the second byte of
// a double-byte character is not a separator.
bool HasExtension(std::string_view path) {
  bool dotInName = false;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(c) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (c == '\\') dotInName = false;
    else if (c == '.') dotInName = true;
  }
  return dotInName;
}

void AppendFile(std::string& out, std::string_view fileName) {
  out += fileName;
  if (!HasExtension(fileName)) out += '.';
}

}  // namespace

std::string ExpandCommandTemplate(std::string_view commandTemplate, std::string_view fileName, int32_t topLine,
                                  std::string_view selection) {
  std::string out;
  bool fileInserted = false;
  for (char c : commandTemplate) {
    if (c == '$') {
      AppendFile(out, fileName);
      fileInserted = true;
    } else if (c == '%') {
      out += std::to_string(int64_t(topLine) + 1);
    } else if (c == '+') {
      out += selection.substr(0, selection.find('\0'));
    } else {
      out += c;
    }
  }
  if (!fileInserted) {
    out += ' ';
    AppendFile(out, fileName);
  }
  if (out.size() > kCommandLineSize - 1) out.resize(kCommandLineSize - 1);
  return out;
}

bool IsUnsetTool(std::string_view tool) { return tool.empty() || tool == "*"; }
