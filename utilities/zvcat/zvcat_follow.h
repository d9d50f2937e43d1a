// zvcat --follow: the text, or the hits of --grep, and then what the file gains.
#pragma once

#include <cstdint>

#include "utilities/zvcat/zvcat_options.h"

int RunFollow(const ZvcatOptions& options);  // zvcat --follow [--grep PATTERN] FILE

// Waits `milliseconds` without using the processor (zvcat_follow_wait_posix.cpp and _win.cpp).
void WaitBeforeNextLook(uint32_t milliseconds);
