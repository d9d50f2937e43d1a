// Parsing of zvcat's command line.
#include "utilities/zvcat/zvcat_options.h"
#include "utilities/zvcat/zvcat_stdin.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

const char kZvcatUsage[] =
    "usage: zvcat [--utf8|--sjis] [--code auto|sjis|euc|jis|utf8|utf16] [--member N] FILE\n"
    "       zvcat --detect FILE\n"
    "       zvcat --rows [--line-max N] [--tab-size N] [--no-control-codes] FILE\n"
    "       zvcat --grep [-i] [-E] PATTERN FILE\n"
    "       zvcat --list ARCHIVE\n"
    "       zvcat --extract ARCHIVE [--member N] [-o DIR]\n"
    "       zvcat --analyze pages|toc|log|ini [--utf8] [--line-max N] [--tab-size N] FILE\n";

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
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    bool isCommand = false;
    for (const char* command : kCommands) {
      if (std::strcmp(arg, command) == 0) {
        if (!options.command.empty()) {
          error = "only one command may be given";
          return false;
        }
        options.command = command + 2;
        isCommand = true;
      }
    }
    if (isCommand) continue;
    if (!std::strcmp(arg, "--analyze")) {
      if (!options.command.empty()) {
        error = "only one command may be given";
        return false;
      }
      if (!next || !IsAnalysisName(next)) {
        error = "--analyze needs pages, toc, log or ini";
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
      error = std::string("missing value after ") + arg;
      return false;
    }
    bool ok = true;
    if (!std::strcmp(arg, "--utf8")) {
      options.utf8 = true;
    } else if (!std::strcmp(arg, "--sjis")) {
      options.sjis = true;
    } else if (!std::strcmp(arg, "--no-control-codes")) {
      options.controlCodes = false;
    } else if (!std::strcmp(arg, "-i")) {
      options.ignoreCase = true;
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
      error = std::string("unknown option ") + arg;
      return false;
    } else {
      options.operands.push_back(arg);
    }
    if (!ok) {
      error = std::string("bad value for ") + arg + ": " + next;
      return false;
    }
  }
  if (options.utf8 && options.sjis) {
    error = "--utf8 and --sjis exclude each other";
    return false;
  }
  size_t wanted = options.command == "grep" ? 2 : 1;
  if (options.operands.size() + 1 == wanted && !StandardInputIsTerminal()) options.operands.push_back("-");
  if (options.operands.size() != wanted) {
    error = options.operands.size() < wanted ? "missing operand" : "too many operands";
    return false;
  }
  return true;
}

void ApplyLocale(ZvcatOptions& options, bool localeIsUtf8, bool outputIsUtf8Terminal) {
  options.utf8Locale = localeIsUtf8;
  options.utf8Output = options.utf8 || (!options.sjis && outputIsUtf8Terminal);
}
