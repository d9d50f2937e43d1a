// External command templates (the editor and the seven tools): '$' stands for the shown file,
// '%' for the number of the top row, '+' for the selected text.  Expanding one gives the
// command line the viewer starts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The command line's buffer: longer expansions are cut to kCommandLineSize - 1 bytes.
constexpr size_t kCommandLineSize = 384;

// '$': fileName, with a '.' appended when the name after its last '\' has no '.'; '%': topLine
// + 1 in decimal; '+': selection up to its first NUL; anything else is copied.  Without a '$',
// a blank and the file (same '.' rule) follow.
std::string ExpandCommandTemplate(std::string_view commandTemplate, std::string_view fileName, int32_t topLine,
                                  std::string_view selection);

// A tool value that names no tool: empty or "*".
bool IsUnsetTool(std::string_view tool);

// The file name of the program a command starts, as the tools menu shows it: the program part
// runs to the first blank outside double quotes (the quotes are not part of the name), and its
// file name follows the last folder separator of that part.
std::string ToolProgramName(std::string_view command);
