// The commands of zvcat.  Each returns the process exit status: 0 success, 1 a failure the
// system reports with its own message, 2 bad usage or a pattern that does not compile.
#pragma once

#include "utilities/zvcat/zvcat_options.h"

int RunShowText(const ZvcatOptions& options);  // zvcat FILE
int RunDetect(const ZvcatOptions& options);    // zvcat --detect FILE
int RunRows(const ZvcatOptions& options);      // zvcat --rows FILE
int RunList(const ZvcatOptions& options);     // zvcat --list ARCHIVE
int RunExtract(const ZvcatOptions& options);  // zvcat --extract ARCHIVE [--member N] [-o DIR]
int RunGrep(const ZvcatOptions& options);      // zvcat --grep PATTERN FILE
// Stores --grep's pattern and options and compiles it; false (with the message printed) when
// the pattern cannot be searched for.
bool SetUpGrepPattern(const ZvcatOptions& options);
int RunAnalyze(const ZvcatOptions& options);   // zvcat --analyze pages|toc|log|ini FILE
int RunVersion(const ZvcatOptions& options);   // zvcat --version
