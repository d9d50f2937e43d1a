// The viewer's key table in the registry (HKEY_CURRENT_USER "Software\Plim\ZelkoView",
// value KeyAssign) and the request to every running viewer window to read it again.
#pragma once

#include "utilities/keycustom/key_assignments.h"

// Reads KeyAssign into the table.  False, with the table untouched, when the key or the value
// is missing or the value is not REG_BINARY of 1 to 1280 bytes.
bool ReadKeyAssign(AssignmentTable& table);
// Writes the packed table as KeyAssign (REG_BINARY, 1280 bytes); false when it could not.
bool WriteKeyAssign(const AssignmentTable& table);
// Sends WM_ZV_RELOADKEYS to every top-level window of class "Zelko View 32".
void ReloadKeysInViewers();
