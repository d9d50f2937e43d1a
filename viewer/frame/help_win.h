// The help file "ZLKOVIEW.HLP" beside the program, opened through the system's help engine.
// When the file is not there, a message box says so instead of the engine's own question.
#pragma once

#include <windows.h>

// HelpPath: the program's folder followed by "ZLKOVIEW.HLP".
void BuildHelpPath();
bool HelpFileExists();
// The contents of the help file (command 3).
void ShowHelpContents(HWND owner);
