// Key files of the customizer (".ZVK"): 256 records of 5 bytes, 1280 bytes, the used slots
// in slot order and then zero records.  Read with the rules of AssignmentTable::LoadRecords:
// a shorter file leaves the slots past its end empty, a longer one is read up to 1280 bytes.
#pragma once

#include "utilities/keycustom/key_assignments.h"

enum class KeyFileResult { kOk, kCannotOpen, kCannotWrite };

// On failure the table is left as it was.
[[nodiscard]] KeyFileResult ReadKeyFile(const char* path, AssignmentTable& table);
// On a failed write no file is left behind (a cut-off one would read back with keys missing).
[[nodiscard]] KeyFileResult WriteKeyFile(const char* path, const AssignmentTable& table);
