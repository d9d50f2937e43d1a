// Opening the document for zvcat: layout options become the viewer's settings, the system's
// messages are collected, and a failure is printed the way the viewer would show it.
#pragma once

#include "utilities/zvcat/zvcat_options.h"

// Opens and fully loads operands.back(); prints the system's message and returns false on failure.
bool OpenAndLoad(const ZvcatOptions& options);
