// Expansion of external command templates (see command_template.h).
#include "viewer/settings/command_template.h"

#include "text/sjis.h"

namespace {

// True when the name after the path's last folder separator holds a '.'.
bool HasExtension(std::string_view path) {
  size_t separator = LastPathSeparator(path);
  std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
  return name.find('.') != std::string_view::npos;
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

std::string ToolProgramName(std::string_view command) {
  std::string program;
  bool quoted = false;
  for (size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (IsSjisLead(uint8_t(c)) && i + 1 < command.size() && IsSjisTrail(uint8_t(command[i + 1]))) {
      program += command.substr(i++, 2);
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      break;
    } else {
      program += c;
    }
  }
  const size_t separator = LastPathSeparator(program);
  return separator == std::string::npos ? program : program.substr(separator + 1);
}
