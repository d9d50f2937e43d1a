// zvcat: the command-line face of the viewer's core.  Picks the command and runs it.
#include <cstdio>
#include <cstring>
#include <string>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_output.h"
#include "utilities/zvcat/zvcat_stdin.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const ZvcatOptions&);
};

const Command kCommands[] = {
    {"", RunShowText},
    {"detect", RunDetect},
    {"rows", RunRows},
    {"list", RunList},
    {"extract", RunExtract},
    {"grep", RunGrep},
    {"analyze", RunAnalyze},
};

}  // namespace

int main(int argc, char** argv) {
  ZvcatOptions options;
  std::string error;
  if (!ParseZvcatOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "zvcat: %s\n%s", error.c_str(), kZvcatUsage);
    return 2;
  }
  ApplyLocale(options, LocaleIsUtf8(), OutputIsUtf8Terminal());
  PrepareTerminal(options.utf8Output);
  StandardInputCopy input;
  if (!input.Replace(options)) return 1;
  for (const Command& command : kCommands) {
    if (options.command == command.name) return FinishOutput(command.run(options));
  }
  std::fprintf(stderr, "zvcat: --%s is not available in this build\n", options.command.c_str());
  return 2;
}
