// Internal interface between the search driver and the backtracking matcher.
#pragma once

#include <cstdint>

#include "viewer/search/regex.h"

// Steps (instructions executed) one match attempt may take, and one RegexSearch in total,
// before giving up with -2: exponential patterns end instead of hanging.
constexpr int64_t kAttemptStepLimit = 1 << 20;
constexpr int64_t kSearchStepLimit = 1 << 24;

// The folding and start tables for the buffer's current Fold and first-byte map.
const RegexTextTables& TextTablesFor(RegexBuffer& buffer);

// RegexMatch with a step allowance shared by the caller; `steps` is decreased.
int MatchAt(RegexBuffer& buffer, const uint8_t* text, int length, int start, RegexRegisters* registers,
            int64_t& steps);
