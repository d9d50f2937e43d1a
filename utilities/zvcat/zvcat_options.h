// zvcat's command line: one command word (or none, which shows the text), options, operands.
#pragma once

#include <string>
#include <vector>

struct ZvcatOptions {
  std::string command;                // "" (show the text), "detect", "rows", "grep", "list", "extract", "analyze",
                                      // "version" (--version, whatever else is given)
  std::vector<std::string> operands;  // FILE, or PATTERN FILE
  bool help = false;                  // --help: the usage on standard output
  bool utf8 = false;                  // --utf8: output and pattern in UTF-8
  bool sjis = false;                  // --sjis: Shift-JIS output even on a UTF-8 terminal
  int kanjiCode = -1;                 // -1 automatic, else 0 Shift-JIS, 1 EUC, 2 JIS, 3 UTF-8, 4 UTF-16
  // Chosen from the options and the locale (ApplyLocale): text and names written as UTF-8, and
  // a command-line pattern read as UTF-8 when it is valid UTF-8.
  bool utf8Output = false;
  bool utf8Locale = false;
  int lineMax = 80;
  int tabSize = 4;
  bool controlCodes = true;
  bool ignoreCase = false;            // grep -i
  bool regex = false;                 // grep -E
  int member = -1;                    // --member N: archive member to show or extract
  std::string outputDir = ".";        // extract -o DIR
  std::string analysis;               // --analyze pages|toc|log|ini
  bool follow = false;                // --follow (-f): then what the file gains (text or --grep)
  // What the input is called in messages and in the name of a gzip member that has none:
  // "stdin" when standard input was copied, else empty (the file operand is its own name).
  std::string inputName;
};

// What messages call the input: its inputName, or else the file operand.
inline const std::string& InputName(const ZvcatOptions& options) {
  return options.inputName.empty() ? options.operands.back() : options.inputName;
}

// Fills `options`; false with a message (in the user's language) in `error` when the command
// line is not understood.
bool ParseZvcatOptions(int argc, char** argv, ZvcatOptions& options, std::string& error);

// Standard output on a terminal in a UTF-8 locale gets UTF-8 unless --sjis says otherwise;
// pipes and files keep the Shift-JIS bytes unless --utf8 is given.
void ApplyLocale(ZvcatOptions& options, bool localeIsUtf8, bool outputIsUtf8Terminal);
