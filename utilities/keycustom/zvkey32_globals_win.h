// The key customizer's process-wide state: the working table, the key last typed into the key
// box, the path of the viewer beside the program, and the font of the assignment list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "utilities/keycustom/key_assignments.h"

extern AssignmentTable Assignments;
extern uint16_t CapturedKey;  // 0 until a key is typed
extern char ViewerPath[MAX_PATH + 16];
extern HFONT ListFont;

// The full path of fileName in the folder of the program's own module.
std::string PathBesideProgram(const char* fileName);
// ViewerPath: the folder of the program's own module and "\ZV32.EXE".
void BuildViewerPath();

// Message boxes captioned "Zelko View 32 キーアサインカスタマイズツール".
void ShowToolError(HWND owner, const char* text);
// A Yes/No question with No as the default; true for Yes.
bool AskToolQuestion(HWND owner, const char* text);
