// Opening the document for zvcat: layout options become the viewer's settings, the system's
// messages are collected, and a failure is printed the way the viewer would show it.
#pragma once

#include "utilities/zvcat/zvcat_options.h"

// Opens operands.back() without loading it; prints the system's message and returns false on
// failure.
bool OpenShown(const ZvcatOptions& options);
// Loads all of the document OpenShown opened; false (after the message) when loading stopped
// short or the member shown fails its check.
bool LoadShown(const ZvcatOptions& options);
// OpenShown, then LoadShown.
bool OpenAndLoad(const ZvcatOptions& options);
// False, after saying so, when the archive member shown fails the archive's check (its CRC):
// the text printed may then be wrong.
bool ShownMemberSound(const ZvcatOptions& options);
// True once the document has shown a message box that stopped a load or a stream.
bool LoadStopped();
