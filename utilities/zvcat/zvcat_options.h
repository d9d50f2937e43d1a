// zvcat's command line: one command word (or none, which shows the text), options, operands.
#pragma once

#include <string>
#include <vector>

struct ZvcatOptions {
  std::string command;                // "" (show the text), "detect", "rows", "grep", "list", "extract", "analyze"
  std::vector<std::string> operands;  // FILE, or PATTERN FILE
  bool utf8 = false;                  // convert output for a UTF-8 terminal
  int kanjiCode = -1;                 // -1 automatic, else 0 Shift-JIS, 1 EUC, 2 JIS
  int lineMax = 80;
  int tabSize = 4;
  bool controlCodes = true;
  bool ignoreCase = false;            // grep -i
  bool regex = false;                 // grep -E
  int member = -1;                    // --member N: archive member to show or extract
  std::string outputDir = ".";        // extract -o DIR
  std::string analysis;               // --analyze pages|toc|log|ini
};

// Fills `options`; false with a message in `error` when the command line is not understood.
bool ParseZvcatOptions(int argc, char** argv, ZvcatOptions& options, std::string& error);

extern const char kZvcatUsage[];
