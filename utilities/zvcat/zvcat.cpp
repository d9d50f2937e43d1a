// zvcat: the command-line face of the viewer's core.  Picks the command and runs it.
#include <cstdio>
#include <cstring>
#include <string>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_follow.h"
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
    {"version", RunVersion},
};

// zvcat --help: the usage on standard output.
int ShowUsage() {
  ZvcatOutput out(false);
  out.Plain(ForTerminal(Message(zvmsg::kUsage)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  OpenMessageCatalog();
  ZvcatOptions options;
  std::string error;
  if (!ParseZvcatOptions(argc, argv, options, error)) {
    PrintError(error);
    std::fputs(ForTerminal(Message(zvmsg::kUsage)).c_str(), stderr);
    return 2;
  }
  ApplyLocale(options, LocaleIsUtf8(), OutputIsUtf8Terminal());
  PrepareTerminal(options.utf8Output);
  if (options.help) return FinishOutput(ShowUsage());
  StandardInputCopy input;
  if (!input.Replace(options)) return 1;
  if (options.follow) return FinishOutput(RunFollow(options));
  for (const Command& command : kCommands) {
    if (options.command == command.name) return FinishOutput(command.run(options));
  }
  Report(zvmsg::kNotInBuild, options.command.c_str());
  return 2;
}
