// Parsing of zvcat's command line.
#include "utilities/zvcat/zvcat_options.h"
#include "utilities/zvcat/zvcat_stdin.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

#include "utilities/zvcat/zvcat_messages.h"

namespace {

bool ParseNumber(const char* text, int minimum, int& value) {
  char* end = nullptr;
  long number = std::strtol(text, &end, 10);
  if (!*text || *end || number < minimum || number > 1000000) return false;
  value = int(number);
  return true;
}

bool IsAnalysisName(const char* text) {
  for (const char* name : {"pages", "toc", "log", "ini"}) {
    if (std::strcmp(text, name) == 0) return true;
  }
  return false;
}

bool ParseCode(const char* text, int& code) {
  static const char* const kNames[] = {"sjis", "euc", "jis", "utf8", "utf16"};
  if (std::strcmp(text, "auto") == 0) {
    code = -1;
    return true;
  }
  for (int i = 0; i < int(std::size(kNames)); ++i) {
    if (std::strcmp(text, kNames[i]) == 0) {
      code = i;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseZvcatOptions(int argc, char** argv, ZvcatOptions& options, std::string& error) {
  static const char* const kCommands[] = {"--detect", "--rows", "--grep", "--list", "--extract"};
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!std::strcmp(arg, "--version")) {
      options = ZvcatOptions{};
      options.command = "version";
      return true;
    }
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    bool isCommand = false;
    for (const char* command : kCommands) {
      if (std::strcmp(arg, command) == 0) {
        if (!options.command.empty()) {
          error = Message(zvmsg::kOneCommand);
          return false;
        }
        options.command = command + 2;
        isCommand = true;
      }
    }
    if (isCommand) continue;
    if (!std::strcmp(arg, "--analyze")) {
      if (!options.command.empty()) {
        error = Message(zvmsg::kOneCommand);
        return false;
      }
      if (!next || !IsAnalysisName(next)) {
        error = Message(zvmsg::kAnalyzeNeedsName);
        return false;
      }
      options.command = "analyze";
      options.analysis = next;
      ++i;
      continue;
    }
    bool takesValue = !std::strcmp(arg, "--code") || !std::strcmp(arg, "--line-max") ||
                      !std::strcmp(arg, "--tab-size") || !std::strcmp(arg, "--member") ||
                      !std::strcmp(arg, "-o");
    if (takesValue && !next) {
      error = Message(zvmsg::kMissingValue, arg);
      return false;
    }
    bool ok = true;
    if (!std::strcmp(arg, "--help")) {
      options.help = true;
    } else if (!std::strcmp(arg, "--utf8")) {
      options.utf8 = true;
    } else if (!std::strcmp(arg, "--sjis")) {
      options.sjis = true;
    } else if (!std::strcmp(arg, "--no-control-codes")) {
      options.controlCodes = false;
    } else if (!std::strcmp(arg, "-i")) {
      options.ignoreCase = true;
    } else if (!std::strcmp(arg, "--follow") || !std::strcmp(arg, "-f")) {
      options.follow = true;
    } else if (!std::strcmp(arg, "-E")) {
      options.regex = true;
    } else if (!std::strcmp(arg, "--code")) {
      ok = ParseCode(next, options.kanjiCode), ++i;
    } else if (!std::strcmp(arg, "--line-max")) {
      ok = ParseNumber(next, 0, options.lineMax), ++i;
    } else if (!std::strcmp(arg, "--tab-size")) {
      ok = ParseNumber(next, 1, options.tabSize), ++i;
    } else if (!std::strcmp(arg, "--member")) {
      ok = ParseNumber(next, 0, options.member), ++i;
    } else if (!std::strcmp(arg, "-o")) {
      options.outputDir = next, ++i;
    } else if (arg[0] == '-' && arg[1] != '\0' && std::strcmp(arg, "--") != 0) {
      error = Message(zvmsg::kUnknownOption, arg);
      return false;
    } else {
      options.operands.push_back(arg);
    }
    if (!ok) {
      error = Message(zvmsg::kBadValue, arg, next);
      return false;
    }
  }
  if (options.help) return true;
  if (options.utf8 && options.sjis) {
    error = Message(zvmsg::kUtf8AndSjis);
    return false;
  }
  if (options.follow && !options.command.empty() && options.command != "grep") {
    error = Message(zvmsg::kFollowWithWhat);
    return false;
  }
  size_t wanted = options.command == "grep" ? 2 : 1;
  if (options.operands.size() + 1 == wanted && !StandardInputIsTerminal()) options.operands.push_back("-");
  if (options.operands.size() != wanted) {
    error = Message(options.operands.size() < wanted ? zvmsg::kMissingOperand : zvmsg::kTooManyOperands);
    return false;
  }
  return true;
}

void ApplyLocale(ZvcatOptions& options, bool localeIsUtf8, bool outputIsUtf8Terminal) {
  options.utf8Locale = localeIsUtf8;
  options.utf8Output = options.utf8 || (!options.sjis && outputIsUtf8Terminal);
}
